#include "system/posix/libreoffice_locator.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace kalkora::posix {
namespace {

namespace fs = std::filesystem;

// A scratch folder with a pretend office installed under office/program and linked from bin.
class LocatorFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("kalkora-locator-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "office" / "program");
    fs::create_directories(root_ / "bin");
    fs::create_directories(root_ / "empty");
    fs::create_directories(root_ / "plain");
    WriteProgram(root_ / "office" / "program" / "soffice", 0755);
    fs::create_symlink(root_ / "office" / "program" / "soffice", root_ / "bin" / "soffice");
    WriteProgram(root_ / "plain" / "soffice", 0644);  // not executable
  }
  void TearDown() override { fs::remove_all(root_); }

  static void WriteProgram(const fs::path& path, mode_t mode) {
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), mode);
  }
  std::string Folder(const char* name) const { return (root_ / name).string(); }

  fs::path root_;
};

TEST_F(LocatorFolders, FindsTheProgramFolderBehindTheSearchPath) {
  const std::string program = (root_ / "office" / "program").string() + "/";
  const struct {
    std::string searchPath;
    std::string expected;
  } cases[] = {
      {Folder("bin"), program},
      {Folder("empty") + ":" + Folder("bin"), program},
      {Folder("plain") + ":" + Folder("bin"), program},  // a file that cannot run is passed over
      {Folder("empty"), ""},
      {Folder("plain"), ""},
      {"", ""},
      {"relative/bin:" + Folder("empty"), ""},
      {Folder("missing"), ""},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(LibreOfficeLocator(each.searchPath).InstallPath(), each.expected) << each.searchPath;
  }
}

TEST(InstalledLibreOffice, IsFoundThroughTheSystemSearchPath) {
  const std::string path = LibreOfficeLocator("/usr/local/bin:/usr/bin:/bin").InstallPath();
  EXPECT_EQ(path, KALKORA_LIBREOFFICE_PROGRAM_DIR "/");
  EXPECT_TRUE(fs::exists(path + "soffice.bin")) << path;
}

}  // namespace
}  // namespace kalkora::posix
