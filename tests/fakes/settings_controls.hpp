#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

#include "core/base/controls.hpp"
#include "core/base/exercise_kind.hpp"

namespace kalkora::testing {

// The form's controls held in memory, starting from the form table's initial states, with
// the window's group rules. A name that is not one of the form's controls of that kind throws
// std::out_of_range.
class SettingsControls : public Controls {
 public:
  SettingsControls();

  int ReadState(std::string_view name) override;
  // Check boxes only, as on the window; anything else throws std::logic_error.
  void WriteState(std::string_view name, int state) override;
  std::string ReadText(std::string_view name) override;
  void WriteText(std::string_view name, std::string_view text) override;
  void SetPanelText(int index, std::string_view text) override;

  // Ticks the kind's box and clears the other nine.
  void ChooseKind(ExerciseKind kind);
  // Selects a radio button and clears the others of its group.
  void Select(std::string_view radio);

  const std::string& Panel(std::size_t index) const { return panels_.at(index); }

 protected:
  // Any check box or radio button, without the group rules.
  void SetState(std::string_view name, int state);

 private:
  std::map<std::string, int, std::less<>> states_;
  std::map<std::string, std::string, std::less<>> texts_;
  std::array<std::string, 2> panels_;
};

}  // namespace kalkora::testing
