#pragma once

#include <string>

#include "core/base/clock.hpp"

namespace kalkora {

// "2013年1月22日8时27分27秒"; trailing zero fields of the time are left off, so exactly
// midnight gives the date alone.
std::string DateTimeText(const LocalDateTime& when);

// The date part of DateTimeText: everything up to and including the first "日".
std::string DateText(const LocalDateTime& when);

}  // namespace kalkora
