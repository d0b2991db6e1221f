#include "core/app/edit_box_input.hpp"

#include <algorithm>
#include <vector>

namespace kalkora {
namespace {

// The length of a UTF-8 sequence from its first byte; 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xc2) return 0;  // a continuation byte, or the lead of an overlong sequence
  if (lead < 0xe0) return 2;
  if (lead < 0xf0) return 3;
  if (lead < 0xf5) return 4;
  return 0;
}

// The length of the UTF-8 sequence that starts the text, with its code point; 0 when it is not
// valid UTF-8 (a lone UTF-16 half written as UTF-8 included).
std::size_t DecodeCharacter(std::string_view text, char32_t& character) {
  const auto lead = static_cast<unsigned char>(text.front());
  const std::size_t length = SequenceLength(lead);
  if (length == 0 || text.size() < length) return 0;
  character = length == 1 ? lead : lead & (0x7fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xc0) != 0x80) return 0;
    character = (character << 6) | (next & 0x3fu);
  }
  const bool overlong = (length == 3 && character < 0x800) || (length == 4 && character < 0x10000);
  const bool surrogate = character >= 0xd800 && character <= 0xdfff;
  return overlong || surrogate || character > 0x10ffff ? 0 : length;
}

struct Character {
  char32_t code;
  std::string_view bytes;  // its UTF-8 sequence
};

// The characters of a UTF-8 text; nothing when it is not valid UTF-8.
std::optional<std::vector<Character>> Characters(std::string_view text) {
  std::vector<Character> characters;
  while (!text.empty()) {
    char32_t code = 0;
    const std::size_t length = DecodeCharacter(text, code);
    if (length == 0) return std::nullopt;
    characters.push_back({code, text.substr(0, length)});
    text.remove_prefix(length);
  }
  return characters;
}

// A control character is a key, never text; the rest passes as it does when typed.
bool TakesAsText(InputFilter filter, const Character& character) {
  return character.code >= 0x20 && character.code != 0x7f &&
         AcceptsTypedCharacter(filter, character.code);
}

}  // namespace

bool AcceptsText(const ControlSpec& box, std::string_view text) {
  const auto characters = Characters(text);
  if (!characters) return false;
  if (box.maxLength > 0 && characters->size() > static_cast<std::size_t>(box.maxLength)) {
    return false;
  }
  return std::ranges::all_of(
      *characters, [&](const Character& character) { return TakesAsText(box.filter, character); });
}

std::optional<std::string> FittingInsertion(const ControlSpec& box, std::string_view kept,
                                            std::string_view inserted) {
  const auto keptCharacters = Characters(kept);
  const auto insertedCharacters = Characters(inserted);
  if (!keptCharacters || !insertedCharacters) return std::nullopt;
  std::size_t room = insertedCharacters->size();
  if (box.maxLength > 0) {
    const auto limit = static_cast<std::size_t>(box.maxLength);
    room = std::min(room, limit - std::min(limit, keptCharacters->size()));
  }
  std::string fitting;
  for (std::size_t i = 0; i < room; ++i) {
    const Character& character = (*insertedCharacters)[i];
    if (!TakesAsText(box.filter, character)) return std::nullopt;
    fitting += character.bytes;
  }
  return fitting;
}

}  // namespace kalkora
