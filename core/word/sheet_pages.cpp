#include "core/word/sheet_pages.hpp"

#include "core/generate/answer.hpp"
#include "core/generate/kind_heading.hpp"
#include "core/generate/sheet_rules.hpp"

namespace kalkora {

std::string SheetDateLine(const Sheet& sheet) {
  return sheet.dateText + "    卷号 " + std::to_string(sheet.code);
}

namespace {

DocumentPage PageOf(const Sheet& sheet, std::string heading) {
  DocumentPage page;
  page.sheetSize = sheet.size;
  page.heading = std::move(heading);
  for (const Problem& problem : sheet.problems) page.cells.push_back(ProblemText(problem));
  page.dateLine = SheetDateLine(sheet);
  if (!sheet.title.empty()) page.title = sheet.title;
  return page;
}

}  // namespace

DocumentPage WorksheetPage(const Sheet& sheet) { return PageOf(sheet, sheet.heading); }

DocumentPage AnswerKeyPage(const Sheet& sheet) {
  DocumentPage page = PageOf(sheet, AnswerKeyHeading(sheet.kind));
  for (const Problem& problem : sheet.problems) page.answers.push_back(AnswerText(problem));
  if (!sheet.ruleWords.empty()) {
    page.underHeading.push_back(FitToWidth(sheet.ruleWords, kRuleLineColumns));
  }
  return page;
}

}  // namespace kalkora
