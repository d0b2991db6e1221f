#include "core/word/cell_writer.hpp"

#include <chrono>
#include <string>

#include "core/base/date_text.hpp"

namespace kalkora {
namespace {

constexpr float kProblemFontSize = 12.0f;
constexpr std::int32_t kParagraphsToHeading = 2;
constexpr std::int32_t kParagraphsIntoTable = 1;
constexpr int kCellsAfterLastProblem = 3;
constexpr std::int32_t kParagraphsOutOfTable = 13;
constexpr std::chrono::milliseconds kClosingPause(555);

}  // namespace

bool CellWriter::BeginSheet(std::string_view heading) {
  return automation_.MoveUp(wdScreen, 1, wdMove) &&
         automation_.MoveDown(wdParagraph, kParagraphsToHeading, wdMove) &&
         automation_.TypeText(heading) &&
         automation_.MoveDown(wdParagraph, kParagraphsIntoTable, wdMove) &&
         automation_.MoveRight(wdCell, 0, wdMove) && automation_.SetFontSize(kProblemFontSize);
}

bool CellWriter::WriteProblemText(std::string_view text) { return automation_.TypeText(text); }

bool CellWriter::MoveToNextCell() { return automation_.MoveRight(wdCell, 1, wdMove); }

bool CellWriter::AdvanceCells(int count) {
  for (int i = 0; i < count; ++i) {
    if (!MoveToNextCell()) return false;
  }
  return automation_.SetFontSize(kProblemFontSize);
}

bool CellWriter::FinishSheet() {
  for (int i = 0; i < kCellsAfterLastProblem; ++i) {
    if (!MoveToNextCell()) return false;
  }
  if (!automation_.MoveDown(wdParagraph, kParagraphsOutOfTable, wdMove)) return false;
  if (!automation_.TypeText(DateText(clock_.Now()))) return false;
  clock_.Pause(kClosingPause);
  if (!automation_.ReleaseDocuments()) return false;
  clock_.Pause(kClosingPause);
  return true;
}

}  // namespace kalkora
