#pragma once

// A painter that reaches into the other one: the include check must refuse it.
#include "paint/qt/page_painter.hpp"
