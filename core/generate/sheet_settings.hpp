#pragma once

#include <optional>
#include <string>

#include "core/base/controls.hpp"
#include "core/base/exercise_kind.hpp"
#include "core/generate/sheet_rules.hpp"

namespace kalkora {

// What a sheet is made from: the form's settings as plain values. The window reads them from
// its controls; the command line builds them directly. The range and places texts are kept as
// typed: the generators read them as the range boxes always have.
struct SheetSettings {
  std::optional<ExerciseKind> kind = ExerciseKind::Addition;  // none: no kind box ticked
  int size = 18;             // 18, 24 or 30; 0 when no size is selected
  std::string from = "1";    // 编辑框1
  std::string to = "100";    // 编辑框2
  bool decimals = false;     // 单选框5 selected
  std::string places = "2";  // 编辑框3
  SheetRules rules = {};     // for class sets; none set: the classic draw

  friend bool operator==(const SheetSettings&, const SheetSettings&) = default;
};

// The settings the form's controls hold now: the first ticked kind, the first selected size,
// the range and decimal-places texts and whether decimals are on.
SheetSettings ReadSheetSettings(Controls& controls);

}  // namespace kalkora
