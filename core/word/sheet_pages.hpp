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

// The sheet's answer key, laid out like the sheet: the key heading, each problem alone in its
// cell and its answer in the answer row under it.
DocumentPage AnswerKeyPage(const Sheet& sheet);

}  // namespace kalkora
