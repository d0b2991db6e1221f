#pragma once

#include <string>

namespace kalkora::testing {

// A printer of the test prefix that prints to files (Wine's PostScript driver, with the PPD in
// tests/win/printer, whose default paper is Letter), installed for the holder's lifetime.
class FilePrinter {
 public:
  explicit FilePrinter(std::wstring name);
  FilePrinter(const FilePrinter&) = delete;
  FilePrinter& operator=(const FilePrinter&) = delete;
  ~FilePrinter();

  bool Installed() const { return installed_; }

 private:
  std::wstring name_;
  bool installed_ = false;
};

}  // namespace kalkora::testing
