#include "system/posix/private_template_store.hpp"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "resources/template_bytes.hpp"

namespace kalkora::posix {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  ::lstat(path.c_str(), &info);
  return info.st_mode & 07777;
}

class StoreFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("kalkora-store-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string Folder() const { return (root_ / "cache" / "kalkora").string(); }

  fs::path root_;
};

TEST_F(StoreFolder, WritesEachTemplateIntoAPrivateFolder) {
  PrivateTemplateStore store(Folder());
  for (const int size : {18, 24, 30}) {
    const TemplateWrite written = store.Write(size);
    EXPECT_TRUE(written.written) << size;
    EXPECT_EQ(written.path, Folder() + "/" + std::string(TemplateFileName(size)));
    const std::span<const unsigned char> bytes = TemplateBytes(size);
    EXPECT_EQ(ReadFile(written.path), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(ModeOf(written.path), 0600u);
  }
  EXPECT_EQ(ModeOf(Folder()), 0700u);
  // Nothing but the three templates is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(Folder()), fs::directory_iterator()), 3);
}

TEST_F(StoreFolder, ReplacesAnEarlierCopy) {
  fs::create_directories(Folder());
  ::chmod(Folder().c_str(), 0700);
  std::ofstream(Folder() + "/doc.doc") << "an older, longer file than any template could be";
  const TemplateWrite written = PrivateTemplateStore(Folder()).Write(18);
  ASSERT_TRUE(written.written);
  EXPECT_EQ(ReadFile(written.path).size(), TemplateBytes(18).size());
}

TEST_F(StoreFolder, RefusesFoldersAndNamesItDoesNotOwnAlone) {
  const fs::path elsewhere = root_ / "elsewhere";
  const fs::path victim = root_ / "victim";
  const struct {
    const char* what;
    void (*prepare)(const std::string& folder, const fs::path& elsewhere, const fs::path& victim);
  } cases[] = {
      {"folder is a link",
       [](const std::string& folder, const fs::path& target, const fs::path&) {
         fs::create_directories(target);
         ::chmod(target.c_str(), 0700);
         fs::create_directories(fs::path(folder).parent_path());
         fs::create_directory_symlink(target, folder);
       }},
      {"link at the file name",
       [](const std::string& folder, const fs::path&, const fs::path& kept) {
         fs::create_directories(folder);
         ::chmod(folder.c_str(), 0700);
         std::ofstream(kept) << "keep me";
         fs::create_symlink(kept, folder + "/doc.doc");
       }},
      {"folder writable by the group",
       [](const std::string& folder, const fs::path&, const fs::path&) {
         fs::create_directories(folder);
         ::chmod(folder.c_str(), 0770);
       }},
      {"folder writable by others",
       [](const std::string& folder, const fs::path&, const fs::path&) {
         fs::create_directories(folder);
         ::chmod(folder.c_str(), 0703);
       }},
      {"a folder at the file name",
       [](const std::string& folder, const fs::path&, const fs::path&) {
         fs::create_directories(folder + "/doc.doc");
         ::chmod(folder.c_str(), 0700);
       }},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.what);
    fs::remove_all(root_);
    fs::create_directories(root_);
    each.prepare(Folder(), elsewhere, victim);
    const TemplateWrite written = PrivateTemplateStore(Folder()).Write(18);
    EXPECT_FALSE(written.written);
    EXPECT_EQ(written.path, Folder() + "/doc.doc");
    EXPECT_FALSE(fs::exists(elsewhere / "doc.doc"));
    if (fs::exists(victim)) {
      EXPECT_EQ(ReadFile(victim), "keep me");
    }
  }
}

TEST_F(StoreFolder, RefusesAFolderOfAnotherUser) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can hand a folder to another user";
  const passwd* nobody = ::getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  fs::create_directories(Folder());
  ::chmod(Folder().c_str(), 0700);
  ASSERT_EQ(::chown(Folder().c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  EXPECT_FALSE(PrivateTemplateStore(Folder()).Write(18).written);
  EXPECT_FALSE(fs::exists(Folder() + "/doc.doc"));
}

TEST_F(StoreFolder, RefusesSizesWithoutATemplateAndRelativeFolders) {
  EXPECT_FALSE(PrivateTemplateStore(Folder()).Write(20).written);
  EXPECT_FALSE(PrivateTemplateStore("relative/kalkora").Write(18).written);
  EXPECT_FALSE(fs::exists("relative"));
}

TEST(DefaultTemplateFolder, FollowsTheCacheFolderOfTheUser) {
  const char* savedCache = std::getenv("XDG_CACHE_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string cache = savedCache ? savedCache : "";
  const std::string home = savedHome ? savedHome : "";

  ::setenv("HOME", "/home/pupil", 1);
  ::setenv("XDG_CACHE_HOME", "/var/cache/pupil", 1);
  EXPECT_EQ(DefaultTemplateFolder(), "/var/cache/pupil/kalkora");
  ::setenv("XDG_CACHE_HOME", "relative", 1);
  EXPECT_EQ(DefaultTemplateFolder(), "/home/pupil/.cache/kalkora");
  ::unsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(DefaultTemplateFolder(), "/home/pupil/.cache/kalkora");

  savedCache ? ::setenv("XDG_CACHE_HOME", cache.c_str(), 1) : ::unsetenv("XDG_CACHE_HOME");
  savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

}  // namespace
}  // namespace kalkora::posix
