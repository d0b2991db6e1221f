// Writes the golden copies into the folder given as the one argument. Run by hand, through
// scripts/write-golden, only when a change of output is intended.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "golden/golden_sheets.hpp"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& contents) {
  std::ofstream file(path, std::ios::binary);
  file << contents;
  return static_cast<bool>(file.flush());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_golden FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  bool written = WriteFile(folder / "classic_sheets.tsv", kalkora::testing::ClassicSheetTexts()) &&
                 WriteFile(folder / "class_sets.txt", kalkora::testing::ClassSetTexts());
  for (const auto& [name, xml] : kalkora::testing::ClassSetDocuments()) {
    written = written && WriteFile(folder / name, xml);
  }
  if (!written) {
    std::cerr << "write_golden: cannot write into " << folder << '\n';
    return 1;
  }
  return 0;
}
