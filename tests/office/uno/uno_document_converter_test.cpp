// The PDF route with the real office: RunBatch through the UNO converter, the office of the
// converter's own, and its time limit.
#include "office/uno/uno_document_converter.hpp"
#include "fakes/file_bytes.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "core/app/batch_command.hpp"
#include "core/base/form_names.hpp"
#include "fakes/memory_controls.hpp"
#include "office/uno/uno_word_processor.hpp"

extern char** environ;

namespace kalkora {
namespace {

namespace fs = std::filesystem;

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
      text.append(buffer, read);
    ::pclose(pipe);
  }
  return text;
}

int PdfPages(const fs::path& pdf) {
  std::smatch match;
  const std::string info = Output("pdfinfo '" + pdf.string() + "'");
  return std::regex_search(info, match, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(match[1]) : -1;
}

bool Gone(pid_t pid) { return ::kill(pid, 0) == -1 && errno == ESRCH; }

class UnoDocumentConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Output("for p in soffice pdfinfo pdftoppm; do command -v $p; done | wc -l") != "3\n") {
      GTEST_SKIP() << "soffice or poppler-utils missing";
    }
    folder = fs::temp_directory_path() / ("kalkora-pdf-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // A set of division sheets dated 2026-12-09, written to `output`.
  static BatchRequest Request(int sheets, const fs::path& output) {
    BatchRequest request;
    request.sheets = sheets;
    request.date = {2026, 12, 9, 0, 0, 0};
    request.outputPath = output.string();
    return request;
  }

  fs::path folder;
  const SheetSettings settings{ExerciseKind::Division, 30, "1", "100", true, "2"};
};

TEST_F(UnoDocumentConverterTest, ASetAndItsKeyBecomeAPdfPageEachInAnOfficeOfItsOwn) {
  BatchRequest request = Request(5, folder / "除法.pdf");
  request.firstCode = 482913;
  request.answers = true;

  std::optional<pid_t> office;
  std::string commandLine;
  std::string environment;
  {
    uno::UnoDocumentConverter converter;
    const BatchResult result = RunBatch(
        settings, request, &converter, [](int, int) { return true; }, [] { return 0; });
    ASSERT_EQ(result.outcome, BatchOutcome::Written) << result.message.text;
    office = converter.OfficePid();
    ASSERT_TRUE(office) << "the office serves the next conversion too";
    commandLine = testing::FileBytes("/proc/" + std::to_string(*office) + "/cmdline");
    environment = testing::FileBytes("/proc/" + std::to_string(*office) + "/environ");
  }
  EXPECT_TRUE(Gone(*office)) << "stopped and waited for when the converter goes";
  EXPECT_NE(commandLine.find("pipe,name=kalkora-convert-"), std::string::npos) << commandLine;
  EXPECT_EQ(commandLine.find("name=" + uno::DefaultPipeName() + ";"), std::string::npos);
  const std::regex profile(
      "-env:UserInstallation=file://(/[^\\s\\x00]*kalkora-convert-\\w+)/profile");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(commandLine, match, profile)) << commandLine;
  const std::string privateFolder = match[1];
  EXPECT_NE(environment.find("XDG_CACHE_HOME=" + privateFolder + "/cache"), std::string::npos);
  EXPECT_NE(environment.find(std::string("TMPDIR=") + privateFolder + '\0'), std::string::npos);
  EXPECT_FALSE(fs::exists(privateFolder)) << "the private folder is removed";

  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"除法-答案.pdf", "除法.pdf"}));
  EXPECT_EQ(PdfPages(folder / "除法.pdf"), 5);
  EXPECT_EQ(PdfPages(folder / "除法-答案.pdf"), 5);
  const std::string text =
      Output("pdftotext -f 1 -l 1 '" + (folder / "除法-答案.pdf").string() + "' -");
  EXPECT_NE(text.find("除法运算题答案"), std::string::npos) << text;
  EXPECT_NE(text.find("卷号 482913"), std::string::npos) << text;
  // The first page of the key, kept beside the test program to be looked at.
  Output("pdftoppm -png -r 80 -f 1 -l 1 -singlefile '" + (folder / "除法-答案.pdf").string() +
         "' '" KALKORA_KEY_PAGE_PNG "'");
  EXPECT_TRUE(fs::exists(KALKORA_KEY_PAGE_PNG ".png"));
}

TEST_F(UnoDocumentConverterTest, AConversionThatOutlastsItsTimeLimitKillsTheOfficeAndFails) {
  std::ofstream(folder / "a.docx") << "not read: the office is killed before it answers";
  uno::UnoDocumentConverter converter(
      {{}, std::chrono::milliseconds(300), std::chrono::seconds(5)});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(converter.ConvertToPdf((folder / "a.docx").string(), (folder / "a.pdf").string()));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(converter.OfficePid(), std::nullopt);
  EXPECT_FALSE(fs::exists(folder / "a.pdf"));
}

// The office of a kalkora-sheets process, found by the pipe name the program gives it.
std::optional<pid_t> OfficeOf(pid_t program) {
  const std::string pipe = "pipe,name=kalkora-convert-" + std::to_string(program) + "-";
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    if (testing::FileBytes(entry.path() / "cmdline").find(pipe) != std::string::npos)
      return std::stoi(name);
  }
  return std::nullopt;
}

TEST_F(UnoDocumentConverterTest, AnInterruptedProgramStopsItsOfficeAndLeavesNoFile) {
  std::string program = KALKORA_SHEETS_PROGRAM;
  std::string answers = "--answers";
  std::string option = "--output";
  std::string output = (folder / "set.pdf").string();
  char* argv[] = {program.data(), answers.data(), option.data(), output.data(), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ), 0);
  std::optional<pid_t> office;
  for (int wait = 0; wait < 1200 && !office; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    office = OfficeOf(pid);
  }
  ASSERT_TRUE(office) << "no office started";
  ::kill(pid, SIGINT);
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
  EXPECT_TRUE(Gone(*office));
  EXPECT_TRUE(fs::is_empty(folder)) << "no PDF, no temporary .docx";
}

TEST_F(UnoDocumentConverterTest, AMissingDocumentFailsAndTheOfficeServesTheNextOne) {
  uno::UnoDocumentConverter converter;
  EXPECT_FALSE(
      converter.ConvertToPdf((folder / "none.docx").string(), (folder / "n.pdf").string()));
  EXPECT_FALSE(converter.ConvertToPdf("relative.docx", (folder / "r.pdf").string()));
  EXPECT_FALSE(fs::exists(folder / "n.pdf"));
}

}  // namespace
}  // namespace kalkora
