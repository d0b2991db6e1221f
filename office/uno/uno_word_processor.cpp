#include "office/uno/uno_word_processor.hpp"

#include <unistd.h>

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cstdlib>
#include <thread>

#include "system/posix/libreoffice_locator.hpp"
#include "office/uno/office_connection.hpp"
#include "office/uno/office_process.hpp"
#include "office/uno/writer_selection.hpp"
#include "office/uno/uno_text.hpp"

namespace kalkora::uno {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

constexpr std::chrono::milliseconds kConnectRetry(50);

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

// A new untitled document from the template. Naming the filter saves the type detection.
css::uno::Sequence<css::beans::PropertyValue> AsTemplate() {
  css::uno::Sequence<css::beans::PropertyValue> arguments(2);
  arguments.getArray()[0].Name = "AsTemplate";
  arguments.getArray()[0].Value <<= true;
  arguments.getArray()[1].Name = "FilterName";
  arguments.getArray()[1].Value <<= rtl::OUString("MS Word 97");
  return arguments;
}

void CloseQuietly(const Reference<css::lang::XComponent>& component) {
  try {
    const Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
    if (closeable.is()) closeable->close(true);
  } catch (const css::uno::Exception&) {
  }
}

}  // namespace

bool HasDisplay() { return Set("DISPLAY") || Set("WAYLAND_DISPLAY"); }

std::string DefaultPipeName() { return "kalkora-" + std::to_string(::getuid()); }

// What the automation holds in the office: the connection and the three references with their
// own lifetimes (application, documents unit with its document and selection, documents object).
struct UnoWordProcessor::Connection {
  Reference<css::uno::XComponentContext> context;
  Reference<css::frame::XDesktop2> application;
  Reference<css::frame::XComponentLoader> documentsUnit;
  Reference<css::frame::XComponentLoader> documentsObject;
  Reference<css::text::XTextDocument> document;
  std::optional<WriterSelection> selection;
  std::optional<float> pendingSize;
  std::optional<pid_t> officePid;  // an office we started

  void DropDocument() {
    if (selection) {
      try {
        selection->Finish();
      } catch (const css::uno::Exception&) {
      }
    }
    selection.reset();
    document.clear();
    pendingSize.reset();
  }
  void DropOffice() {
    DropDocument();
    documentsUnit.clear();
    documentsObject.clear();
    application.clear();
    context.clear();
  }
  bool HasSelection() const { return documentsUnit.is() && selection.has_value(); }
};

namespace {

// Runs one exchange with the office. A runtime failure (the office went away, the bridge was
// disposed, an object died) drops the whole connection so that the next CreateApplication
// connects afresh; any other UNO failure just fails the operation.
template <typename Holder, typename Call>
bool Guarded(Holder& connection, Call call) {
  try {
    return call();
  } catch (const css::uno::RuntimeException&) {
    connection.DropOffice();
  } catch (const css::uno::Exception&) {
  }
  return false;
}

}  // namespace

UnoWordProcessor::UnoWordProcessor() : UnoWordProcessor(UnoOfficeOptions{}) {}

UnoWordProcessor::UnoWordProcessor(UnoOfficeOptions options)
    : options_(std::move(options)), connection_(std::make_unique<Connection>()) {}

UnoWordProcessor::~UnoWordProcessor() { ReleaseAll(); }

std::optional<pid_t> UnoWordProcessor::StartedOfficePid() {
  std::optional<pid_t>& pid = connection_->officePid;
  if (pid && PollOffice(*pid) != ChildState::Running) pid.reset();
  return pid;
}

bool UnoWordProcessor::ConnectOrStart() {
  Reference<css::uno::XComponentContext>& context = connection_->context;
  context = ConnectToPipe(options_.pipeName);
  if (context.is()) return true;
  const OfficeLaunch launch{options_.officeProgram.empty() ? posix::FindOfficeProgram(posix::ProcessSearchPath())
                                                           : options_.officeProgram,
                            options_.pipeName, options_.profileUrl, options_.headless};
  if (launch.program.empty()) return false;
  // An office we started earlier that is still coming up is waited for, not started twice.
  if (!StartedOfficePid()) connection_->officePid = StartOffice(launch);
  if (!connection_->officePid) return false;

  const auto deadline = std::chrono::steady_clock::now() + options_.connectTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(kConnectRetry);
    context = ConnectToPipe(options_.pipeName);
    if (context.is()) return true;
    std::optional<pid_t>& pid = connection_->officePid;
    if (!pid) continue;
    switch (PollOffice(*pid)) {
      case ChildState::Running:
        break;
      case ChildState::RestartRequested:
        pid = StartOffice(launch);
        if (!pid) return false;
        break;
      case ChildState::Exited:
        // It handed the pipe to an office of the same profile that was already running.
        pid.reset();
        break;
      case ChildState::Failed:
        pid.reset();
        return false;
    }
  }
  return false;
}

bool UnoWordProcessor::CreateApplication() {
  Connection& held = *connection_;
  held.application.clear();
  if (held.context.is() && Guarded(held, [&] {
        held.application = css::frame::Desktop::create(held.context);
        return true;
      })) {
    return true;
  }
  held.DropOffice();
  if (!ConnectOrStart()) return false;
  return Guarded(held, [&] {
    held.application = css::frame::Desktop::create(held.context);
    return true;
  });
}

bool UnoWordProcessor::AttachDocuments() {
  Connection& held = *connection_;
  held.documentsUnit.clear();
  held.DropDocument();
  if (!held.application.is()) return false;
  return Guarded(held, [&] {
    held.documentsUnit.set(held.application, UNO_QUERY_THROW);
    return true;
  });
}

bool UnoWordProcessor::TakeDocumentsObject() {
  Connection& held = *connection_;
  held.documentsObject = held.documentsUnit;
  return held.documentsObject.is();
}

bool UnoWordProcessor::AddDocument(std::string_view templatePath) {
  Connection& held = *connection_;
  if (!held.documentsObject.is() || !templatePath.starts_with('/')) return false;
  return Guarded(held, [&] {
    const Reference<css::lang::XComponent> component = held.documentsObject->loadComponentFromURL(
        FileUrl(templatePath), "_blank", 0, AsTemplate());
    const Reference<css::text::XTextDocument> document(component, UNO_QUERY);
    if (!document.is()) {
      CloseQuietly(component);
      return false;
    }
    held.DropDocument();
    held.document = document;
    held.selection.emplace(document);
    return true;
  });
}

bool UnoWordProcessor::ShowApplication() {
  Connection& held = *connection_;
  if (!held.document.is()) return false;
  if (options_.headless) return true;
  return Guarded(held, [&] {
    const Reference<css::frame::XModel> model(held.document, UNO_QUERY_THROW);
    const Reference<css::awt::XWindow> window =
        model->getCurrentController()->getFrame()->getContainerWindow();
    window->setVisible(true);
    if (const Reference<css::awt::XTopWindow> top(window, UNO_QUERY); top.is()) top->toFront();
    return true;
  });
}

bool UnoWordProcessor::MoveUp(std::int32_t unit, std::int32_t /*count*/, std::int32_t /*extend*/) {
  Connection& held = *connection_;
  if (!held.HasSelection()) return false;
  held.pendingSize.reset();
  if (unit == wdScreen) held.selection->ToTop();
  return true;
}

bool UnoWordProcessor::MoveDown(std::int32_t unit, std::int32_t count, std::int32_t /*extend*/) {
  Connection& held = *connection_;
  if (!held.HasSelection()) return false;
  held.pendingSize.reset();
  if (unit != wdParagraph) return true;
  return Guarded(held, [&] {
    held.selection->DownParagraphs(count);
    return true;
  });
}

bool UnoWordProcessor::MoveRight(std::int32_t unit, std::int32_t count, std::int32_t /*extend*/) {
  Connection& held = *connection_;
  if (!held.HasSelection()) return false;
  if (unit != wdCell || count == 0) return true;
  held.pendingSize.reset();
  held.selection->RightCells(count);
  return true;
}

bool UnoWordProcessor::TypeText(std::string_view text) {
  Connection& held = *connection_;
  if (!held.HasSelection()) return false;
  return Guarded(held, [&] {
    held.selection->Type(text, held.pendingSize);
    return true;
  });
}

bool UnoWordProcessor::SetFontSize(float points) {
  Connection& held = *connection_;
  if (!held.HasSelection()) return false;
  held.pendingSize = points;
  return true;
}

void UnoWordProcessor::ReleaseDocuments() {
  connection_->DropDocument();
  connection_->documentsUnit.clear();
}

void UnoWordProcessor::ReleaseAll() { connection_->DropOffice(); }

void UnoWordProcessor::Abandon() { DisposeBridges(); }

}  // namespace kalkora::uno
