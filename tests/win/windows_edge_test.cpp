#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "system/win32/local_app_data_template_store.hpp"
#include "system/win32/registry_office_locator.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;

constexpr const wchar_t* kAppPaths =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe";

void DeleteAppPaths() {
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kAppPaths, KEY_WOW64_64KEY, 0);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kAppPaths, KEY_WOW64_32KEY, 0);
}

// Sets the App Paths key in one registry view of the test prefix.
void SetAppPath(REGSAM view, std::optional<std::wstring> path, DWORD type = REG_SZ) {
  if (!path) return;
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAppPaths, 0, nullptr, 0, KEY_SET_VALUE | view,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  if (type == REG_DWORD) {
    const DWORD number = 1;
    RegSetValueExW(key, L"Path", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
  } else {
    RegSetValueExW(key, L"Path", 0, type, reinterpret_cast<const BYTE*>(path->c_str()),
                   static_cast<DWORD>((path->size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(key);
}

struct LocatorCase {
  const char* name;
  std::optional<std::wstring> view64;
  std::optional<std::wstring> view32;
  DWORD type;
  std::string expected;
};

class RegistryLocator : public ::testing::TestWithParam<LocatorCase> {
 protected:
  void SetUp() override { DeleteAppPaths(); }
  void TearDown() override { DeleteAppPaths(); }
};

TEST_P(RegistryLocator, ReadsThePathValueOfWordsAppPathsKey) {
  // The 32-bit view first: where the two views share the key, the 64-bit value is the last word.
  SetAppPath(KEY_WOW64_32KEY, GetParam().view32, GetParam().type);
  SetAppPath(KEY_WOW64_64KEY, GetParam().view64, GetParam().type);
  EXPECT_EQ(win32::RegistryOfficeLocator().InstallPath(), GetParam().expected);
}

const std::wstring kOffice16 = L"C:\\Program Files\\Microsoft Office\\Office16\\";
const std::wstring kOffice32 = L"C:\\Program Files (x86)\\Microsoft Office\\Office14\\";

INSTANTIATE_TEST_SUITE_P(
    Views, RegistryLocator,
    ::testing::Values(
        LocatorCase{"NoKey", std::nullopt, std::nullopt, REG_SZ, ""},
        LocatorCase{"SixtyFourBit", kOffice16, std::nullopt, REG_SZ, win32::ToUtf8(kOffice16)},
        LocatorCase{"ThirtyTwoBitOnly", std::nullopt, kOffice32, REG_SZ, win32::ToUtf8(kOffice32)},
        LocatorCase{"BothPreferSixtyFour", kOffice16, kOffice32, REG_SZ, win32::ToUtf8(kOffice16)},
        LocatorCase{"Capitals", L"C:\\MSOFFICE\\WINWORD\\", std::nullopt, REG_SZ,
                    "C:\\MSOFFICE\\WINWORD\\"},
        LocatorCase{"ChineseFolder", L"D:\\办公软件\\Office\\", std::nullopt, REG_SZ,
                    "D:\\办公软件\\Office\\"},
        LocatorCase{"NotText", L"", std::nullopt, REG_DWORD, ""}),
    [](const auto& each) { return std::string(each.param.name); });

const std::array<std::vector<unsigned char>, 3> kTemplates = {
    std::vector<unsigned char>(33280, 0x18), std::vector<unsigned char>(33792, 0x24),
    std::vector<unsigned char>(35328, 0x30)};

TemplateSource TestTemplates() {
  return {[](int size) {
            return std::span<const unsigned char>(
                kTemplates.at(static_cast<std::size_t>(size / 6 - 3)));
          },
          [](int size) -> std::string_view {
            return size == 18 ? "doc.doc" : size == 24 ? "d24.doc" : "d30.doc";
          }};
}

// Wine reports success for CreateSymbolicLinkW without making a link, so look for it.
bool MadeLink(const fs::path& link, const fs::path& target, DWORD flags) {
  if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), flags)) return false;
  const DWORD attributes = GetFileAttributesW(link.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

class TemplateStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = fs::temp_directory_path() /
              ("kalkora-store-" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(parent_);
    fs::create_directories(parent_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(parent_, ignored);
  }

  win32::LocalAppDataTemplateStore Store() { return {TestTemplates(), parent_.wstring()}; }
  fs::path Folder() const { return parent_ / "Kalkora"; }

  static std::vector<unsigned char> Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path parent_;
};

TEST_F(TemplateStoreTest, WritesEachSizeIntoThePrivateFolderAndReplacesTheOldCopy) {
  win32::LocalAppDataTemplateStore store = Store();
  fs::create_directories(Folder());
  std::ofstream(Folder() / "doc.doc", std::ios::binary) << std::string(50000, 'x');

  for (int size : {18, 24, 30, 18}) {
    const TemplateWrite written = store.Write(size);
    ASSERT_TRUE(written.written) << size;
    EXPECT_EQ(fs::path(win32::ToUtf16(written.path)), Folder() / TestTemplates().fileName(size));
    EXPECT_EQ(Read(win32::ToUtf16(written.path)),
              kTemplates.at(static_cast<std::size_t>(size / 6 - 3)))
        << size;
  }
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Folder())) {
    names.push_back(entry.path().filename().string());
  }
  std::ranges::sort(names);
  EXPECT_EQ(names, (std::vector<std::string>{"d24.doc", "d30.doc", "doc.doc"}));
}

TEST_F(TemplateStoreTest, RefusesWhenTheFolderCannotBeMade) {
  std::ofstream(Folder()) << "a file where the folder belongs";
  const TemplateWrite written = Store().Write(24);
  EXPECT_FALSE(written.written);
  EXPECT_EQ(fs::path(win32::ToUtf16(written.path)), Folder() / "d24.doc");
}

TEST_F(TemplateStoreTest, RefusesALinkedFolder) {
  const fs::path elsewhere = parent_ / "elsewhere";
  fs::create_directories(elsewhere);
  if (!MadeLink(Folder(), elsewhere, SYMBOLIC_LINK_FLAG_DIRECTORY)) {
    GTEST_SKIP() << "this system makes no symbolic links";
  }
  EXPECT_FALSE(Store().Write(18).written);
  EXPECT_TRUE(fs::is_empty(elsewhere));
}

TEST_F(TemplateStoreTest, RefusesALinkedFileName) {
  fs::create_directories(Folder());
  const fs::path victim = parent_ / "victim.txt";
  std::ofstream(victim) << "keep me";
  if (!MadeLink(Folder() / "doc.doc", victim, 0)) {
    GTEST_SKIP() << "this system makes no symbolic links";
  }
  EXPECT_FALSE(Store().Write(18).written);
  EXPECT_EQ(Read(victim), (std::vector<unsigned char>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
}

TEST(TemplateStoreDefault, UsesTheUsersLocalApplicationData) {
  const TemplateWrite written = win32::LocalAppDataTemplateStore(TestTemplates()).Write(30);
  EXPECT_TRUE(written.written);
  EXPECT_TRUE(written.path.ends_with("\\Kalkora\\d30.doc")) << written.path;
}

}  // namespace
}  // namespace kalkora
