#include "core/word/sheet_pages.hpp"

#include "core/generate/answer.hpp"
#include "core/generate/kind_heading.hpp"
#include "core/generate/sheet_rules.hpp"

namespace kalkora {

std::string SheetDateLine(const Sheet& sheet) {
  return sheet.dateText + "    卷号 " + std::to_string(sheet.code);
}

DocumentPage WorksheetPage(const Sheet& sheet) {
  DocumentPage page{sheet.size, sheet.heading, {}, SheetDateLine(sheet)};
  for (const Problem& problem : sheet.problems) page.cells.push_back(ProblemText(problem));
  return page;
}

DocumentPage AnswerKeyPage(const Sheet& sheet) {
  DocumentPage page{sheet.size, AnswerKeyHeading(sheet.kind), {}, SheetDateLine(sheet),
                    FitToWidth(sheet.ruleWords, kRuleLineColumns)};
  for (const Problem& problem : sheet.problems) {
    page.cells.push_back(ProblemText(problem) + " " + AnswerText(problem));
  }
  return page;
}

}  // namespace kalkora
