#pragma once

// A generator that reaches up into the office layer: the include check must refuse it.
#include "core/word/cell_writer.hpp"
