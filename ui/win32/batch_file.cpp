#include "ui/win32/batch_file.hpp"

#include <shlobj.h>

#include <cstdio>
#include <filesystem>

#include "core/app/batch_messages.hpp"
#include "core/app/pending_file.hpp"
#include "system/win32/utf16.hpp"

namespace kalkora::win32 {
namespace {

std::string KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR folder = nullptr;
  std::string path;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &folder))) path = ToUtf8(folder);
  CoTaskMemFree(folder);
  return path;
}

}  // namespace

std::string DefaultBatchPath(const std::string& folder, const LocalDateTime& date) {
  char name[64];
  std::snprintf(name, sizeof name, "-%04d-%02d-%02d.docx", date.year, date.month, date.day);
  return Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8("口算题卡" + std::string(name)));
}

std::string DocumentsFolder() {
  const std::string documents = KnownFolder(FOLDERID_Documents);
  std::error_code error;
  if (!documents.empty() && std::filesystem::is_directory(PathFromUtf8(documents), error)) {
    return documents;
  }
  return KnownFolder(FOLDERID_Profile);
}

std::string AbsoluteIn(const std::string& folder, const std::string& typed) {
  std::filesystem::path path = PathFromUtf8(typed);
  if (path.is_relative()) path = PathFromUtf8(folder) / path;
  return Utf8FromPath(path.lexically_normal());
}

bool MayReplace(HWND owner, const std::vector<std::string>& files) {
  std::vector<std::string> existing;
  std::error_code error;
  for (const std::string& file : files) {
    if (std::filesystem::exists(PathFromUtf8(file), error)) existing.push_back(file);
  }
  if (existing.empty()) return true;
  const UserMessage question = ReplaceMessage(existing);
  return ::MessageBoxW(owner, ToUtf16(question.text).c_str(), ToUtf16(question.caption).c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace kalkora::win32
