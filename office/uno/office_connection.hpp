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

// A connection to an office over its pipe that another thread can abandon at any moment: the
// link then connects no more and starts nothing, while a call already waiting on the office
// goes on waiting until the office answers it or goes away. The connection is kept for that
// call on purpose: only over it can the documents it locked be unlocked again, and its end
// tells when the office answers again.
class OfficeLink {
 public:
  OfficeLink() = default;
  OfficeLink(const OfficeLink&) = delete;
  OfficeLink& operator=(const OfficeLink&) = delete;

  // The office's component context; null when none answers or the link was abandoned.
  css::uno::Reference<css::uno::XComponentContext> Connect(const std::string& pipeName);
  // Runs `action` unless the link was abandoned, and keeps it from being abandoned until
  // `action` is done. False when it was abandoned.
  bool UnlessAbandoned(const std::function<void()>& action);
  // From any thread.
  void Abandon();
  bool IsAbandoned() const;
  // The bridge of the last Connect is up as far as is known: calls over it are worth making.
  bool IsLive() const;
  // Forgets the bridge after the office went away or the connection was released.
  void Drop();

 private:
  // Keeps what the attempt made so far, unless the link was abandoned meanwhile.
  bool Hold(const css::uno::Reference<css::connection::XConnection>& connection,
            const css::uno::Reference<css::bridge::XBridge>& bridge);

  mutable std::mutex mutex_;
  bool abandoned_ = false;
  css::uno::Reference<css::connection::XConnection> connection_;
  css::uno::Reference<css::bridge::XBridge> bridge_;
};

}  // namespace kalkora::uno
