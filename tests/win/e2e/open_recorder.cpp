// open_recorder LOG FILE: what the shell starts to open a document in the window tests; it
// appends FILE, UTF-8, as one line to LOG.
#include <cstdio>
#include <string>

#include "system/win32/utf16.hpp"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  std::FILE* log = _wfopen(argv[1], L"ab");
  if (!log) return 1;
  std::fputs((kalkora::win32::ToUtf8(argv[2]) + "\n").c_str(), log);
  std::fclose(log);
  return 0;
}
