#include "fakes/memory_controls.hpp"

#include <stdexcept>

#include "core/app/form_table.hpp"
#include "core/app/kind_selection.hpp"
#include "core/base/exercise_kind.hpp"

namespace kalkora::testing {

std::string MemoryControls::ReadText(std::string_view name) {
  std::string text = SettingsControls::ReadText(name);
  ++textReads_[std::string(name)];
  return text;
}

void MemoryControls::Click(std::string_view box) {
  SetState(box, ReadState(box) == 1 ? 0 : 1);
  OnKindBoxClicked(*this, box);
}

void MemoryControls::ClearGroup(std::string_view anyRadioOfGroup) {
  const ControlSpec* radio = FindControl(anyRadioOfGroup);
  if (!radio) throw std::out_of_range("no such control: " + std::string(anyRadioOfGroup));
  for (const ControlSpec& control : MainForm().controls) {
    if (control.kind == ControlKind::RadioButton && control.parent == radio->parent) {
      SetState(control.name, 0);
    }
  }
}

void MemoryControls::ChooseKind(std::string_view box) {
  for (const ExerciseKindInfo& info : kExerciseKinds) SetState(info.box, 0);
  Click(box);
}

int MemoryControls::TextReads(std::string_view name) const {
  const auto found = textReads_.find(name);
  return found == textReads_.end() ? 0 : found->second;
}

}  // namespace kalkora::testing
