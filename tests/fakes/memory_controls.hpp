#pragma once

#include <map>
#include <string>
#include <string_view>

#include "fakes/settings_controls.hpp"

namespace kalkora::testing {

// The window's controls in memory (the product's SettingsControls), with what the tests add:
// the user's clicks with their handler, a group left without a selection, and read counts.
class MemoryControls : public SettingsControls {
 public:
  using SettingsControls::ChooseKind;

  std::string ReadText(std::string_view name) override;

  // A click toggles a kind box and runs its handler.
  void Click(std::string_view box);
  // Leaves a whole radio group without a selection, which the user cannot do.
  void ClearGroup(std::string_view anyRadioOfGroup);
  // Ticks exactly one kind box, as a click on an unticked box would.
  void ChooseKind(std::string_view box);

  int TextReads(std::string_view name) const;

 private:
  std::map<std::string, int, std::less<>> textReads_;
};

}  // namespace kalkora::testing
