#include "office/uno/office_session.hpp"

#include <unistd.h>

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

}  // namespace kalkora::uno
