// show_window_check PROGRAM: starts the program, waits for Kalkora's main window, closes it
// and succeeds when the window was shown and the program then ended with exit code 0.
#include <cstdio>

#include "kalkora_process.hpp"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: show_window_check PROGRAM\n", stderr);
    return 2;
  }
  kalkora::testing::KalkoraProcess program(argv[1]);
  if (!program.Started()) {
    std::fputs("show_window_check: no main window appeared\n", stderr);
    return 1;
  }
  const auto code = program.Close();
  if (code != 0u) {
    std::fputs("show_window_check: the program did not end cleanly\n", stderr);
    return 1;
  }
  std::puts("show_window_check: main window shown and closed");
  return 0;
}
