#include "fakes/settings_controls.hpp"

#include <stdexcept>

#include "core/app/form_table.hpp"

namespace kalkora::testing {
namespace {

template <typename Map>
auto& Entry(Map& map, std::string_view name) {
  const auto found = map.find(name);
  if (found == map.end()) throw std::out_of_range("no such control: " + std::string(name));
  return found->second;
}

const ControlSpec& SpecOf(std::string_view name) {
  const ControlSpec* control = FindControl(name);
  if (!control) throw std::out_of_range("no such control: " + std::string(name));
  return *control;
}

}  // namespace

SettingsControls::SettingsControls() {
  const FormSpec& form = MainForm();
  for (const ControlSpec& control : form.controls) {
    if (control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton) {
      states_.emplace(control.name, control.initialState);
    } else if (control.kind == ControlKind::EditBox) {
      texts_.emplace(control.name, control.text);
    }
  }
  for (std::size_t i = 0; i < panels_.size(); ++i) panels_[i] = form.panels[i].initialText;
}

int SettingsControls::ReadState(std::string_view name) { return Entry(states_, name); }

void SettingsControls::WriteState(std::string_view name, int state) {
  if (SpecOf(name).kind != ControlKind::CheckBox) throw std::logic_error("not a check box");
  Entry(states_, name) = state;
}

std::string SettingsControls::ReadText(std::string_view name) { return Entry(texts_, name); }

void SettingsControls::WriteText(std::string_view name, std::string_view text) {
  Entry(texts_, name) = text;
}

void SettingsControls::SetPanelText(int index, std::string_view text) {
  panels_.at(static_cast<std::size_t>(index)) = text;
}

void SettingsControls::ChooseKind(ExerciseKind kind) {
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    Entry(states_, info.box) = info.kind == kind ? 1 : 0;
  }
}

void SettingsControls::Select(std::string_view radio) {
  const ControlSpec& chosen = SpecOf(radio);
  if (chosen.kind != ControlKind::RadioButton) throw std::logic_error("not a radio button");
  for (const ControlSpec& control : MainForm().controls) {
    if (control.kind == ControlKind::RadioButton && control.parent == chosen.parent) {
      Entry(states_, control.name) = 0;
    }
  }
  Entry(states_, radio) = 1;
}

void SettingsControls::SetState(std::string_view name, int state) { Entry(states_, name) = state; }

}  // namespace kalkora::testing
