#pragma once

#include <string>
#include <vector>

#include "core/generate/sheet.hpp"
#include "core/word/zip_archive.hpp"

namespace kalkora {

// One printed page: a worksheet or its answer key.
struct DocumentPage {
  int sheetSize = 0;               // 18, 24 or 30: chooses the template's geometry
  std::string heading;             // the heading paragraph's text, spaces kept
  std::vector<std::string> cells;  // sheetSize texts in reading order, row by row
  std::string dateLine;            // the paragraph below the table
  std::string ruleLine = {};       // a paragraph of its own under the heading; empty: none
};

// Writes the pages as one .docx file, a page each, laid out like the worksheet templates:
// their page, margins, column widths, row heights, styles and answer space, with each
// problem cell's text at 12 points as the cell writer types it. Every zip entry carries the
// given time, so the same pages and time give the same bytes.
// Throws std::invalid_argument for no pages, a size other than 18, 24 or 30, a cell count
// that does not match the size, a text that is not UTF-8, or a time zip cannot store, and
// std::runtime_error when zlib fails.
std::string WriteDocx(const std::vector<DocumentPage>& pages, ZipTime stamp);

}  // namespace kalkora
