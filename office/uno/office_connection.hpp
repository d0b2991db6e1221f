#pragma once

#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/XConnection.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <functional>
#include <mutex>
#include <string>

namespace kalkora::uno {

// This process's own UNO runtime, bootstrapped on first use from the office's program folder
// and kept until the process ends; null when it cannot be bootstrapped.
css::uno::Reference<css::uno::XComponentContext> LocalContext();

// The component context of an office that accepts on the pipe; null when none answers.
css::uno::Reference<css::uno::XComponentContext> ConnectToPipe(const std::string& pipeName);

// A connection to an office over its pipe that another thread can cut at any moment: an
// attempt to connect that is in progress, or a call waiting on the office, then fails at once,
// and the link connects no more.
class OfficeLink {
 public:
  OfficeLink() = default;
  OfficeLink(const OfficeLink&) = delete;
  OfficeLink& operator=(const OfficeLink&) = delete;

  // The office's component context; null when none answers or the link was cut.
  css::uno::Reference<css::uno::XComponentContext> Connect(const std::string& pipeName);
  // Runs `action` unless the link was cut, and keeps it from being cut until `action` is done.
  // False when it was cut.
  bool UnlessCut(const std::function<void()>& action);
  // From any thread.
  void Cut();
  bool IsCut() const;
  // The bridge of the last Connect is up as far as is known, and the link was not cut: calls
  // over it are worth making.
  bool IsLive() const;
  // Forgets the bridge after the office went away or the connection was released.
  void Drop();

 private:
  // Keeps what the attempt made so far, unless the link was cut meanwhile.
  bool Hold(const css::uno::Reference<css::connection::XConnection>& connection,
            const css::uno::Reference<css::bridge::XBridge>& bridge);

  mutable std::mutex mutex_;
  bool cut_ = false;
  css::uno::Reference<css::connection::XConnection> connection_;
  css::uno::Reference<css::bridge::XBridge> bridge_;
};

}  // namespace kalkora::uno
