#include "office/uno/office_connection.hpp"

#include <signal.h>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cstdlib>

#include "office/uno/uno_text.hpp"

namespace kalkora::uno {
namespace {

using css::uno::Reference;
using css::uno::XComponentContext;

constexpr const char* kBootstrapVariable = "URE_BOOTSTRAP";
constexpr const char* kFundamentalRc =
    "vnd.sun.star.pathname:" KALKORA_UNO_PROGRAM_DIR "/fundamentalrc";

// A write to the pipe of an office that has just died must fail, not end our process.
void IgnoreBrokenPipes() {
  struct sigaction current {};
  if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
    ::signal(SIGPIPE, SIG_IGN);
  }
}

Reference<XComponentContext> Bootstrap() {
  ::setenv(kBootstrapVariable, kFundamentalRc, 0);
  IgnoreBrokenPipes();
  try {
    return cppu::defaultBootstrap_InitialComponentContext();
  } catch (const css::uno::Exception&) {
  } catch (const cppu::BootstrapException&) {
  }
  return {};
}

// Disposing the bridge closes its connection.
void Close(const Reference<css::connection::XConnection>& connection,
           const Reference<css::bridge::XBridge>& bridge) {
  try {
    if (const Reference<css::lang::XComponent> component(bridge, css::uno::UNO_QUERY);
        component.is()) {
      component->dispose();
    } else if (connection.is()) {
      connection->close();
    }
  } catch (const css::uno::Exception&) {
  }
}

}  // namespace

Reference<XComponentContext> LocalContext() {
  // Deliberately never destroyed: the UNO runtime does not survive being torn down during
  // static destruction.
  static Reference<XComponentContext>* const context =
      new Reference<XComponentContext>(Bootstrap());
  return *context;
}

Reference<XComponentContext> ConnectToPipe(const std::string& pipeName) {
  return OfficeLink().Connect(pipeName);
}

// What the URL resolver does, in steps that an Abandon can stop between: the pipe, the bridge
// over it, and the office's context fetched through the bridge (where a stopped office keeps
// us waiting).
Reference<XComponentContext> OfficeLink::Connect(const std::string& pipeName) {
  const Reference<XComponentContext> local = LocalContext();
  if (!local.is() || IsAbandoned()) return {};
  try {
    const Reference<css::connection::XConnection> connection =
        css::connection::Connector::create(local)->connect(ToOUString("pipe,name=" + pipeName));
    if (!Hold(connection, {})) return {};
    const Reference<css::bridge::XBridge> bridge =
        css::bridge::BridgeFactory::create(local)->createBridge({}, "urp", connection, {});
    if (!Hold(connection, bridge)) return {};
    return Reference<XComponentContext>(bridge->getInstance("StarOffice.ComponentContext"),
                                        css::uno::UNO_QUERY);
  } catch (const css::uno::Exception&) {
  }
  return {};
}

bool OfficeLink::Hold(const Reference<css::connection::XConnection>& connection,
                      const Reference<css::bridge::XBridge>& bridge) {
  {
    std::lock_guard lock(mutex_);
    if (!abandoned_) {
      connection_ = connection;
      bridge_ = bridge;
      return true;
    }
  }
  Close(connection, bridge);
  return false;
}

bool OfficeLink::UnlessAbandoned(const std::function<void()>& action) {
  std::lock_guard lock(mutex_);
  if (abandoned_) return false;
  action();
  return true;
}

void OfficeLink::Abandon() {
  std::lock_guard lock(mutex_);
  abandoned_ = true;
}

bool OfficeLink::IsAbandoned() const {
  std::lock_guard lock(mutex_);
  return abandoned_;
}

bool OfficeLink::IsLive() const {
  std::lock_guard lock(mutex_);
  return bridge_.is();
}

void OfficeLink::Drop() {
  std::lock_guard lock(mutex_);
  connection_.clear();
  bridge_.clear();
}

}  // namespace kalkora::uno
