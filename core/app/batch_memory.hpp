#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app/batch_command.hpp"

namespace kalkora {

// The batch dialog's last choices, kept between openings and restarts of the program.
struct BatchMemory {
  int sheets = 1;
  bool answers = true;
  DocumentFormat format = DocumentFormat::Docx;
  std::string folder;            // UTF-8; empty: the documents folder
  std::optional<int> firstCode;  // none: a random one
};

// The stored form of the choices: one text value per name ("Sheets", "Answers", "Format",
// "Folder", "FirstCode"), as each window's settings store keeps them.
using BatchMemoryValues = std::vector<std::pair<std::string, std::string>>;
BatchMemoryValues StoredBatchMemory(const BatchMemory& memory);

// The choices read back through `read` (the value of a name, or nothing when it is not
// stored). A value that is missing or that the dialog could not take (a count outside 1-500, an
// unknown format, a code that is no sheet code: an older or hand-edited store) keeps its
// default.
BatchMemory RememberedBatch(
    const std::function<std::optional<std::string>(std::string_view)>& read);

}  // namespace kalkora
