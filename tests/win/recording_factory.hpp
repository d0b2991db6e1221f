#pragma once

#include <chrono>
#include <thread>

#include "office/com/word_objects.hpp"
#include "recording_word.hpp"

namespace kalkora::testing {

// A Word that each connection gets anew as a recording application of `recorder`.
inline com::ApplicationFactory RecordingFactory(Recorder& recorder) {
  return [&recorder](com::DispatchRef& application) {
    application = com::DispatchRef(NewRecordingApplication(recorder));
    return S_OK;
  };
}

// Waits up to 2 s for every reference handed out to be given back (a thread that was let go
// gives them back once the recorder answers).
inline void WaitUntilAllReleased(Recorder& recorder) {
  for (int i = 0; i < 200 && recorder.Outstanding() != 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace kalkora::testing
