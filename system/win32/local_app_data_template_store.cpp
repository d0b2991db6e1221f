#include "system/win32/local_app_data_template_store.hpp"

#include <shlobj.h>
#include <windows.h>

#include <algorithm>

#include "system/win32/utf16.hpp"

namespace kalkora::win32 {
namespace {

std::wstring LocalAppDataFolder() {
  PWSTR folder = nullptr;
  std::wstring path;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &folder))) path = folder;
  CoTaskMemFree(folder);
  return path;
}

bool IsLink(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The private folder, made when missing; false when it is a link or not a folder.
bool PrepareFolder(const std::wstring& folder) {
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    return false;
  }
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !IsLink(attributes) &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteNewFile(const std::wstring& path, std::span<const unsigned char> bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = true;
  std::size_t offset = 0;
  while (written && offset < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1 << 20));
    DWORD done = 0;
    written = WriteFile(file, bytes.data() + offset, chunk, &done, nullptr) && done == chunk;
    offset += done;
  }
  written = FlushFileBuffers(file) && written;
  return CloseHandle(file) && written;
}

}  // namespace

LocalAppDataTemplateStore::LocalAppDataTemplateStore(TemplateSource source)
    : LocalAppDataTemplateStore(std::move(source), LocalAppDataFolder()) {}

LocalAppDataTemplateStore::LocalAppDataTemplateStore(TemplateSource source,
                                                     std::wstring parentFolder)
    : source_(std::move(source)), parentFolder_(std::move(parentFolder)) {}

TemplateWrite LocalAppDataTemplateStore::Write(int sheetSize) {
  const std::wstring folder = parentFolder_ + L"\\Kalkora";
  const std::wstring target = folder + L"\\" + ToUtf16(source_.fileName(sheetSize));
  TemplateWrite result{ToUtf8(target), false};
  if (parentFolder_.empty() || !PrepareFolder(folder)) return result;
  if (IsLink(GetFileAttributesW(target.c_str()))) return result;

  const std::wstring temporary = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                 std::to_wstring(GetTickCount()) + L".tmp";
  if (!WriteNewFile(temporary, source_.bytes(sheetSize))) {
    DeleteFileW(temporary.c_str());
    return result;
  }
  // Replacing renames the temporary file over the target; a link put there since the check
  // is replaced itself, never followed.
  if (!MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return result;
  }
  result.written = true;
  return result;
}

}  // namespace kalkora::win32
