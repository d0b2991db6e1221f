#pragma once

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/base/message_box.hpp"
#include "core/base/office_locator.hpp"
#include "core/generate/program_state.hpp"
#include "core/word/bounded_automation.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"
#include "office/uno/uno_word_processor.hpp"
#include "system/posix/private_template_store.hpp"

namespace kalkora::testing {

// A headless office of the test program's own: private profile and pipe in a temporary
// folder, started by the first connection, reused by every test, stopped by its process id
// when the program ends.
class TestOffice {
 public:
  TestOffice();
  ~TestOffice();

  uno::UnoOfficeOptions Options() const;
  // The program's own connection to the office.
  uno::UnoWordProcessor& Automation() { return *automation_; }
  // New connections to the same office, as the time limit's workers make them.
  BoundedAutomation::Connect Connections() const;
  posix::PrivateTemplateStore& Store() { return store_; }
  const std::string& Folder() const { return folder_; }
  // SIGKILL to the running office, then waits until it was reaped.
  void Kill();

 private:
  std::string folder_;
  std::string pipe_;
  std::shared_ptr<uno::OfficeSession> session_;
  std::unique_ptr<uno::UnoWordProcessor> automation_;
  posix::PrivateTemplateStore store_;
};

TestOffice& SharedOffice();

// Passes every call on to a real connection (the program's own, or one of its own) and does
// something to the office (kills or stops it) just before call `at`, or just before the
// finished sheet is let go when `at` is kAtRelease.
class InterruptingAutomation : public WordAutomation {
 public:
  static constexpr int kAtRelease = -1;

  InterruptingAutomation(TestOffice& office, int at, std::function<void()> interrupt)
      : real_(office.Automation()), at_(at), interrupt_(std::move(interrupt)) {}
  InterruptingAutomation(std::unique_ptr<WordAutomation> connection, int at,
                         std::function<void()> interrupt)
      : owned_(std::move(connection)), real_(*owned_), at_(at), interrupt_(std::move(interrupt)) {}

  bool CreateApplication() override { return Count() && real().CreateApplication(); }
  bool AttachDocuments() override { return Count() && real().AttachDocuments(); }
  bool TakeDocumentsObject() override { return Count() && real().TakeDocumentsObject(); }
  bool AddDocument(std::string_view path) override { return Count() && real().AddDocument(path); }
  bool ShowApplication() override { return Count() && real().ShowApplication(); }
  bool MoveUp(std::int32_t u, std::int32_t c, std::int32_t e) override {
    return Count() && real().MoveUp(u, c, e);
  }
  bool MoveDown(std::int32_t u, std::int32_t c, std::int32_t e) override {
    return Count() && real().MoveDown(u, c, e);
  }
  bool MoveRight(std::int32_t u, std::int32_t c, std::int32_t e) override {
    return Count() && real().MoveRight(u, c, e);
  }
  bool TypeText(std::string_view text) override { return Count() && real().TypeText(text); }
  bool SetFontSize(float points) override { return Count() && real().SetFontSize(points); }
  bool ReleaseDocuments() override {
    if (at_ == kAtRelease && !std::exchange(released_, true)) interrupt_();
    return real().ReleaseDocuments();
  }
  void ReleaseAll() override { real().ReleaseAll(); }
  void Abandon() override { real().Abandon(); }

 private:
  WordAutomation& real() { return real_; }
  bool Count() {
    if (++calls_ == at_) interrupt_();
    return true;
  }

  std::unique_ptr<WordAutomation> owned_;
  WordAutomation& real_;
  int at_;
  std::function<void()> interrupt_;
  int calls_ = 0;
  bool released_ = false;
};

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
  bool controllersLocked = false;
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
  // Locks the views of every open document, as a connection cut off mid-run leaves them.
  void LockAll();
  // Writes the current document as PDF.
  bool ExportFirstAsPdf(const std::string& pdfPath);

 private:
  struct Office;
  std::unique_ptr<Office> office_;
};

}  // namespace kalkora::testing
