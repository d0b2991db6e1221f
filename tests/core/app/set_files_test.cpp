// How a class set meets the files already there: kept modes, read-only files, a key that
// cannot be written, the leftovers of killed writers, and the reasons told in Chinese.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "core/app/batch_command.hpp"
#include "core/app/file_error_text.hpp"
#include "core/app/pending_file.hpp"
#include "core/base/running_processes.hpp"
#include "fakes/file_bytes.hpp"
#include "fakes/temporary_folder.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;

// Far above any process id Linux (at most 2^22) or Windows hands out.
constexpr int kEndedWriter = 2147483000;

class SetFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    request.date = {2026, 12, 9, 8, 30, 0};
    request.firstCode = 123456;
    request.answers = true;
  }

  BatchResult Run(const std::string& name) {
    request.outputPath = Utf8FromPath(In(name));
    return RunBatch(settings, request, nullptr, {}, [] { return 0; });
  }
  fs::path In(const std::string& name) const { return folder / PathFromUtf8(name); }
  void Make(const std::string& name, const std::string& bytes) {
    std::ofstream(In(name), std::ios::binary) << bytes;
  }
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.insert(Utf8FromPath(entry.path().filename()));
    }
    return names;
  }

  testing::TemporaryFolder scratch{"kalkora-set-"};
  const fs::path folder = scratch.Path();
  SheetSettings settings;
  BatchRequest request;
};

TEST_F(SetFilesTest, AReadOnlyFileIsRefusedAndStaysAsItWas) {
  Make("set.docx", "older sheets");
  Make("set-答案.docx", "older key");
  for (const char* readOnly : {"set.docx", "set-答案.docx"}) {
    SCOPED_TRACE(readOnly);
    fs::permissions(In(readOnly),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const BatchResult result = Run("set.docx");
    EXPECT_EQ(result.outcome, BatchOutcome::NotWritten);
    EXPECT_EQ(result.message.text,
              "无法写入文件：" + Utf8FromPath(In(readOnly)) + "（文件是只读的）");
    EXPECT_EQ(testing::FileBytes(In("set.docx")), "older sheets");
    EXPECT_EQ(testing::FileBytes(In("set-答案.docx")), "older key");
    EXPECT_EQ((fs::status(In(readOnly)).permissions() & fs::perms::owner_write), fs::perms::none)
        << "still read-only";
    EXPECT_EQ(Files(), (std::set<std::string>{"set.docx", "set-答案.docx"}));
    fs::permissions(In(readOnly), fs::perms::owner_write, fs::perm_options::add);
  }
}

#ifndef _WIN32  // Windows keeps no more of a file's mode than its read-only attribute.
TEST_F(SetFilesTest, AReplacedFileKeepsItsPermissions) {
  Make("set.docx", "older sheets");
  Make("set-答案.docx", "older key");
  fs::permissions(In("set.docx"), fs::perms(0640));
  fs::permissions(In("set-答案.docx"), fs::perms(0600));
  ASSERT_EQ(Run("set.docx").outcome, BatchOutcome::Written);
  EXPECT_TRUE(testing::FileBytes(In("set.docx")).starts_with("PK"));
  EXPECT_EQ(fs::status(In("set.docx")).permissions(), fs::perms(0640));
  EXPECT_EQ(fs::status(In("set-答案.docx")).permissions(), fs::perms(0600));
}
#endif

// A 255-byte name is the longest a file may have; its key's name is longer. The sheets, put in
// place first, go back to what they were. (Wine keeps such a key's name, so this runs on POSIX.)
#ifndef _WIN32
TEST_F(SetFilesTest, AKeyThatCannotBePutInPlaceLeavesTheSheetsAsTheyWere) {
  const std::string sheets = std::string(250, 's') + ".docx";
  Make(sheets, "older sheets");
  BatchResult result = Run(sheets);
  EXPECT_EQ(result.outcome, BatchOutcome::NotWritten);
  EXPECT_EQ(result.message.text,
            "无法写入文件：" + AnswerKeyPath(request.outputPath) + "（文件名太长）");
  EXPECT_TRUE(result.files.empty());
  EXPECT_EQ(testing::FileBytes(In(sheets)), "older sheets");
  EXPECT_EQ(Files(), std::set<std::string>{sheets});

  fs::remove(In(sheets));
  result = Run(sheets);
  EXPECT_EQ(result.outcome, BatchOutcome::NotWritten);
  EXPECT_TRUE(Files().empty()) << "sheets that were not there are taken away again";
}
#endif

TEST_F(SetFilesTest, TheLeftoversOfEndedWritersGoAndOtherFilesStay) {
  const std::string self = std::to_string(CurrentProcessId());
  const std::string ended = std::to_string(kEndedWriter);
  const std::set<std::string> kept = {
      ".kalkora-" + self + "-0123456789abcdef.docx",  // a writer that runs: this one
      ".kalkora-0123456789abcdef.docx",               // an older name, whose writer is unknown
      ".kalkora-" + ended + "-notatag.docx",
      "kalkora-" + ended + "-0123456789abcdef.docx",
      "notes.txt",
  };
  for (const std::string& name : kept) Make(name, "x");
  Make(".kalkora-" + ended + "-0123456789abcdef.docx", "partial");
  Make(".kalkora-" + ended + "-fedcba9876543210.pdf", "partial");
  Make(".kalkora-" + ended + "-00000000ffffffff.old", "kept aside");
  ASSERT_EQ(Run("set.docx").outcome, BatchOutcome::Written);
  std::set<std::string> expected = kept;
  expected.insert({"set.docx", "set-答案.docx"});
  EXPECT_EQ(Files(), expected);
}

TEST(PendingFileName, NamesItsWriter) {
  EXPECT_EQ(PendingFileWriter(".kalkora-4242-0123456789abcdef.docx"), 4242);
  EXPECT_EQ(PendingFileWriter(".kalkora-1-ffffffffffffffff"), 1);
  for (const char* other : {".kalkora-0123456789abcdef.docx", ".kalkora--1-0123456789abcdef",
                            ".kalkora-0-0123456789abcdef", ".kalkora-12-0123456789abcdeg",
                            ".kalkora-12-0123456789abcde", ".kalkora-99999999999-0123456789abcdef",
                            "kalkora-12-0123456789abcdef", ".kalkora-lock"}) {
    EXPECT_EQ(PendingFileWriter(other), std::nullopt) << other;
  }
  const fs::path target = fs::temp_directory_path() / "set.docx";
  const PendingFile pending(target, ".docx");
  EXPECT_EQ(PendingFileWriter(Utf8FromPath(pending.Path().filename())), CurrentProcessId());
  EXPECT_EQ(pending.Path().parent_path(), target.parent_path());
  EXPECT_EQ(pending.Path().extension(), ".docx");
}

TEST(FileErrorText, TellsTheCommonCausesInChinese) {
  const fs::path folder = fs::temp_directory_path();
  const fs::path file = folder / "set.docx";
  const auto code = [](std::errc e) { return std::make_error_code(e); };
  const struct {
    std::error_code error;
    fs::path target;
    const char* text;
  } cases[] = {
      {code(std::errc::no_such_file_or_directory), folder / "no-such-folder" / "a.docx",
       "文件夹不存在"},
      {code(std::errc::not_a_directory), folder / "no-such-folder" / "a.docx", "文件夹不存在"},
      {code(std::errc::permission_denied), file, "没有写入的权限"},
      {code(std::errc::operation_not_permitted), file, "没有写入的权限"},
      {code(std::errc::read_only_file_system), file, "磁盘是只读的"},
      {code(std::errc::no_space_on_device), file, "磁盘已满"},
      {code(std::errc::file_too_large), file, "文件超出了系统允许的大小"},
      {code(std::errc::is_a_directory), file, "同名的文件夹已经存在"},
      {code(std::errc::filename_too_long), file, "文件名太长"},
      {code(std::errc::invalid_argument), file, "文件名无效"},
      {code(std::errc::device_or_resource_busy), file, "文件正被另一个程序使用"},
      {code(std::errc::permission_denied), folder / "CON.docx",
       "这个名字是 Windows 保留的，不能用作文件名"},
      {code(std::errc::no_such_file_or_directory), folder / "nul .docx",
       "这个名字是 Windows 保留的，不能用作文件名"},
      {code(std::errc::io_error), folder / "com9.v2.pdf",
       "这个名字是 Windows 保留的，不能用作文件名"},
      {code(std::errc::io_error), folder / "Lpt1.docx",
       "这个名字是 Windows 保留的，不能用作文件名"},
      {code(std::errc::io_error), folder / "aux" / "a.docx",
       "这个名字是 Windows 保留的，不能用作文件名"},
      {code(std::errc::io_error), folder / "folder." / "a.docx",
       "这个名字是 Windows 保留的，不能用作文件名"},
      {code(std::errc::io_error), folder / "folder " / "a.docx",
       "这个名字是 Windows 保留的，不能用作文件名"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileErrorText(c.error, c.target), c.text) << c.error.message() << " " << c.target;
  }
#ifdef _WIN32
  // Windows' own codes, as the file system functions report them.
  const auto windows = [](int value) { return std::error_code(value, std::system_category()); };
  EXPECT_EQ(FileErrorText(windows(3), folder / "no-such-folder" / "a.docx"), "文件夹不存在");
  EXPECT_EQ(FileErrorText(windows(5), file), "没有写入的权限");
  EXPECT_EQ(FileErrorText(windows(19), file), "磁盘是只读的");
  EXPECT_EQ(FileErrorText(windows(32), file), "文件正被另一个程序使用");
  EXPECT_EQ(FileErrorText(windows(112), file), "磁盘已满");
  EXPECT_EQ(FileErrorText(windows(206), file), "文件名太长");
#endif
  // Names Windows takes as they are; and a reason without a Chinese text keeps the system's.
  for (const char* name :
       {"console.docx", "COM0.docx", "COM10.docx", "nul-list.docx", "LPT.docx", "a..docx"}) {
    EXPECT_FALSE(HasNameWindowsReserves(folder / name)) << name;
  }
  EXPECT_EQ(FileErrorText(code(std::errc::io_error), file), code(std::errc::io_error).message());
}

}  // namespace
}  // namespace kalkora
