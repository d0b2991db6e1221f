#include "cli/windows_console.hpp"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <iostream>
#include <streambuf>

#include "system/win32/utf16.hpp"

namespace kalkora::cli {
namespace {

// How many bytes at the end of `text` begin a UTF-8 sequence that is not complete yet.
std::size_t IncompleteTail(const std::string& text) {
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const auto byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? back : 0;
  }
  return 0;
}

// A stream buffer over a standard handle: text is passed on whole lines at a time (and on
// every flush), as UTF-16 to a console, as UTF-8 bytes to anything else.
class HandleBuffer : public std::streambuf {
 public:
  explicit HandleBuffer(DWORD which) : handle_(GetStdHandle(which)) {
    DWORD mode = 0;
    console_ = handle_ && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode);
  }
  ~HandleBuffer() override { Pass(pending_); }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char character = traits_type::to_char_type(c);
    xsputn(&character, 1);
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    pending_.append(text, static_cast<std::size_t>(count));
    if (pending_.find('\n') != std::string::npos) sync();
    return count;
  }
  int sync() override {
    const std::size_t keep = IncompleteTail(pending_);
    const std::string whole = pending_.substr(0, pending_.size() - keep);
    pending_.erase(0, whole.size());
    return Pass(whole) ? 0 : -1;
  }

 private:
  bool Pass(const std::string& text) {
    if (text.empty() || !handle_ || handle_ == INVALID_HANDLE_VALUE) return true;
    if (console_) {
      const std::wstring wide = win32::ToUtf16(text);
      DWORD written = 0;
      return WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written,
                           nullptr) != 0;
    }
    DWORD written = 0;
    return WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
  }

  HANDLE handle_;
  bool console_ = false;
  std::string pending_;
};

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) arguments.push_back(win32::ToUtf8(wide[i]));
    LocalFree(wide);
  }
  return arguments;
}

struct ConsoleOutput::Streams {
  HandleBuffer out{STD_OUTPUT_HANDLE};
  HandleBuffer err{STD_ERROR_HANDLE};
  std::streambuf* previousOut = nullptr;
  std::streambuf* previousErr = nullptr;
};

ConsoleOutput::ConsoleOutput() : streams_(std::make_unique<Streams>()) {
  streams_->previousOut = std::cout.rdbuf(&streams_->out);
  streams_->previousErr = std::cerr.rdbuf(&streams_->err);
}

ConsoleOutput::~ConsoleOutput() {
  std::cout.flush();
  std::cerr.flush();
  std::cout.rdbuf(streams_->previousOut);
  std::cerr.rdbuf(streams_->previousErr);
}

}  // namespace kalkora::cli
