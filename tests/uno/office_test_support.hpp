#pragma once

#include <sys/types.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/message_box.hpp"
#include "app/program_state.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "word/linux/private_template_store.hpp"
#include "word/office_locator.hpp"
#include "word/uno/uno_word_processor.hpp"

namespace kalkora::testing {

inline void PrintTo(const std::vector<UserMessage>& messages, std::ostream* out) {
  for (const UserMessage& message : messages)
    *out << "[" << message.caption << "] " << message.text << "\n";
}

// A headless office of the test program's own: private profile and pipe in a temporary
// folder, started by the first connection, reused by every test, stopped by its process id
// when the program ends.
class TestOffice {
 public:
  TestOffice();
  ~TestOffice();

  uno::UnoOfficeOptions Options() const;
  uno::UnoWordProcessor& Automation() { return *automation_; }
  PrivateTemplateStore& Store() { return store_; }
  const std::string& Folder() const { return folder_; }
  // SIGKILL to the running office, then waits for it.
  void Kill();

 private:
  std::string folder_;
  std::string pipe_;
  std::unique_ptr<uno::UnoWordProcessor> automation_;
  PrivateTemplateStore store_;
};

TestOffice& SharedOffice();

// Stops an office process of ours: SIGTERM, then SIGKILL if it lingers; always reaped.
void StopOffice(pid_t pid);

// One generate run with fixed ticks on the window's defaults plus a kind and a size.
struct SheetRun {
  SheetRun(std::string_view kindBox, std::string_view sizeRadio);
  void Run(WordAutomation& automation, OfficeLocator& locator, TemplateStore& store);

  MemoryControls controls;
  FakeClock clock;
  ProgramState state = CreateProgramState();
  RecordingMessageBox messages;
};

// What a finished sheet holds, read back over a connection of its own.
struct SheetContent {
  std::vector<std::string> beforeTable;
  std::vector<std::vector<std::string>> cells;  // [row][column], 0-based
  std::vector<std::vector<float>> latinHeights;
  std::vector<std::vector<float>> asianHeights;
  std::vector<std::string> afterTable;
  int tables = 0;
  std::string url;
  bool hasLocation = true;
  bool modified = false;
  std::string title;
};

class DocumentReader {
 public:
  explicit DocumentReader(const std::string& pipeName);
  ~DocumentReader();

  // Every open document, read in the order the office lists them.
  std::vector<SheetContent> ReadAll();
  // Closes every open document without saving.
  void CloseAll();
  // Writes the current document as PDF.
  bool ExportFirstAsPdf(const std::string& pdfPath);

 private:
  struct Office;
  std::unique_ptr<Office> office_;
};

}  // namespace kalkora::testing
