// The built kalkora-sheets run as a process: exit codes, what it prints, the files it writes.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "fakes/file_bytes.hpp"

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
  void SetUp() override {
    folder = fs::temp_directory_path() / ("kalkora-cli-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // Runs the program with these arguments; `path` replaces the search path when given.
  Outcome Start(std::vector<std::string> arguments, const char* path = nullptr) {
    arguments.insert(arguments.begin(), KALKORA_SHEETS_PROGRAM);
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

  fs::path folder;
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
  const std::vector<std::string> arguments{"--kind=减法", "--from",     "-20",      "--sheets",
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

TEST_F(KalkoraSheetsTest, AnUnwritableFileExitsWithThreeAndAPdfWithoutAnOfficeWithFour) {
  Outcome run = Start({"--output", In("missing/a.docx")});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_TRUE(run.err.starts_with("kalkora-sheets: 无法写入文件：" + In("missing/a.docx")))
      << run.err;

  run = Start({"--answers", "--output", In("a.pdf")}, "/nonexistent");
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_NE(run.err.find("没能把文档转换为 PDF"), std::string::npos) << run.err;
  EXPECT_EQ(FileCount(), 0u) << "no PDF, no temporary .docx";
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

}  // namespace
