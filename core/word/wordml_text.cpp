#include "core/word/wordml_text.hpp"

#include <stdexcept>

namespace kalkora {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the UTF-8 sequence starting at `at`, with its code point; 0 when invalid.
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  for (std::size_t next = 1; next < length; ++next) {
    const auto byte = static_cast<unsigned char>(text[at + next]);
    if ((byte & 0xC0) != 0x80) return 0;
    codePoint = codePoint << 6 | (byte & 0x3Fu);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

bool XmlForbids(char32_t codePoint) {
  const bool control =
      codePoint < 0x20 && codePoint != '\t' && codePoint != '\n' && codePoint != '\r';
  return control || codePoint == 0xFFFE || codePoint == 0xFFFF;
}

class RunBuilder {
 public:
  explicit RunBuilder(std::string& out) : out_(out) {}
  ~RunBuilder() { CloseText(); }
  RunBuilder(const RunBuilder&) = delete;
  RunBuilder& operator=(const RunBuilder&) = delete;

  void Text(std::string_view escaped) {
    if (!textOpen_) out_ += "<w:t xml:space=\"preserve\">";
    textOpen_ = true;
    out_ += escaped;
  }

  void Element(std::string_view element) {
    CloseText();
    out_ += element;
  }

 private:
  void CloseText() {
    if (textOpen_) out_ += "</w:t>";
    textOpen_ = false;
  }

  std::string& out_;
  bool textOpen_ = false;
};

}  // namespace

void AppendRunContent(std::string& out, std::string_view text, std::string_view what) {
  std::string built;
  {
    RunBuilder run(built);
    for (std::size_t at = 0; at < text.size();) {
      char32_t codePoint = 0;
      const std::size_t length = DecodeUtf8(text, at, codePoint);
      if (length == 0) {
        throw std::invalid_argument(std::string(what) + " is not valid UTF-8 (byte " +
                                    std::to_string(at + 1) + ")");
      }
      if (codePoint == '\r' || codePoint == '\n') {
        const bool crlf = codePoint == '\r' && text.substr(at + 1, 1) == "\n";
        run.Element("<w:br/>");
        at += crlf ? 2 : 1;
        continue;
      }
      switch (codePoint) {
        case '\t':
          run.Element("<w:tab/>");
          break;
        case '&':
          run.Text("&amp;");
          break;
        case '<':
          run.Text("&lt;");
          break;
        case '>':
          run.Text("&gt;");
          break;
        case '"':
          run.Text("&quot;");
          break;
        default:
          run.Text(XmlForbids(codePoint) ? kReplacement : text.substr(at, length));
      }
      at += length;
    }
  }
  out += built;
}

}  // namespace kalkora
