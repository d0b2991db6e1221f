#include "core/app/file_set_placement.hpp"

#include <memory>

#include "core/base/folder_lock.hpp"

namespace kalkora {
namespace {

namespace fs = std::filesystem;

// Putting a set in place takes milliseconds; a rival that holds the lock this long is stuck.
constexpr std::chrono::seconds kLockPatience{10};

struct Placed {
  const PendingFile* file;
  std::unique_ptr<PendingFile> old;  // the target as it was; null where there was none
};

void Undo(std::vector<Placed>& placed) {
  for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
    std::error_code ignored;
    if (it->old) {
      it->old->Commit(ignored);
    } else {
      fs::remove(it->file->Target(), ignored);
    }
  }
}

}  // namespace

bool IsReadOnlyFile(const fs::path& target) {
  std::error_code ignored;
  const fs::file_status status = fs::status(target, ignored);
  return fs::is_regular_file(status) &&
         (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::optional<std::error_code> TargetRefusal(const fs::path& target) {
  std::error_code ignored;
  if (fs::is_directory(target, ignored)) return std::make_error_code(std::errc::is_a_directory);
  if (IsReadOnlyFile(target)) return std::make_error_code(std::errc::permission_denied);
  return std::nullopt;
}

std::optional<PlacementFailure> PutInPlaceTogether(const std::vector<PendingFile*>& files) {
  if (files.empty()) return std::nullopt;
  const FolderLock lock(files.front()->Target().parent_path(), kLockPatience);
  if (!lock.Held()) return PlacementFailure{0, lock.Error()};
  std::vector<Placed> placed;
  for (std::size_t i = 0; i < files.size(); ++i) {
    PendingFile& file = *files[i];
    std::error_code error;
    std::unique_ptr<PendingFile> old;
    const fs::file_status status = fs::symlink_status(file.Target(), error);
    if (status.type() != fs::file_type::none) error.clear();  // "not found" is no failure
    if (fs::exists(status)) {
      old = std::make_unique<PendingFile>(file.Target(), ".old");
      old->KeepCopyOf(file.Target(), error);
    }
    if (error || !file.Commit(error)) {
      Undo(placed);
      return PlacementFailure{i, error};
    }
    placed.push_back({&file, std::move(old)});
  }
  return std::nullopt;
}

}  // namespace kalkora
