#include "fakes/memory_controls.hpp"

#include <stdexcept>

#include "core/base/exercise_kind.hpp"
#include "core/app/form_table.hpp"
#include "core/app/kind_selection.hpp"

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

MemoryControls::MemoryControls() {
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

int MemoryControls::ReadState(std::string_view name) { return Entry(states_, name); }

void MemoryControls::WriteState(std::string_view name, int state) {
  if (SpecOf(name).kind != ControlKind::CheckBox) throw std::logic_error("not a check box");
  Entry(states_, name) = state;
}

std::string MemoryControls::ReadText(std::string_view name) {
  ++textReads_[std::string(name)];
  return Entry(texts_, name);
}

void MemoryControls::WriteText(std::string_view name, std::string_view text) {
  Entry(texts_, name) = text;
}

void MemoryControls::SetPanelText(int index, std::string_view text) {
  panels_.at(static_cast<std::size_t>(index)) = text;
}

void MemoryControls::Click(std::string_view box) {
  int& state = Entry(states_, box);
  state = state == 1 ? 0 : 1;
  OnKindBoxClicked(*this, box);
}

void MemoryControls::Select(std::string_view radio) {
  ClearGroup(radio);
  Entry(states_, radio) = 1;
}

void MemoryControls::ClearGroup(std::string_view anyRadioOfGroup) {
  const std::string_view group = SpecOf(anyRadioOfGroup).parent;
  for (const ControlSpec& control : MainForm().controls) {
    if (control.kind == ControlKind::RadioButton && control.parent == group) {
      Entry(states_, control.name) = 0;
    }
  }
}

void MemoryControls::ChooseKind(std::string_view box) {
  for (const ExerciseKindInfo& info : kExerciseKinds) Entry(states_, info.box) = 0;
  Click(box);
}

int MemoryControls::TextReads(std::string_view name) const {
  const auto found = textReads_.find(name);
  return found == textReads_.end() ? 0 : found->second;
}

}  // namespace kalkora::testing
