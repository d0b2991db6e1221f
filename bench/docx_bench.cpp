// Prints how long the document writer takes for a class set: 80 pages of 30-problem sheets,
// as .docx bytes in memory (no file, no office).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/word/docx_writer.hpp"

int main() {
  using namespace kalkora;
  constexpr int kPages = 80;
  constexpr int kRuns = 25;
  std::vector<DocumentPage> pages;
  for (int page = 0; page < kPages; ++page) {
    DocumentPage sheet{30,
                       "  连续加法运算题" + std::string(54, ' ') + "评分：",
                       {},
                       "2026年12月9日    卷号 " + std::to_string(482900 + page)};
    for (int cell = 0; cell < 30; ++cell) {
      sheet.cells.push_back(std::to_string(10 + (page * 31 + cell) % 90) + " + 28 - 16 + " +
                            std::to_string(page % 90 + 10) + " =");
    }
    pages.push_back(std::move(sheet));
  }
  std::vector<double> milliseconds;
  std::size_t bytes = 0;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    bytes = WriteDocx(pages, {2026, 12, 9, 8, 30, 0}).size();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    milliseconds.push_back(elapsed.count());
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf(
      "%d pages of 30 problems: median %.2f ms, fastest %.2f ms, slowest %.2f ms, "
      "%zu bytes\n",
      kPages, milliseconds[kRuns / 2], milliseconds.front(), milliseconds.back(), bytes);
}
