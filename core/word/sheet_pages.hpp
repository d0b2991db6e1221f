#pragma once

#include <string>

#include "core/generate/sheet.hpp"
#include "core/word/docx_writer.hpp"

namespace kalkora {

// The line under the heading where pupils write their class and name.
inline constexpr char kNameLine[] = "班级＿＿＿＿　姓名＿＿＿＿";

// The line below the table: the date text, four spaces, "卷号 " and the sheet's code.
std::string SheetDateLine(const Sheet& sheet);

// The sheet as pupils get it: its heading, the problems, the date line.
DocumentPage WorksheetPage(const Sheet& sheet);

// Columns (an ASCII character one, any other two) that the key's rule line may take: the
// heading's width, which stands on one line on every size.
inline constexpr int kRuleLineColumns = 76;

// The sheet's answer key, laid out like the sheet: the key heading, the rules in words under
// it (cut to kRuleLineColumns) when the sheet was made under rules, each problem alone in its
// cell and its answer in the answer row under it.
DocumentPage AnswerKeyPage(const Sheet& sheet);

}  // namespace kalkora
