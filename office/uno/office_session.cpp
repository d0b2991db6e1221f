#include "office/uno/office_session.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace kalkora::uno {
namespace {

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

}  // namespace

bool HasDisplay() { return Set("DISPLAY") || Set("WAYLAND_DISPLAY"); }

std::string DefaultPipeName() { return "kalkora-" + std::to_string(::getuid()); }

std::optional<pid_t> OfficeSession::RunningPid() {
  std::lock_guard lock(mutex_);
  if (!child_ || child_->State() != ChildState::Running) return std::nullopt;
  return child_->Pid();
}

std::shared_ptr<OfficeChild> OfficeSession::StartUnlessRunning(const OfficeLaunch& launch) {
  std::lock_guard lock(mutex_);
  if (!child_ || child_->State() != ChildState::Running) child_ = OfficeChild::Start(launch);
  return child_;
}

void OfficeSession::RememberLocked(const std::string& title) {
  std::lock_guard lock(mutex_);
  locked_.push_back(title);
}

void OfficeSession::ForgetLocked(const std::string& title) {
  std::lock_guard lock(mutex_);
  if (const auto found = std::ranges::find(locked_, title); found != locked_.end()) {
    locked_.erase(found);
  }
}

std::vector<std::string> OfficeSession::LockedTitles() {
  std::lock_guard lock(mutex_);
  return locked_;
}

}  // namespace kalkora::uno
