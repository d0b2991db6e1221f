#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/app/batch_command.hpp"
#include "core/base/clock.hpp"

namespace kalkora::win32 {

// The path (UTF-8) with the format's extension: a .docx or .pdf ending (either case) is
// replaced, any other name gets the extension added. An empty path stays empty.
std::string WithFormatExtension(const std::string& path, DocumentFormat format);

// Where a class set goes unless the user says otherwise: "口算题卡-YYYY-MM-DD.docx" in `folder`.
std::string DefaultBatchPath(const std::string& folder, const LocalDateTime& date);

// The user's documents folder, or the profile folder when there is none.
std::string DocumentsFolder();

// A path as typed, made absolute against `folder` when it is relative.
std::string AbsoluteIn(const std::string& folder, const std::string& typed);

// The files a class set writes: the sheets' file and, with answers, the key beside it.
std::vector<std::string> BatchFiles(const std::string& path, bool answers);

// Asks before files are replaced: true when none of `files` exists or the user agrees to
// replace those that do. The question defaults to keeping them.
bool MayReplace(HWND owner, const std::vector<std::string>& files);

}  // namespace kalkora::win32
