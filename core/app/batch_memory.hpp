#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/app/rule_fields.hpp"

namespace kalkora {

// The batch dialog's last choices, kept between openings and restarts of the program.
struct BatchMemory {
  int sheets = 1;
  bool answers = true;
  DocumentFormat format = DocumentFormat::Docx;
  std::string folder;            // UTF-8; empty: the documents folder
  std::optional<int> firstCode;  // none: a random one
  RuleFields rules;              // the 题目要求 group, numbers as typed
  std::string title;             // empty: 数学作业练习
  bool nameLine = false;
};

// The stored form of the choices: one text value per name ("Sheets", "Answers", "Format",
// "Folder", "FirstCode", the rules' "Preset", "SecondFrom", "SecondTo", "ResultFrom",
// "ResultTo", "Carry", "Borrow", "Remainder", "Blank", "Distinct", then "Title" and
// "NameLine"), as each window's settings store keeps them.
using BatchMemoryValues = std::vector<std::pair<std::string, std::string>>;
BatchMemoryValues StoredBatchMemory(const BatchMemory& memory);

// The choices read back through `read` (the value of a name, or nothing when it is not
// stored). A value that is missing or that the dialog could not take (a count outside 1-500, an
// unknown format, a code that is no sheet code, a preset or place no longer known, a share
// outside 0-100: an older or hand-edited store) keeps its default. Number texts come back as
// stored: the dialog reads them when the set is made, as it reads what is typed.
BatchMemory RememberedBatch(
    const std::function<std::optional<std::string>(std::string_view)>& read);

}  // namespace kalkora
