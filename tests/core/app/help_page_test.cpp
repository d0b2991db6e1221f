#include "core/app/help_page.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kalkora {
namespace {

namespace fs = std::filesystem;

// An installed tree in a temporary folder: the program in bin/, the pages at the given places.
class HelpPageTree : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("kalkora-help-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
  }
  void TearDown() override { fs::remove_all(root_); }
  void Put(const fs::path& relative) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << "<html></html>";
  }
  fs::path root_;
};

TEST_F(HelpPageTree, FindsThePageBesideTheProgramFirstThenUnderShare) {
  struct Case {
    std::vector<std::string> pages;
    std::string found;  // relative to the tree; empty: none
  };
  const Case cases[] = {
      {{"bin/kalkora.html"}, "bin/kalkora.html"},                      // Windows install
      {{"share/kalkora/kalkora.html"}, "share/kalkora/kalkora.html"},  // Linux install
      {{"bin/kalkora.html", "share/kalkora/kalkora.html"}, "bin/kalkora.html"},
      {{"share/doc/kalkora/kalkora.html", "kalkora.html"}, ""},  // neither place
      {{"bin/kalkora.html/"}, ""},                               // a folder of that name
      {{}, ""},
  };
  for (const Case& c : cases) {
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
    for (const std::string& page : c.pages) {
      if (page.ends_with('/')) {
        fs::create_directories(root_ / page);
      } else {
        Put(page);
      }
    }
    const fs::path expected = c.found.empty() ? fs::path() : (root_ / c.found).lexically_normal();
    EXPECT_EQ(FindHelpPage(root_ / "bin"), expected) << c.found;
  }
}

TEST_F(HelpPageTree, AProgramFolderWrittenWithATrailingSeparatorFindsTheSamePage) {
  Put("share/kalkora/kalkora.html");
  EXPECT_EQ(FindHelpPage(root_ / "bin" / ""),
            (root_ / "share/kalkora/kalkora.html").lexically_normal());
}

}  // namespace
}  // namespace kalkora
