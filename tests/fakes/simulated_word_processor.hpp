#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/word_automation.hpp"

namespace kalkora::testing {

// A run of typed text and the font size that was set for it (none: the template's own).
struct TypedRun {
  std::string text;
  std::optional<float> size;
};

struct SimParagraph {
  std::string text;
  std::vector<TypedRun> typed;
  int row = 0;     // 1-based table row, 0 outside the table
  int column = 0;  // 1-based table column
};

struct SimDocument {
  std::string templatePath;              // empty for a document the user opened
  std::vector<SimParagraph> paragraphs;  // in document order, cells in reading order
  int rows = 0;
  int columns = 0;

  // The paragraphs of one cell, in order.
  std::vector<const SimParagraph*> Cell(int row, int column) const;
  // All text typed into one cell.
  std::string CellText(int row, int column) const;
};

// A sheet template's structure: title, two empty paragraphs, the 12-row table whose answer
// rows hold six empty paragraphs in their first cell, one empty paragraph after it.
SimDocument TemplateDocument(int sheetSize);

// A word processor in memory with Word's selection rules: MoveUp by screen goes to the top;
// MoveDown by paragraph walks the paragraphs in document order, through table cells, and stops
// at the last; MoveRight by cell goes to the next cell in reading order (count 0 stays); a
// font size set applies to what is typed next, until the selection moves. Every call is
// logged, and calls can be made to fail.
class SimulatedWordProcessor : public WordAutomation {
 public:
  bool CreateApplication() override;
  bool AttachDocuments() override;
  bool TakeDocumentsObject() override;
  bool AddDocument(std::string_view templatePath) override;
  bool ShowApplication() override;
  bool MoveUp(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool MoveDown(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool MoveRight(std::int32_t unit, std::int32_t count, std::int32_t extend) override;
  bool TypeText(std::string_view text) override;
  bool SetFontSize(float points) override;
  bool ReleaseDocuments() override;
  void ReleaseAll() override;
  void Abandon() override { ++abandoned; }
  std::optional<UserMessage> ConnectionRefusal() override { return refusal; }

  // A document the user already has open, active until a new one is added.
  void OpenUserDocument();

  const SimDocument& Document(std::size_t index) const { return documents.at(index); }

  std::vector<SimDocument> documents;
  std::vector<std::string> calls;
  bool visible = false;
  bool applicationHeld = false;
  bool documentsUnitHeld = false;
  bool documentsObjectHeld = false;
  int applicationConnections = 0;
  int abandoned = 0;

  // Failure injection: the application cannot be created (with `refusal` saying why, when
  // set); "add" fails; every call from the n-th logged call on fails (the office went away).
  bool failCreate = false;
  std::optional<UserMessage> refusal;
  bool failAdd = false;
  std::optional<std::size_t> failFromCall;

 private:
  bool Log(std::string call);
  SimDocument* Active();
  bool Reachable() const { return applicationHeld && documentsUnitHeld; }

  std::size_t active_ = 0;
  std::size_t paragraph_ = 0;
  std::size_t offset_ = 0;
  std::optional<float> pendingSize_;
};

}  // namespace kalkora::testing
