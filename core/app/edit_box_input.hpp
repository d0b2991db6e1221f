#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/app/form_table.hpp"

namespace kalkora {

// Whether the box may hold this UTF-8 text: no more characters than its limit (characters, not
// UTF-16 halves) and each one passing its filter. A control character is a key, never text.
bool AcceptsText(const ControlSpec& box, std::string_view text);

// What of a pasted, dropped or input-method text (UTF-8) goes into the box in place of its
// selection, `kept` being the text outside the selection: the text cut to the room that the
// box's limit leaves, at a character boundary, as the box's own limit cuts it. Nothing when a
// character of that cut is one the box does not take: then the box stays as it was, as it does
// when such a character is typed.
std::optional<std::string> FittingInsertion(const ControlSpec& box, std::string_view kept,
                                            std::string_view inserted);

}  // namespace kalkora
