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
  std::string title = kSheetTitle;
  // On a key, each cell's answer, shown in the answer row under it; empty on a worksheet.
  std::vector<std::string> answers{};
  // Lines between the heading and the table: on a key made under rules the rules in words,
  // then the name line where asked for.
  std::vector<std::string> underHeading{};
};

// Writes the pages as one .docx file, a page each, laid out like the worksheet templates
// (their page, margins, styles and answer space) with a class set's table (FindClassSetGeometry,
// ClassSetRowHeight), with each problem cell's text at 12 points as the cell writer types it
// and each answer at 12 points at the top of the answer row under it. Every zip entry carries the
// given time, so the same pages and time give the same bytes.
// Throws std::invalid_argument for no pages, a size other than 18, 24 or 30, a cell count
// or answer count that does not match the size, a text that is not UTF-8, or a time zip cannot
// store, and std::runtime_error when zlib fails.
std::string WriteDocx(const std::vector<DocumentPage>& pages, ZipTime stamp);

}  // namespace kalkora
