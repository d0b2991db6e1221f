// The built kalkora-sheets run as a process: exit codes, what it prints, the files it writes.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/word/zip_reading.hpp"
#include "fakes/file_bytes.hpp"
#include "fakes/temporary_folder.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class KalkoraSheetsTest : public ::testing::Test {
 protected:
  // Runs the program with these arguments; `path` replaces the search path when given.
  Outcome Start(std::vector<std::string> arguments, const char* path = nullptr) {
    arguments.insert(arguments.begin(), KALKORA_SHEETS_PROGRAM);
    return Spawn(std::move(arguments), path);
  }
  // Runs the program through the shell: `script` ("ulimit -f 8; exec \"$0\" \"$@\"") starts
  // it, with these arguments.
  Outcome StartThrough(const std::string& script, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"/bin/sh", "-c", script, KALKORA_SHEETS_PROGRAM});
    return Spawn(std::move(arguments));
  }
  Outcome Spawn(std::vector<std::string> arguments, const char* path = nullptr) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
      if (!path || !std::string_view(*entry).starts_with("PATH=")) environment.emplace_back(*entry);
    }
    if (path) environment.push_back(std::string("PATH=") + path);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string out = (folder / ".stdout").string();
    const std::string err = (folder / ".stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    Outcome run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = kalkora::testing::FileBytes(out);
    run.err = kalkora::testing::FileBytes(err);
    fs::remove(out);
    fs::remove(err);
    return run;
  }
  std::string In(const char* name) const { return (folder / name).string(); }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
  }

  kalkora::testing::TemporaryFolder scratch{"kalkora-cli-"};
  const fs::path folder = scratch.Path();
};

const char kUsage[] =
    "用法：kalkora-sheets [选项...] --output 文件\n选项见 kalkora-sheets --help。\n";

TEST_F(KalkoraSheetsTest, UsageErrorsAndRefusalsExitWithTwoAndWriteNothing) {
  const struct {
    std::vector<std::string> arguments;
    std::string err;
  } cases[] = {
      {{}, std::string("kalkora-sheets: 缺少 --output 文件\n") + kUsage},
      {{"--bogus", "--output", In("a.docx")},
       std::string("kalkora-sheets: 未知的选项：--bogus\n") + kUsage},
      {{"--output", In("a.odt")},
       "kalkora-sheets: --output 的文件名须以 .docx 或 .pdf 结尾：" + In("a.odt") + "\n" + kUsage},
      {{"--code", "99999", "--output", In("a.docx")},
       std::string("kalkora-sheets: --code 须是 100000 到 999999 之间的六位数：99999\n") + kUsage},
      {{"--kind", "分数", "--decimals", "2", "--output", In("a.docx")},
       "分数题型不支持小数点生成！\n"},
      {{"--problems", "30", "--decimals", "4", "--output", In("a.pdf")},
       "30题的作业，小数点如果大于3位，将无法显示出来！\n"},
      {{"--decimals", "0", "--output", In("a.docx")}, "支持输入的小数点位数范围 1－－5位 之间！\n"},
      {{"--from", "abc", "--output", In("a.docx")},
       std::string("kalkora-sheets: --from 须是 0 或更大的整数：abc\n") + kUsage},
      {{"--from", "-5", "--to", "5", "--output", In("a.docx")},
       std::string("kalkora-sheets: --from 不能是负数：-5\n") + kUsage},
      {{"--to", "100000000000", "--output", In("a.docx")},
       std::string("kalkora-sheets: --to 最大是 32768（--from 的值加 32767）：100000000000\n") +
           kUsage},
      {{"--carry", "101", "--output", In("a.docx")},
       std::string("kalkora-sheets: --carry 须是 any 或 0 到 100 之间的整数：101\n") + kUsage},
      {{"--kind", "分数", "--carry", "50", "--output", In("a.docx")},
       "分数题不能要求进位（--carry）\n"},
      {{"--from", "0", "--to", "1", "--distinct", "--answers", "--output", In("a.docx")},
       "这些设置只能出 4 道不同的加法题，少于每份的 18 道（不重复）\n"},
  };
  for (const auto& c : cases) {
    const Outcome run = Start(c.arguments);
    EXPECT_EQ(run.exitCode, 2) << c.err;
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(FileCount(), 0u);
}

TEST_F(KalkoraSheetsTest, WritesTheSetAndItsKeyReplacingAnOlderFileTheSameForTheSameCode) {
  std::ofstream(In("set.docx")) << "an older set";
  const std::vector<std::string> arguments{"--kind=减法", "--from",     "20",       "--sheets",
                                           "3",           "--answers",  "--code",   "482913",
                                           "--date",      "2026-12-09", "--output", In("set.docx")};
  Outcome run = Start(arguments);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
  const std::string sheets = kalkora::testing::FileBytes(In("set.docx"));
  const std::string key = kalkora::testing::FileBytes(In("set-答案.docx"));
  EXPECT_TRUE(sheets.starts_with("PK")) << "a zip container";
  EXPECT_TRUE(key.starts_with("PK"));
  EXPECT_EQ(FileCount(), 2u);

  run = Start(arguments);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(kalkora::testing::FileBytes(In("set.docx")), sheets)
      << "the same code, settings and date: the same bytes";
  EXPECT_EQ(kalkora::testing::FileBytes(In("set-答案.docx")), key);
}

TEST_F(KalkoraSheetsTest, AnUnwritableFileExitsWithThree) {
  const Outcome run = Start({"--output", In("missing/a.docx")});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.err,
            "kalkora-sheets: 无法写入文件：" + In("missing/a.docx") + "（文件夹不存在）\n");
  EXPECT_EQ(FileCount(), 0u);
}

// What a poppler tool prints for the file; nothing when it cannot run.
std::string Poppler(const std::string& command) {
  std::string output;
  if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      output.append(buffer, got);
    }
    ::pclose(pipe);
  }
  return output;
}

// The words of a text, split at spaces, the ideographic space (U+3000) included.
std::vector<std::string> Words(std::string text) {
  for (std::size_t at; (at = text.find("\u3000")) != std::string::npos;) text.replace(at, 3, " ");
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

// The words of each page of a .docx, in document order: a page starts at its title.
std::vector<std::vector<std::string>> DocxPageWords(const std::string& bytes) {
  const std::string xml =
      kalkora::testing::EntryContents(kalkora::testing::ReadZip(bytes), "word/document.xml");
  std::vector<std::vector<std::string>> pages;
  const std::string run = "<w:t xml:space=\"preserve\">";
  std::size_t title = xml.find("<w:pStyle w:val=\"Title\"/>");
  while (title != std::string::npos) {
    const std::size_t next = xml.find("<w:pStyle w:val=\"Title\"/>", title + 1);
    std::string text;
    for (std::size_t at = xml.find(run, title); at < next; at = xml.find(run, at)) {
      at += run.size();
      text += xml.substr(at, xml.find("</w:t>", at) - at) + ' ';
    }
    pages.push_back(Words(text));
    title = next;
  }
  return pages;
}

// With no office anywhere on the search path, the PDF is drawn directly: a page per sheet and
// per key page, A4, the face embedded, and on every page the words of the .docx made from the
// same code, in the same order, read back as text.
TEST_F(KalkoraSheetsTest, APdfNeedsNoOfficeAndShowsTheTextsOfTheDocxOnItsPages) {
  if (Poppler("pdftotext -v").empty() && Poppler("command -v pdftotext").empty()) {
    GTEST_SKIP() << "no poppler-utils";
  }
  for (const char* size : {"18", "24", "30"}) {
    SCOPED_TRACE(size);
    std::vector<std::string> arguments{"--kind",     "除法",    "--problems", size,
                                       "--decimals", "3",       "--sheets",   "3",
                                       "--answers",  "--code",  "999999",     "--date",
                                       "2026-12-09", "--title", "期末复习 A", "--name-line"};
    std::vector<std::string> docx = arguments;
    docx.insert(docx.end(), {"--output", In("set.docx")});
    arguments.insert(arguments.end(), {"--output", In("set.pdf")});
    ASSERT_EQ(Start(docx).exitCode, 0);
    const Outcome run = Start(arguments, "/nonexistent");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "") << "nothing of Qt's own reaches the user";
    for (const char* stem : {"set", "set-答案"}) {
      SCOPED_TRACE(stem);
      const std::string pdf = In((std::string(stem) + ".pdf").c_str());
      const std::string info = Poppler("pdfinfo '" + pdf + "'");
      EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
      EXPECT_NE(info.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << info;
      // A line a face after two of headings: name, type, encoding, then emb, sub, uni, object.
      std::istringstream fontLines(Poppler("pdffonts '" + pdf + "'"));
      std::vector<std::string> faces;
      std::string line;
      for (int heading = 0; heading < 2; ++heading) std::getline(fontLines, line);
      while (std::getline(fontLines, line)) {
        const std::vector<std::string> columns = Words(line);
        ASSERT_GE(columns.size(), 6u) << line;
        faces.push_back(columns.front());
        EXPECT_EQ(columns[columns.size() - 5], "yes") << "embedded: " << line;
      }
      // The title's "A" is bold.
      EXPECT_EQ(faces, (std::vector<std::string>{"WenQuanYiZenHei", "Carlito-Bold", "Carlito"}));
      EXPECT_LT(kalkora::testing::FileBytes(pdf).size(), 100000u) << "a subset of the face";
      const auto pages =
          DocxPageWords(kalkora::testing::FileBytes(In((std::string(stem) + ".docx").c_str())));
      ASSERT_EQ(pages.size(), 3u);
      for (std::size_t page = 0; page < pages.size(); ++page) {
        const std::string number = std::to_string(page + 1);
        EXPECT_EQ(
            Words(Poppler("pdftotext -layout -f " + number + " -l " + number + " '" + pdf + "' -")),
            pages[page])
            << "page " << number;
      }
    }
  }
  EXPECT_EQ(FileCount(), 4u) << "no temporary file left";
}

TEST_F(KalkoraSheetsTest, ACancelledPdfLeavesNoFile) {
  // SIGINT as soon as the program runs: it ends through its own clean-up.
  std::vector<std::string> arguments{
      KALKORA_SHEETS_PROGRAM, "--sheets", "500", "--answers", "--output", In("big.pdf")};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
  ::usleep(150000);
  ::kill(pid, SIGINT);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    GTEST_SKIP() << "the set was written before the signal came";
  }
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_EQ(FileCount(), 0u);
}

TEST_F(KalkoraSheetsTest, APresetListsAndMakesTheSameSetForTheSameCode) {
  EXPECT_NE(Start({"--list-presets"}).out.find("20以内填空\t加减混合\t0-20\t0-20\t0-20"),
            std::string::npos);
  const std::vector<std::string> arguments{"--preset", "20以内退位减法", "--sheets",
                                           "2",        "--answers",      "--code",
                                           "271828",   "--date",         "2026-12-09"};
  std::vector<std::string> first = arguments, second = arguments;
  first.insert(first.end(), {"--output", In("a.docx")});
  second.insert(second.end(), {"--output", In("b.docx")});
  ASSERT_EQ(Start(first).exitCode, 0);
  ASSERT_EQ(Start(second).exitCode, 0);
  EXPECT_EQ(kalkora::testing::FileBytes(In("a.docx")), kalkora::testing::FileBytes(In("b.docx")));
  EXPECT_EQ(kalkora::testing::FileBytes(In("a-答案.docx")),
            kalkora::testing::FileBytes(In("b-答案.docx")));
}

TEST_F(KalkoraSheetsTest, HelpAndVersionGoToStandardOutput) {
  Outcome run = Start({"--version"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "kalkora-sheets " KALKORA_VERSION "\n");
  run = Start({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("--answers"), std::string::npos);
  EXPECT_EQ(run.err, "");
}

// An existing file keeps its mode; a read-only one is not replaced at all.
TEST_F(KalkoraSheetsTest, AReplacedFileKeepsItsModeAndAReadOnlyOneIsRefused) {
  const std::vector<std::string> arguments{"--answers", "--output", In("set.docx")};
  std::ofstream(In("set.docx")) << "older sheets";
  std::ofstream(In("set-答案.docx")) << "older key";
  fs::permissions(In("set.docx"), fs::perms(0444));
  Outcome run = Start(arguments);
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.err, "kalkora-sheets: 无法写入文件：" + In("set.docx") + "（文件是只读的）\n");
  EXPECT_EQ(kalkora::testing::FileBytes(In("set.docx")), "older sheets");
  EXPECT_EQ(kalkora::testing::FileBytes(In("set-答案.docx")), "older key");
  EXPECT_EQ(fs::status(In("set.docx")).permissions(), fs::perms(0444));
  EXPECT_EQ(FileCount(), 2u);

  fs::permissions(In("set.docx"), fs::perms(0640));
  fs::permissions(In("set-答案.docx"), fs::perms(0600));
  run = Start(arguments);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(kalkora::testing::FileBytes(In("set-答案.docx")).starts_with("PK"));
  EXPECT_EQ(fs::status(In("set.docx")).permissions(), fs::perms(0640));
  EXPECT_EQ(fs::status(In("set-答案.docx")).permissions(), fs::perms(0600)) << "a private key";
}

// Runs that write the same set at once: whichever ends last, its sheets and its key are the
// ones left, never the sheets of one and the key of the other.
TEST_F(KalkoraSheetsTest, RivalRunsNeverMixTheirSets) {
  struct Set {
    std::string sheets, key;
  };
  const auto arguments = [](const char* code, const std::string& output) {
    return std::vector<std::string>{KALKORA_SHEETS_PROGRAM,
                                    "--answers",
                                    "--date",
                                    "2026-12-09",
                                    "--code",
                                    code,
                                    "--output",
                                    output};
  };
  std::vector<Set> sets;
  for (const char* code : {"111111", "222222"}) {
    ASSERT_EQ(
        Start({"--answers", "--date", "2026-12-09", "--code", code, "--output", In("alone.docx")})
            .exitCode,
        0);
    sets.push_back({kalkora::testing::FileBytes(In("alone.docx")),
                    kalkora::testing::FileBytes(In("alone-答案.docx"))});
  }
  ASSERT_NE(sets[0].sheets, sets[1].sheets);
  int mixed = 0;
  for (int attempt = 0; attempt < 60; ++attempt) {
    std::vector<pid_t> runs;
    for (const char* code : {"111111", "222222"}) {
      std::vector<std::string> argv = arguments(code, In("set.docx"));
      std::vector<char*> pointers;
      for (std::string& argument : argv) pointers.push_back(argument.data());
      pointers.push_back(nullptr);
      pid_t pid = 0;
      ASSERT_EQ(posix_spawn(&pid, pointers[0], nullptr, nullptr, pointers.data(), environ), 0);
      runs.push_back(pid);
    }
    for (const pid_t pid : runs) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const Set left{kalkora::testing::FileBytes(In("set.docx")),
                   kalkora::testing::FileBytes(In("set-答案.docx"))};
    const bool whole = (left.sheets == sets[0].sheets && left.key == sets[0].key) ||
                       (left.sheets == sets[1].sheets && left.key == sets[1].key);
    mixed += whole ? 0 : 1;
  }
  EXPECT_EQ(mixed, 0);
  EXPECT_EQ(FileCount(), 4u) << "no temporary file left";
}

// A file size limit makes the write fail (SIGXFSZ would kill the run halfway); a full
// standard output is a failure too.
TEST_F(KalkoraSheetsTest, AWriteThatFailsIsAnErrorAndLeavesNothing) {
  std::ofstream(In("set.docx")) << "older sheets";
  Outcome run = StartThrough("ulimit -f 8 && exec \"$0\" \"$@\"",
                             {"--sheets", "100", "--output", In("set.docx")});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.err,
            "kalkora-sheets: 无法写入文件：" + In("set.docx") + "（文件超出了系统允许的大小）\n");
  EXPECT_EQ(kalkora::testing::FileBytes(In("set.docx")), "older sheets");
  EXPECT_EQ(FileCount(), 1u) << "no partial temporary file";

  for (const char* option : {"--help", "--version"}) {
    run = StartThrough("exec \"$0\" \"$@\" > /dev/full", {option});
    EXPECT_EQ(run.exitCode, 3) << option;
    EXPECT_EQ(run.err, "kalkora-sheets: 无法写出到标准输出（磁盘已满）\n");
  }
}

// The hidden temporary files of a writer that was killed carry its process id: the next run
// in the folder takes them away.
TEST_F(KalkoraSheetsTest, TheNextRunRemovesTheLeftoversOfAKilledWriter) {
  std::vector<std::string> argv{
      KALKORA_SHEETS_PROGRAM, "--sheets", "500", "--problems", "30", "--answers", "--output",
      In("big.docx")};
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, pointers[0], nullptr, nullptr, pointers.data(), environ), 0);
  // Killed as soon as its first temporary file shows.
  bool seen = false;
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  bool ended = false;
  while (!seen && !ended && std::chrono::steady_clock::now() < deadline) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      seen = seen || entry.path().filename().string().starts_with(".kalkora-");
    }
    ended = ::waitpid(pid, &status, WNOHANG) == pid;
  }
  if (!ended) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  }
  ASSERT_TRUE(seen) << "the writer's temporary file";
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_GE(FileCount(), 1u);

  const Outcome run = Start({"--output", In("set.docx")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(FileCount(), 1u) << "only the new set";
}

// The manual page says what --help says.
TEST(KalkoraSheetsManual, NamesTheExitCodesAndTheRanges) {
  const std::string page = kalkora::testing::FileBytes(KALKORA_SHEETS_MANUAL);
  EXPECT_EQ(page.find("\\-\\-from \\-"), std::string::npos) << "no negative bound as example";
  EXPECT_NE(page.find(".B 130\n"), std::string::npos);
  EXPECT_NE(page.find("wrap from 999999 to 100000"), std::string::npos);
  EXPECT_NE(page.find("32767"), std::string::npos);
}

}  // namespace
