#include "office/uno/office_connection.hpp"

#include <signal.h>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
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

}  // namespace

Reference<XComponentContext> LocalContext() {
  // Deliberately never destroyed: the UNO runtime does not survive being torn down during
  // static destruction.
  static Reference<XComponentContext>* const context =
      new Reference<XComponentContext>(Bootstrap());
  return *context;
}

Reference<XComponentContext> ConnectToPipe(const std::string& pipeName) {
  const Reference<XComponentContext> local = LocalContext();
  if (!local.is()) return {};
  const rtl::OUString url =
      ToOUString("uno:pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext");
  try {
    const Reference<css::bridge::XUnoUrlResolver> resolver =
        css::bridge::UnoUrlResolver::create(local);
    return Reference<XComponentContext>(resolver->resolve(url), css::uno::UNO_QUERY);
  } catch (const css::connection::NoConnectException&) {
  } catch (const css::uno::Exception&) {
  }
  return {};
}

void DisposeBridges() {
  const Reference<XComponentContext> local = LocalContext();
  if (!local.is()) return;
  try {
    const auto bridges = css::bridge::BridgeFactory::create(local)->getExistingBridges();
    for (const auto& bridge : bridges) {
      const Reference<css::lang::XComponent> component(bridge, css::uno::UNO_QUERY);
      if (component.is()) component->dispose();
    }
  } catch (const css::uno::Exception&) {
  }
}

}  // namespace kalkora::uno
