// What the built kalkora.exe carries for Windows itself: its manifest and its version resource.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "registry_setup.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora {
namespace {

std::string ManifestOf(const std::wstring& program) {
  const HMODULE module = LoadLibraryExW(program.c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return {};
  std::string text;
  if (const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
    if (const HGLOBAL loaded = LoadResource(module, found)) {
      text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
  }
  FreeLibrary(module);
  return text;
}

std::string ProductVersionOf(const std::wstring& program) {
  DWORD ignored = 0;
  std::string block(GetFileVersionInfoSizeW(program.c_str(), &ignored), '\0');
  if (block.empty() ||
      !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
    return {};
  }
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\080404b0\\ProductVersion",
                      reinterpret_cast<void**>(&value), &length) ||
      length == 0) {
    return {};
  }
  return win32::ToUtf8(std::wstring_view(value, length - 1));
}

TEST(KalkoraResources, TheManifestDeclaresLongPathsAndBothCarryTheProjectsVersion) {
  const std::wstring program = testing::HostPath(KALKORA_EXE);
  const std::string manifest = ManifestOf(program);
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find(
                "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                "true</longPathAware>"),
            std::string::npos)
      << manifest;
  EXPECT_NE(manifest.find("name=\"Kalkora\" version=\"1.6.0.0\""), std::string::npos) << manifest;
  EXPECT_EQ(ProductVersionOf(program), "1.6.0");
}

}  // namespace
}  // namespace kalkora
