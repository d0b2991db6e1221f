#include "office/uno/uno_document_converter.hpp"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <random>
#include <thread>

#include "office/uno/office_connection.hpp"
#include "office/uno/office_process.hpp"
#include "office/uno/uno_text.hpp"
#include "system/posix/libreoffice_locator.hpp"

namespace kalkora::uno {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kRetry(50);

css::uno::Sequence<css::beans::PropertyValue> Properties(
    std::initializer_list<std::pair<const char*, css::uno::Any>> values) {
  css::uno::Sequence<css::beans::PropertyValue> properties(static_cast<sal_Int32>(values.size()));
  sal_Int32 i = 0;
  for (const auto& [name, value] : values) {
    properties.getArray()[i].Name = rtl::OUString::createFromAscii(name);
    properties.getArray()[i].Value = value;
    ++i;
  }
  return properties;
}

// A private folder under the temporary folder, mode 0700; empty when none can be made.
std::string MakePrivateFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/kalkora-convert-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

}  // namespace

// The office's process and connection. The process id is read and reaped only under the
// mutex, so that the watchdog never signals an id that has been reaped and may be reused.
struct UnoDocumentConverter::Office {
  std::string folder;
  std::string pipeName;
  Reference<css::frame::XDesktop2> desktop;

  std::mutex mutex;
  std::optional<pid_t> pid;

  bool Running() {
    const std::lock_guard lock(mutex);
    if (pid && PollOffice(*pid) != ChildState::Running) pid.reset();
    return pid.has_value();
  }
  void Kill() {
    const std::lock_guard lock(mutex);
    if (!pid) return;
    if (PollOffice(*pid) == ChildState::Running) {
      ::kill(*pid, SIGKILL);
    } else {
      pid.reset();
    }
  }
  // Waits for the office to end until the deadline; kills it then.
  void WaitOrKill(Clock::time_point deadline) {
    while (Running() && Clock::now() < deadline) std::this_thread::sleep_for(kRetry);
    const std::lock_guard lock(mutex);
    if (!pid) return;
    ::kill(*pid, SIGKILL);
    ::waitpid(*pid, nullptr, 0);
    pid.reset();
    // A killed office leaves its pipe's socket behind, where the UNO runtime makes them.
    std::error_code ignored;
    for (const char* base : {"/tmp", "/var/tmp"}) {
      std::filesystem::remove(
          std::string(base) + "/OSL_PIPE_" + std::to_string(::getuid()) + "_" + pipeName, ignored);
    }
  }
  bool StartAndConnect(const OfficeLaunch& launch, Clock::time_point deadline,
                       Reference<css::uno::XComponentContext>& context);
};

namespace {

// Kills the office when the deadline passes before the watchdog goes out of scope: every call
// waiting on it then returns with an exception.
class Watchdog {
 public:
  Watchdog(std::function<void()> onTimeout, Clock::time_point deadline)
      : thread_([this, onTimeout = std::move(onTimeout), deadline] {
          std::unique_lock lock(mutex_);
          if (!done_.wait_until(lock, deadline, [this] { return finished_; })) onTimeout();
        }) {}
  ~Watchdog() {
    {
      const std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_one();
    thread_.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

}  // namespace

// Starts the office and connects to it; handles the restart an office asks for after making
// a new profile. False when it cannot be started or does not answer before the deadline.
bool UnoDocumentConverter::Office::StartAndConnect(
    const OfficeLaunch& launch, Clock::time_point deadline,
    Reference<css::uno::XComponentContext>& context) {
  {
    const std::lock_guard lock(mutex);
    pid = StartOffice(launch);
    if (!pid) return false;
  }
  while (Clock::now() < deadline) {
    std::this_thread::sleep_for(kRetry);
    context = ConnectToPipe(launch.pipeName);
    if (context.is()) return true;
    const std::lock_guard lock(mutex);
    if (!pid) return false;
    switch (PollOffice(*pid)) {
      case ChildState::Running:
        break;
      case ChildState::RestartRequested:
        pid = StartOffice(launch);
        if (!pid) return false;
        break;
      case ChildState::Exited:
      case ChildState::Failed:
        pid.reset();
        return false;
    }
  }
  return false;
}

UnoDocumentConverter::UnoDocumentConverter() : UnoDocumentConverter(UnoConverterOptions{}) {}

UnoDocumentConverter::UnoDocumentConverter(UnoConverterOptions options)
    : options_(std::move(options)), office_(std::make_unique<Office>()) {}

UnoDocumentConverter::~UnoDocumentConverter() {
  StopOffice();
  if (!office_->folder.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(office_->folder, ignored);
  }
}

std::optional<pid_t> UnoDocumentConverter::OfficePid() {
  if (!office_->Running()) return std::nullopt;
  const std::lock_guard lock(office_->mutex);
  return office_->pid;
}

void UnoDocumentConverter::StopOffice() {
  Office& office = *office_;
  if (office.desktop.is() && office.Running()) {
    const Watchdog watchdog([&office] { office.Kill(); }, Clock::now() + options_.stopLimit);
    try {
      office.desktop->terminate();
    } catch (const css::uno::Exception&) {
    }
  }
  office.desktop.clear();
  office.WaitOrKill(Clock::now() + options_.stopLimit);
}

void UnoDocumentConverter::Abort() {
  aborted_ = true;
  office_->Kill();
}

bool UnoDocumentConverter::ConvertToPdf(const std::string& docxPath, const std::string& pdfPath) {
  if (aborted_ || !docxPath.starts_with('/') || !pdfPath.starts_with('/')) return false;
  Office& office = *office_;
  const Clock::time_point deadline = Clock::now() + options_.timeLimit;
  const Watchdog watchdog([&office] { office.Kill(); }, deadline);
  try {
    if (!office.desktop.is() || !office.Running()) {
      StopOffice();
      if (office.folder.empty()) office.folder = MakePrivateFolder();
      if (office.folder.empty()) return false;
      std::random_device random;
      office.pipeName =
          "kalkora-convert-" + std::to_string(::getpid()) + "-" + std::to_string(random());
      const std::string program = options_.officeProgram.empty()
                                      ? posix::FindOfficeProgram(posix::ProcessSearchPath())
                                      : options_.officeProgram;
      if (program.empty()) return false;
      // Its temporary files too: an office killed by the time limit leaves none in /tmp.
      const OfficeLaunch launch{
          program,
          office.pipeName,
          ToUtf8(FileUrl(office.folder + "/profile")),
          true,
          {"XDG_CACHE_HOME=" + office.folder + "/cache",
           "XDG_CONFIG_HOME=" + office.folder + "/config", "TMPDIR=" + office.folder}};
      Reference<css::uno::XComponentContext> context;
      if (!office.StartAndConnect(launch, deadline, context)) {
        office.WaitOrKill(Clock::now());
        return false;
      }
      office.desktop = css::frame::Desktop::create(context);
    }
    if (aborted_) {
      StopOffice();
      return false;
    }

    const Reference<css::lang::XComponent> document = office.desktop->loadComponentFromURL(
        FileUrl(docxPath), "_blank", 0,
        Properties({{"Hidden", css::uno::Any(true)}, {"ReadOnly", css::uno::Any(true)}}));
    const Reference<css::frame::XStorable> storable(document, UNO_QUERY);
    bool stored = false;
    if (storable.is()) {
      storable->storeToURL(
          FileUrl(pdfPath),
          Properties({{"FilterName", css::uno::Any(rtl::OUString("writer_pdf_Export"))},
                      {"Overwrite", css::uno::Any(true)}}));
      stored = true;
    }
    const Reference<css::util::XCloseable> closeable(document, UNO_QUERY);
    if (closeable.is()) closeable->close(true);
    std::error_code ignored;
    return stored && std::filesystem::is_regular_file(pdfPath, ignored);
  } catch (const css::uno::RuntimeException&) {
    // The office died or was killed by the watchdog: the next conversion starts another.
    office.desktop.clear();
    office.WaitOrKill(Clock::now());
  } catch (const css::uno::Exception&) {
  }
  return false;
}

}  // namespace kalkora::uno
