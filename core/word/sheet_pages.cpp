#include "core/word/sheet_pages.hpp"

#include "core/generate/kind_heading.hpp"
#include "core/generate/sheet_rules.hpp"

namespace kalkora {

std::string SheetDateLine(const Sheet& sheet) {
  return sheet.dateText + "    卷号 " + std::to_string(sheet.code);
}

DocumentPage WorksheetPage(const Sheet& sheet) {
  return {sheet.size, sheet.heading, sheet.problems, SheetDateLine(sheet)};
}

DocumentPage AnswerKeyPage(const Sheet& sheet) {
  DocumentPage page{sheet.size,
                    AnswerKeyHeading(sheet.kind),
                    {},
                    SheetDateLine(sheet),
                    FitToWidth(sheet.ruleWords, kRuleLineColumns)};
  for (std::size_t i = 0; i < sheet.problems.size(); ++i) {
    page.cells.push_back(sheet.problems[i] + " " + sheet.answers.at(i));
  }
  return page;
}

}  // namespace kalkora
