#pragma once

#include <string>

#include "core/generate/sheet.hpp"
#include "core/word/docx_writer.hpp"

namespace kalkora {

// The line below the table: the date text, four spaces, "卷号 " and the sheet's code.
std::string SheetDateLine(const Sheet& sheet);

// The sheet as pupils get it: its heading, the problems, the date line.
DocumentPage WorksheetPage(const Sheet& sheet);

// Columns (an ASCII character one, any other two) that the key's rule line may take.
inline constexpr int kRuleLineColumns = 90;

// The sheet's answer key, laid out like the sheet: the key heading, the rules in words under
// it (cut to kRuleLineColumns) when the sheet was made under rules, and in each problem cell
// the problem, a space and its answer.
DocumentPage AnswerKeyPage(const Sheet& sheet);

}  // namespace kalkora
