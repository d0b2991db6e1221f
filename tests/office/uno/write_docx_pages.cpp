// Writes the pages read from standard input as a .docx file, for the read-back test.
// Input, one line each: "page<TAB>size<TAB>heading<TAB>date line", then that page's
// "cell<TAB>text" lines in reading order, and on a key its "answer<TAB>text" lines.
// usage: write_docx_pages OUTPUT.docx < pages.tsv

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/word/docx_writer.hpp"

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

std::vector<kalkora::DocumentPage> ReadPages(std::istream& in) {
  std::vector<kalkora::DocumentPage> pages;
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() == 4 && fields[0] == "page") {
      pages.push_back({std::stoi(fields[1]), fields[2], {}, fields[3]});
    } else if (fields.size() == 2 && fields[0] == "cell" && !pages.empty()) {
      pages.back().cells.push_back(fields[1]);
    } else if (fields.size() == 2 && fields[0] == "answer" && !pages.empty()) {
      pages.back().answers.push_back(fields[1]);
    } else {
      throw std::invalid_argument("unreadable line: " + line);
    }
  }
  return pages;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_docx_pages OUTPUT.docx < pages.tsv\n";
    return 2;
  }
  try {
    const std::string bytes = kalkora::WriteDocx(ReadPages(std::cin), {2026, 12, 9, 8, 30, 0});
    std::ofstream out(argv[1], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[1]);
  } catch (const std::exception& error) {
    std::cerr << "write_docx_pages: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
