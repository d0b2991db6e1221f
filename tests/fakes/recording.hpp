#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/base/office_locator.hpp"
#include "core/base/template_store.hpp"
#include "core/generate/sheet_loop.hpp"

namespace kalkora {

// How a test failure shows a message (found by argument-dependent lookup, also inside vectors).
inline void PrintTo(const UserMessage& message, std::ostream* out) {
  *out << "[" << message.caption << "] " << message.text;
}

}  // namespace kalkora

namespace kalkora::testing {

class RecordingMessageBox : public MessageBox {
 public:
  void Show(const UserMessage& message) override { shown.push_back(message); }
  std::vector<UserMessage> shown;
};

// Collects the sheet loop's output: the texts in order and the cell advances.
class RecordingProblemWriter : public ProblemWriter {
 public:
  bool WriteProblemText(std::string_view text) override {
    texts.emplace_back(text);
    return true;
  }
  bool AdvanceCells(int count) override {
    advances.push_back(count);
    return true;
  }
  std::vector<std::string> texts;
  std::vector<int> advances;
};

// An office installed at a path the test may change.
class FixedOfficeLocator : public OfficeLocator {
 public:
  explicit FixedOfficeLocator(std::string installPath) : path(std::move(installPath)) {}
  std::string InstallPath() override { return path; }
  std::string path;
};

// Pretends to write the templates into a folder (its path ends in a separator) and records the
// sizes asked for; can be told to fail.
class FakeTemplateStore : public TemplateStore {
 public:
  explicit FakeTemplateStore(std::string folderPath = "/fake/") : folder(std::move(folderPath)) {}
  TemplateWrite Write(int sheetSize) override {
    writes.push_back(sheetSize);
    const char* name = sheetSize == 24 ? "d24.doc" : sheetSize == 30 ? "d30.doc" : "doc.doc";
    return {folder + name, !fail};
  }
  std::string folder;
  std::vector<int> writes;
  bool fail = false;
};

}  // namespace kalkora::testing
