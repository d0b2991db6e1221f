#pragma once

#include <bitset>
#include <optional>
#include <string>

#include "core/base/message_box.hpp"

namespace kalkora::fuzzing {

// What the settings checks read from the window.
struct FormState {
  std::bitset<10> kinds;  // 选择框1..选择框10, bit 0 first
  bool decimalsOn = false;
  bool thirtyProblems = false;
  std::string places;
};

// The refusal the seven settings checks give, worked out from their table: the message of the
// first check that fails, or nothing. `check` tells which one (1..7, 0 for none).
struct ExpectedRefusal {
  int check = 0;
  std::optional<UserMessage> message;
};

ExpectedRefusal RefusalFor(const FormState& form);

}  // namespace kalkora::fuzzing
