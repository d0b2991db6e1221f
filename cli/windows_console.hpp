#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace kalkora::cli {

#ifdef _WIN32
// The program's arguments after its name, UTF-8, read from the UTF-16 command line: main's
// argv is in the ANSI code page, which cannot hold every file name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// While it lives, what the program writes to std::cout and std::cerr (UTF-8) reaches Windows
// intact: through WriteConsoleW when the stream is a console, as the UTF-8 bytes themselves
// when it is redirected to a file or a pipe.
class ConsoleOutput {
 public:
  ConsoleOutput();
  ~ConsoleOutput();
  ConsoleOutput(const ConsoleOutput&) = delete;
  ConsoleOutput& operator=(const ConsoleOutput&) = delete;

 private:
  struct Streams;
  std::unique_ptr<Streams> streams_;
};
#else
// Elsewhere the arguments and the terminal are UTF-8 as they are.
inline std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return {argv + 1, argv + argc};
}
class ConsoleOutput {};
#endif

}  // namespace kalkora::cli
