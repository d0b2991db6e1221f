#include "ui/qt/office_wait.hpp"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>

namespace kalkora::qt {
namespace {

// How long the call may take before the events are looked at again: most calls end within it.
constexpr std::chrono::milliseconds kEventStep(10);

}  // namespace

BoundedAutomation::Wait OfficeWaitHandlingEvents() {
  return [](const BoundedAutomation::Settled& settled) {
    while (!settled(kEventStep)) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
  };
}

}  // namespace kalkora::qt
