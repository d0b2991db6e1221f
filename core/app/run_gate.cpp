#include "core/app/run_gate.hpp"

namespace kalkora {

bool RunGate::BeginRun() {
  if (running_ || closeRequested_) return false;
  running_ = true;
  return true;
}

bool RunGate::EndRun() {
  running_ = false;
  return closeRequested_;
}

bool RunGate::RequestClose() {
  closeRequested_ = true;
  return !running_;
}

}  // namespace kalkora
