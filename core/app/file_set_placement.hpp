#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "core/app/pending_file.hpp"

namespace kalkora {

// Why a target cannot be replaced before anything is written: a folder of that name
// (is_a_directory) or a read-only file (permission_denied); none when it may be.
std::optional<std::error_code> TargetRefusal(const std::filesystem::path& target);

// Whether the target is an existing file marked read-only (no write permission for its owner;
// the read-only attribute on Windows).
bool IsReadOnlyFile(const std::filesystem::path& target);

struct PlacementFailure {
  std::size_t file = 0;  // the file that could not be put in place
  std::error_code error;
};

// Puts written files over their targets (all in one folder) as one change, holding the
// folder's lock meanwhile so that two runs never mix their files. Each target that exists is
// kept aside first; when one file cannot be put in place, the targets already replaced get
// their old files back (and those that did not exist are removed), so the folder is as it was.
std::optional<PlacementFailure> PutInPlaceTogether(const std::vector<PendingFile*>& files);

}  // namespace kalkora
