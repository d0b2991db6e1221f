#include "office/uno/uno_word_processor.hpp"

#include <algorithm>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <thread>

#include "core/word/office_messages.hpp"
#include "office/uno/desktop_plugins.hpp"
#include "office/uno/uno_text.hpp"
#include "office/uno/writer_selection.hpp"
#include "system/posix/libreoffice_locator.hpp"

namespace kalkora::uno {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

constexpr std::chrono::milliseconds kConnectRetry(50);
// More unlocks than any run of ours locks; a bound, in case the office keeps counting.
constexpr int kMostUnlocks = 64;

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

// The file an untitled document was made from; empty for any other document.
rtl::OUString TemplateOf(const Reference<css::frame::XModel>& model) {
  if (!model->getURL().isEmpty()) return {};
  for (const css::beans::PropertyValue& argument : model->getArgs()) {
    rtl::OUString url;
    if (argument.Name == "URL" && (argument.Value >>= url)) return url;
  }
  return {};
}

}  // namespace

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

  bool HasSelection() const { return documentsUnit.is() && selection.has_value(); }
};

UnoWordProcessor::UnoWordProcessor(UnoOfficeOptions options)
    : UnoWordProcessor(std::make_shared<OfficeSession>(std::move(options))) {}

UnoWordProcessor::UnoWordProcessor(std::shared_ptr<OfficeSession> session)
    : session_(std::move(session)), connection_(std::make_unique<Connection>()) {}

UnoWordProcessor::~UnoWordProcessor() { ReleaseAll(); }

bool UnoWordProcessor::Guarded(const std::function<bool()>& call) {
  try {
    return call();
  } catch (const css::uno::RuntimeException&) {
    link_.Drop();
    DropOffice();
  } catch (const css::uno::Exception&) {
  }
  return false;
}

bool UnoWordProcessor::DropDocument() {
  Connection& held = *connection_;
  bool unlocked = true;
  if (held.selection) {
    if (link_.IsLive()) {
      try {
        held.selection->Finish();
      } catch (const css::uno::Exception&) {
      }
    }
    unlocked = held.selection->Unlock();
    held.selection.reset();
  }
  held.document.clear();
  held.pendingSize.reset();
  return unlocked;
}

void UnoWordProcessor::DropOffice() {
  DropDocument();
  Connection& held = *connection_;
  held.documentsUnit.clear();
  held.documentsObject.clear();
  held.application.clear();
  held.context.clear();
}

std::string UnoWordProcessor::OfficeProgram() const {
  const std::string& chosen = session_->Options().officeProgram;
  return chosen.empty() ? posix::FindOfficeProgram(posix::ProcessSearchPath()) : chosen;
}

bool UnoWordProcessor::ConnectOrStart() {
  const UnoOfficeOptions& options = session_->Options();
  Reference<css::uno::XComponentContext>& context = connection_->context;
  context = link_.Connect(options.pipeName);
  if (context.is()) return true;
  const OfficeLaunch launch{OfficeProgram(), options.pipeName, options.profileUrl,
                            options.headless};
  if (launch.program.empty()) return false;
  // Nothing is started once the connection was abandoned (the window may be closing).
  std::shared_ptr<OfficeChild> child;
  const auto start = [&] { child = session_->StartUnlessRunning(launch); };
  if (!link_.UnlessAbandoned(start) || !child) return false;

  const auto deadline = std::chrono::steady_clock::now() + options.connectTimeout;
  while (std::chrono::steady_clock::now() < deadline && !link_.IsAbandoned()) {
    std::this_thread::sleep_for(kConnectRetry);
    context = link_.Connect(options.pipeName);
    if (context.is()) return true;
    if (!child) continue;
    switch (child->State()) {
      case ChildState::Running:
        break;
      case ChildState::RestartRequested:
        if (!link_.UnlessAbandoned(start) || !child) return false;
        break;
      case ChildState::Exited:
        // It handed the pipe to an office of the same profile that was already running.
        child.reset();
        break;
      case ChildState::Failed:
        return false;
    }
  }
  return false;
}

void UnoWordProcessor::UnlockLeftovers() {
  const std::string& folder = session_->Options().templateFolder;
  if (folder.empty()) return;
  const rtl::OUString ours = FileUrl(folder + "/");
  Connection& held = *connection_;
  Guarded([&] {
    const Reference<css::container::XEnumeration> all =
        held.application->getComponents()->createEnumeration();
    while (all->hasMoreElements()) {
      const Reference<css::frame::XModel> model(all->nextElement(), UNO_QUERY);
      if (!model.is() || !model->hasControllersLocked() || !TemplateOf(model).startsWith(ours)) {
        continue;
      }
      for (int i = 0; i < kMostUnlocks && model->hasControllersLocked(); ++i) {
        model->unlockControllers();
      }
    }
    return true;
  });
}

bool UnoWordProcessor::CreateApplication() {
  Connection& held = *connection_;
  held.application.clear();
  refusal_.reset();
  if (!session_->Options().headless) {
    const std::string program = OfficeProgram();
    if (!program.empty() && !CanShowWindows(program.substr(0, program.rfind('/') + 1))) {
      refusal_ = OfficeMessage(kWordCannotShowWindows);
      return false;
    }
  }
  const auto createDesktop = [&] {
    held.application = css::frame::Desktop::create(held.context);
    return true;
  };
  if (!held.context.is() || !Guarded(createDesktop)) {
    DropOffice();
    if (!ConnectOrStart() || !Guarded(createDesktop)) return false;
  }
  UnlockLeftovers();
  return held.application.is();
}

bool UnoWordProcessor::AttachDocuments() {
  Connection& held = *connection_;
  held.documentsUnit.clear();
  DropDocument();
  if (!held.application.is()) return false;
  return Guarded([&] {
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
  return Guarded([&] {
    const Reference<css::lang::XComponent> component = held.documentsObject->loadComponentFromURL(
        FileUrl(templatePath), "_blank", 0, AsTemplate());
    const Reference<css::text::XTextDocument> document(component, UNO_QUERY);
    if (!document.is()) {
      CloseQuietly(component);
      return false;
    }
    DropDocument();
    held.document = document;
    held.selection.emplace(document, [this] { return link_.IsLive(); });
    return true;
  });
}

bool UnoWordProcessor::ShowApplication() {
  Connection& held = *connection_;
  if (!held.document.is()) return false;
  if (session_->Options().headless) return true;
  return Guarded([&] {
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
  return Guarded([&] {
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
  return Guarded([&] {
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

bool UnoWordProcessor::ReleaseDocuments() {
  const bool unlocked = DropDocument();
  connection_->documentsUnit.clear();
  return unlocked;
}

void UnoWordProcessor::ReleaseAll() {
  DropOffice();
  link_.Drop();
}

void UnoWordProcessor::Abandon() { link_.Abandon(); }

}  // namespace kalkora::uno
