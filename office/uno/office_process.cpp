#include "office/uno/office_process.hpp"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <thread>
#include <vector>

extern char** environ;

namespace kalkora::uno {
namespace {

// The office asks to be started again (after updating its profile) with this exit code.
constexpr int kRestartExitCode = 81;
// What the soffice launcher script sets before it starts the office.
constexpr std::string_view kFileLocking = "SAL_ENABLE_FILE_LOCKING=1";

std::string OfficeBinary(const std::string& program) {
  const std::string binary = program + ".bin";
  struct stat info {};
  if (program.ends_with("/soffice") && ::stat(binary.c_str(), &info) == 0 &&
      S_ISREG(info.st_mode) && ::access(binary.c_str(), X_OK) == 0) {
    return binary;
  }
  return program;
}

std::vector<std::string> Arguments(const OfficeLaunch& launch, const std::string& binary) {
  std::vector<std::string> arguments{
      binary,        "--accept=pipe,name=" + launch.pipeName + ";urp;StarOffice.ComponentContext",
      "--norestore", "--nologo",
      "--nodefault", "--nolockcheck",
  };
  if (!launch.profileUrl.empty()) {
    arguments.push_back("-env:UserInstallation=" + launch.profileUrl);
  }
  if (launch.headless) {
    arguments.push_back("--headless");
    arguments.push_back("--invisible");
  }
  return arguments;
}

std::string_view NameOf(std::string_view entry) { return entry.substr(0, entry.find('=') + 1); }

// Ours, with the launch's entries and the launcher's file locking in place of any of the same
// name.
std::vector<std::string> Environment(const OfficeLaunch& launch) {
  std::vector<std::string> added = launch.environment;
  added.emplace_back(kFileLocking);
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string_view name = NameOf(*entry);
    bool replaced = false;
    for (const std::string& own : added) replaced = replaced || NameOf(own) == name;
    if (!replaced) environment.emplace_back(*entry);
  }
  environment.insert(environment.end(), added.begin(), added.end());
  return environment;
}

ChildState EndState(int status) {
  if (WIFEXITED(status) && WEXITSTATUS(status) == kRestartExitCode) {
    return ChildState::RestartRequested;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return ChildState::Exited;
  return ChildState::Failed;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::optional<pid_t> StartOffice(const OfficeLaunch& launch) {
  const std::string binary = OfficeBinary(launch.program);
  std::vector<std::string> arguments = Arguments(launch, binary);
  std::vector<std::string> environment = Environment(launch);
  std::vector<char*> argv = Pointers(arguments);
  std::vector<char*> envp = Pointers(environment);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  // Its own session: the office outlives a terminal that closes, and keeps no signal settings
  // of ours.
  sigset_t noSignals;
  sigset_t defaultSignals;
  sigemptyset(&noSignals);
  sigemptyset(&defaultSignals);
  sigaddset(&defaultSignals, SIGPIPE);
  posix_spawnattr_setsigmask(&attributes, &noSignals);
  posix_spawnattr_setsigdefault(&attributes, &defaultSignals);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  pid_t pid = 0;
  const int error =
      posix_spawn(&pid, binary.c_str(), &actions, &attributes, argv.data(), envp.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return std::nullopt;
  return pid;
}

ChildState PollOffice(pid_t pid) {
  int status = 0;
  const pid_t result = ::waitpid(pid, &status, WNOHANG);
  if (result == 0) return ChildState::Running;
  if (result != pid) return ChildState::Exited;  // not (or no longer) our child
  return EndState(status);
}

struct OfficeChild::Watch {
  mutable std::mutex mutex;
  ChildState state = ChildState::Running;
};

std::shared_ptr<OfficeChild> OfficeChild::Start(const OfficeLaunch& launch) {
  const std::optional<pid_t> pid = StartOffice(launch);
  if (!pid) return nullptr;
  auto watch = std::make_shared<Watch>();
  std::thread([pid = *pid, watch] {
    int status = 0;
    pid_t result = -1;
    do {
      result = ::waitpid(pid, &status, 0);
    } while (result == -1 && errno == EINTR);
    const std::lock_guard lock(watch->mutex);
    watch->state = result == pid ? EndState(status) : ChildState::Exited;
  }).detach();
  return std::shared_ptr<OfficeChild>(new OfficeChild(*pid, std::move(watch)));
}

ChildState OfficeChild::State() const {
  const std::lock_guard lock(watch_->mutex);
  return watch_->state;
}

}  // namespace kalkora::uno
