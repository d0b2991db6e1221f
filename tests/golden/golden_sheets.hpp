#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kalkora::testing {

// The outputs that pin what every sheet and every class set says. Each is made afresh by the
// code under test; tests/golden holds the copies that were written when they were right, and
// the golden test compares the two byte for byte. scripts/write-golden writes the copies.

// The classic sheet loop's texts for every kind, size, decimals and range, one line a
// problem: kind, size, places, from, to, position, text and the cells moved on after it,
// tab-separated.
std::string ClassicSheetTexts();

// Whole class sets with their keys: for each set its settings, then every page's heading,
// cells and date line.
std::string ClassSetTexts();

// The golden texts of one classic sheet made from the form's defaults (range 1 to 100, no
// decimals) but for its kind box and size, from the first clock tick the golden copies use.
std::vector<std::string> PinnedClassicTexts(std::string_view box, int size);
inline constexpr std::uint32_t kGoldenFirstTick = 5000;

// word/document.xml of one set per size, with and without its key, by file name.
std::map<std::string, std::string> ClassSetDocuments();

}  // namespace kalkora::testing
