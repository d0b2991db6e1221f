#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/app/class_set_flow.hpp"
#include "core/base/clock.hpp"

namespace kalkora::win32 {

// Where a class set goes unless the user says otherwise: "口算题卡-YYYY-MM-DD.docx" in `folder`.
std::string DefaultBatchPath(const std::string& folder, const LocalDateTime& date);

// The user's documents folder, or the profile folder when there is none.
std::string DocumentsFolder();

// A path as typed, made absolute against `folder` when it is relative.
std::string AbsoluteIn(const std::string& folder, const std::string& typed);

// Asks before files are replaced: true when none of `files` exists or the user agrees to
// replace those that do. The question defaults to keeping them.
bool MayReplace(HWND owner, const std::vector<std::string>& files);

}  // namespace kalkora::win32
