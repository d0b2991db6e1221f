#pragma once

// An office edge that reaches into the window: the include check must refuse it.
#include "ui/qt/main_window.hpp"
