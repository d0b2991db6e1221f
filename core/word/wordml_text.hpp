#pragma once

#include <string>
#include <string_view>

namespace kalkora {

// Appends the inside of a WordprocessingML run holding the UTF-8 text: text elements that keep
// every space, a tab element for a tab, a line break for each line end (CR, LF or CR LF).
// XML's special characters are escaped, and control characters that XML 1.0 cannot carry,
// like U+FFFE and U+FFFF, become U+FFFD, so any text gives a well-formed document.
// Throws std::invalid_argument, naming `what`, when the text is not valid UTF-8.
void AppendRunContent(std::string& out, std::string_view text, std::string_view what);

}  // namespace kalkora
