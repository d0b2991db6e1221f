#include "fakes/simulated_word_processor.hpp"

#include <algorithm>

#include "core/generate/sheet_loop.hpp"

namespace kalkora::testing {
namespace {

int SheetSizeOfTemplate(std::string_view path) {
  if (path.ends_with("d24.doc")) return 24;
  if (path.ends_with("d30.doc")) return 30;
  return 18;
}

std::string Number(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

std::vector<const SimParagraph*> SimDocument::Cell(int row, int column) const {
  std::vector<const SimParagraph*> cell;
  for (const SimParagraph& paragraph : paragraphs) {
    if (paragraph.row == row && paragraph.column == column) cell.push_back(&paragraph);
  }
  return cell;
}

std::string SimDocument::CellText(int row, int column) const {
  std::string text;
  for (const SimParagraph* paragraph : Cell(row, column)) text += paragraph->text;
  return text;
}

SimDocument TemplateDocument(int sheetSize) {
  SimDocument document;
  document.rows = 12;
  document.columns = ColumnsPerRow(sheetSize);
  document.paragraphs.push_back({"数学作业练习", {}, 0, 0});
  document.paragraphs.push_back({});
  document.paragraphs.push_back({});
  for (int row = 1; row <= document.rows; ++row) {
    for (int column = 1; column <= document.columns; ++column) {
      const bool answerCell = row % 2 == 0 && column == 1;
      const bool lineBreakCell = answerCell && sheetSize == 30 && row == 2;
      const int count = lineBreakCell ? 5 : answerCell ? 6 : 1;
      for (int i = 0; i < count; ++i) {
        document.paragraphs.push_back({lineBreakCell && i == 0 ? "\v" : "", {}, row, column});
      }
    }
  }
  document.paragraphs.push_back({});
  return document;
}

bool SimulatedWordProcessor::Log(std::string call) {
  calls.push_back(std::move(call));
  return !(failFromCall && calls.size() > *failFromCall);
}

SimDocument* SimulatedWordProcessor::Active() {
  return documents.empty() || !Reachable() ? nullptr : &documents[active_];
}

void SimulatedWordProcessor::OpenUserDocument() {
  SimDocument document;
  document.paragraphs.push_back({"a letter the user is writing", {}, 0, 0});
  documents.push_back(document);
  active_ = documents.size() - 1;
  paragraph_ = offset_ = 0;
}

bool SimulatedWordProcessor::CreateApplication() {
  applicationHeld = false;
  if (!Log("CreateApplication") || failCreate) return false;
  applicationHeld = true;
  ++applicationConnections;
  return true;
}

bool SimulatedWordProcessor::AttachDocuments() {
  documentsUnitHeld = false;
  if (!Log("AttachDocuments") || !applicationHeld) return false;
  documentsUnitHeld = true;
  return true;
}

bool SimulatedWordProcessor::TakeDocumentsObject() {
  documentsObjectHeld = false;
  if (!Log("TakeDocumentsObject") || !documentsUnitHeld) return false;
  documentsObjectHeld = true;
  return true;
}

bool SimulatedWordProcessor::AddDocument(std::string_view templatePath) {
  if (!Log("AddDocument(" + std::string(templatePath) + ")") || failAdd || !documentsObjectHeld) {
    return false;
  }
  SimDocument document = TemplateDocument(SheetSizeOfTemplate(templatePath));
  document.templatePath = templatePath;
  documents.push_back(std::move(document));
  active_ = documents.size() - 1;
  paragraph_ = offset_ = 0;
  pendingSize_.reset();
  return true;
}

bool SimulatedWordProcessor::ShowApplication() {
  if (!Log("Visible=true") || !applicationHeld) return false;
  visible = true;
  return true;
}

bool SimulatedWordProcessor::MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  if (!Log("MoveUp(" + std::to_string(unit) + "," + std::to_string(count) + "," +
           std::to_string(extend) + ")")) {
    return false;
  }
  if (!Active()) return false;
  if (unit == wdScreen) paragraph_ = offset_ = 0;
  pendingSize_.reset();
  return true;
}

bool SimulatedWordProcessor::MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  if (!Log("MoveDown(" + std::to_string(unit) + "," + std::to_string(count) + "," +
           std::to_string(extend) + ")")) {
    return false;
  }
  SimDocument* document = Active();
  if (!document) return false;
  if (unit == wdParagraph) {
    const std::size_t last = document->paragraphs.size() - 1;
    paragraph_ = std::min(paragraph_ + static_cast<std::size_t>(count), last);
    offset_ = 0;
  }
  pendingSize_.reset();
  return true;
}

bool SimulatedWordProcessor::MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) {
  if (!Log("MoveRight(" + std::to_string(unit) + "," + std::to_string(count) + "," +
           std::to_string(extend) + ")")) {
    return false;
  }
  SimDocument* document = Active();
  if (!document) return false;
  if (unit != wdCell || count == 0) return true;
  const SimParagraph& here = document->paragraphs[paragraph_];
  if (here.row == 0) return true;
  int cell = (here.row - 1) * document->columns + here.column - 1 + count;
  cell = std::min(cell, document->rows * document->columns - 1);
  const int row = cell / document->columns + 1;
  const int column = cell % document->columns + 1;
  const auto target = std::ranges::find_if(document->paragraphs, [&](const SimParagraph& p) {
    return p.row == row && p.column == column;
  });
  paragraph_ = static_cast<std::size_t>(target - document->paragraphs.begin());
  offset_ = 0;
  pendingSize_.reset();
  return true;
}

bool SimulatedWordProcessor::TypeText(std::string_view text) {
  if (!Log("TypeText(" + std::string(text) + ")")) return false;
  SimDocument* document = Active();
  if (!document) return false;
  SimParagraph& paragraph = document->paragraphs[paragraph_];
  paragraph.text.insert(offset_, text);
  offset_ += text.size();
  paragraph.typed.push_back({std::string(text), pendingSize_});
  return true;
}

bool SimulatedWordProcessor::SetFontSize(float points) {
  if (!Log("Font.Size=" + Number(static_cast<double>(points)))) return false;
  if (!Active()) return false;
  pendingSize_ = points;
  return true;
}

bool SimulatedWordProcessor::ReleaseDocuments() {
  calls.push_back("ReleaseDocuments");
  documentsUnitHeld = false;
  return true;
}

void SimulatedWordProcessor::ReleaseAll() {
  calls.push_back("ReleaseAll");
  documentsObjectHeld = documentsUnitHeld = applicationHeld = false;
}

}  // namespace kalkora::testing
