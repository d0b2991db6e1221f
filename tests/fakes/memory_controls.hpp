#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

#include "core/base/controls.hpp"

namespace kalkora::testing {

// The window's controls in memory, starting from the form table's initial states.
class MemoryControls : public Controls {
 public:
  MemoryControls();

  int ReadState(std::string_view name) override;
  void WriteState(std::string_view name, int state) override;
  std::string ReadText(std::string_view name) override;
  void WriteText(std::string_view name, std::string_view text) override;
  void SetPanelText(int index, std::string_view text) override;

  // What the user does: a click toggles a kind box and runs its handler; selecting a radio
  // button clears the others of its group.
  void Click(std::string_view box);
  void Select(std::string_view radio);
  // Leaves a whole radio group without a selection, which the user cannot do.
  void ClearGroup(std::string_view anyRadioOfGroup);
  // Ticks exactly one kind box, as a click on an unticked box would.
  void ChooseKind(std::string_view box);

  const std::string& Panel(int index) const { return panels_.at(static_cast<std::size_t>(index)); }
  int TextReads(std::string_view name) const;

 private:
  std::map<std::string, int, std::less<>> states_;
  std::map<std::string, std::string, std::less<>> texts_;
  std::map<std::string, int, std::less<>> textReads_;
  std::array<std::string, 2> panels_;
};

}  // namespace kalkora::testing
