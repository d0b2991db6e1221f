// The connection's life: reusing a running office, replacing one that was killed between or
// during runs, and giving up on an office that cannot be started.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include "core/base/form_names.hpp"
#include "core/word/bounded_automation.hpp"
#include "core/word/office_messages.hpp"
#include "office/uno/office_test_support.hpp"
#include "system/posix/libreoffice_locator.hpp"

namespace kalkora::testing {
namespace {

std::vector<UserMessage> RunSheet(WordAutomation& automation) {
  SheetRun run(form::选择框1, form::单选框1);
  posix::LibreOfficeLocator locator;
  run.Run(automation, locator, SharedOffice().Store());
  return run.messages.shown;
}

// Exactly one finished sheet is open (the documents of earlier tests are closed first).
void ExpectOneFinishedSheet() {
  const std::vector<SheetContent> sheets =
      DocumentReader(SharedOffice().Options().pipeName).ReadAll();
  ASSERT_EQ(sheets.size(), 1u);
  ASSERT_EQ(sheets[0].cells.size(), 12u);
  EXPECT_TRUE(sheets[0].cells[10][2].ends_with(" =")) << sheets[0].cells[10][2];
  ASSERT_EQ(sheets[0].afterTable.size(), 1u);
  EXPECT_FALSE(sheets[0].afterTable[0].empty());
}

void CloseEverything() { DocumentReader(SharedOffice().Options().pipeName).CloseAll(); }

TEST(OfficeConnection, ReusesTheRunningOffice) {
  TestOffice& office = SharedOffice();
  const std::optional<pid_t> before = office.Automation().StartedOfficePid();
  ASSERT_TRUE(before);
  CloseEverything();
  EXPECT_TRUE(RunSheet(office.Automation()).empty());
  EXPECT_TRUE(RunSheet(office.Automation()).empty());
  EXPECT_EQ(office.Automation().StartedOfficePid(), before);
  EXPECT_EQ(DocumentReader(office.Options().pipeName).ReadAll().size(), 2u);
}

TEST(OfficeConnection, StartsANewOfficeAfterTheOldOneWasKilled) {
  TestOffice& office = SharedOffice();
  EXPECT_TRUE(RunSheet(office.Automation()).empty());
  const std::optional<pid_t> killed = office.Automation().StartedOfficePid();
  office.Kill();
  EXPECT_TRUE(RunSheet(office.Automation()).empty());
  const std::optional<pid_t> started = office.Automation().StartedOfficePid();
  ASSERT_TRUE(started);
  EXPECT_NE(started, killed);
  ExpectOneFinishedSheet();
}

// The office dies at different points of a run: while the document is added, while the
// heading is typed, among the problems, just before the date. An 18-problem run makes 83
// calls: 3 to connect, add (4), show (5), up, down, heading (8), ..., the date (83).
struct KillCase {
  int call;
  bool whileAdding;
};

class KilledMidRun : public ::testing::TestWithParam<KillCase> {};

TEST_P(KilledMidRun, EndsWithOneMessageAndTheNextRunWorks) {
  TestOffice& office = SharedOffice();
  InterruptingAutomation dying(office, GetParam().call, [&office] { office.Kill(); });
  const UserMessage expected =
      GetParam().whileAdding ? OfficeMessage(kTemplateNotOpened, office.Store().Write(18).path)
                             : OfficeMessage(kWordStoppedMidRun);
  EXPECT_EQ(RunSheet(dying), std::vector<UserMessage>{expected});
  EXPECT_TRUE(RunSheet(office.Automation()).empty());
  ExpectOneFinishedSheet();
}

INSTANTIATE_TEST_SUITE_P(AtCall, KilledMidRun,
                         ::testing::Values(KillCase{4, true}, KillCase{8, false},
                                           KillCase{20, false}, KillCase{83, false}));

TEST(OfficeConnection, GivesUpOnAnOfficeThatCannotStart) {
  uno::UnoOfficeOptions options = SharedOffice().Options();
  options.pipeName += "-missing";
  options.officeProgram = SharedOffice().Folder() + "/no-such-soffice";
  uno::UnoWordProcessor automation(options);
  EXPECT_FALSE(automation.CreateApplication());
  EXPECT_FALSE(automation.AttachDocuments());
  EXPECT_FALSE(automation.AddDocument("/tmp/doc.doc"));
  EXPECT_FALSE(automation.TypeText("x"));
  EXPECT_EQ(RunSheet(automation), std::vector<UserMessage>{OfficeMessage(kWordNotStarted)});
}

TEST(OfficeConnection, StopsWaitingForAnOfficeThatNeverAnswers) {
  uno::UnoOfficeOptions options = SharedOffice().Options();
  options.pipeName += "-silent";
  options.officeProgram = SharedOffice().Folder() + "/silent-office";
  options.connectTimeout = std::chrono::milliseconds(400);
  std::ofstream(options.officeProgram) << "#!/bin/sh\nexec sleep 30\n";
  ::chmod(options.officeProgram.c_str(), 0700);

  uno::UnoWordProcessor automation(options);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(automation.CreateApplication());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  const std::optional<pid_t> silent = automation.StartedOfficePid();
  ASSERT_TRUE(silent);
  ::kill(*silent, SIGKILL);
  ::waitpid(*silent, nullptr, 0);
}

// The window's office on a display: a program folder without a desktop plug-in (the headless
// office packages) is refused before anything is started; with one, the office is started.
struct DisplayCase {
  const char* name;
  const char* plugin;  // put beside the program; none when empty
  bool refused;
};

class OfficeOnADisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(OfficeOnADisplay, IsRefusedWithoutADesktopPlugin) {
  const std::string folder = SharedOffice().Folder() + "/program-" + GetParam().name;
  std::filesystem::create_directories(folder);
  uno::UnoOfficeOptions options = SharedOffice().Options();
  options.pipeName += std::string("-display-") + GetParam().name;
  options.officeProgram = folder + "/soffice";
  options.headless = false;
  options.connectTimeout = std::chrono::milliseconds(300);
  std::ofstream(options.officeProgram) << "#!/bin/sh\ntouch \"$0.started\"\n";
  ::chmod(options.officeProgram.c_str(), 0700);
  if (*GetParam().plugin) std::ofstream(folder + "/" + GetParam().plugin).flush();

  const auto session = std::make_shared<uno::OfficeSession>(options);
  BoundedAutomation automation(
      [session] { return std::make_unique<uno::UnoWordProcessor>(session); },
      std::chrono::seconds(5));
  const std::vector<UserMessage> shown = RunSheet(automation);
  const bool started = std::filesystem::exists(options.officeProgram + ".started");
  if (GetParam().refused) {
    EXPECT_EQ(shown, std::vector<UserMessage>{OfficeMessage(kWordCannotShowWindows)});
    EXPECT_FALSE(started) << "an office that cannot show its window was started";
  } else {
    EXPECT_EQ(shown, std::vector<UserMessage>{OfficeMessage(kWordNotStarted)});
    EXPECT_TRUE(started);
  }
}

INSTANTIATE_TEST_SUITE_P(Plugins, OfficeOnADisplay,
                         ::testing::Values(DisplayCase{"headless", "", true},
                                           DisplayCase{"gtk3", "libvclplug_gtk3lo.so", false}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(OfficeConnection, RefusesATemplateThatIsNotThere) {
  TestOffice& office = SharedOffice();
  uno::UnoWordProcessor& automation = office.Automation();
  ASSERT_TRUE(automation.CreateApplication());
  ASSERT_TRUE(automation.AttachDocuments());
  ASSERT_TRUE(automation.TakeDocumentsObject());
  EXPECT_FALSE(automation.AddDocument(office.Folder() + "/missing.doc"));
  EXPECT_FALSE(automation.TypeText("lands nowhere"));
  // The office is still there for the next run.
  ASSERT_TRUE(automation.StartedOfficePid()) << "the office ended after a failed load";
  CloseEverything();
  EXPECT_TRUE(RunSheet(automation).empty());
  ExpectOneFinishedSheet();
}

}  // namespace
}  // namespace kalkora::testing
