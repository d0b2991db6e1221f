#pragma once

#include <string_view>

#include "core/base/controls.hpp"

namespace kalkora {

// Runs after a click has toggled `box`: a ticked box clears the other nine kind boxes and
// confirms the choice in status panel 1; a box that the click cleared changes nothing else.
void OnKindBoxClicked(Controls& controls, std::string_view box);

}  // namespace kalkora
