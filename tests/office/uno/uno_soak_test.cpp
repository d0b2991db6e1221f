// Soak: 300 consecutive runs against one real office from one process. Every run adds exactly
// one document; our resident memory stays within a small bound after warm-up. The figures
// (memory, run times early and late) are printed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <numeric>

#include "core/base/form_names.hpp"
#include "office/uno/office_test_support.hpp"
#include "system/posix/libreoffice_locator.hpp"

namespace kalkora::testing {
namespace {

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

double MeanMilliseconds(const std::vector<double>& times, std::size_t from, std::size_t to) {
  return std::accumulate(times.begin() + static_cast<std::ptrdiff_t>(from),
                         times.begin() + static_cast<std::ptrdiff_t>(to), 0.0) /
         static_cast<double>(to - from);
}

TEST(Soak, ThreeHundredRunsAddOneDocumentEachWithoutOurMemoryGrowing) {
  constexpr int kRuns = 300;
  constexpr int kWarmUp = 20;
  constexpr int kBatch = 50;  // documents are counted, then closed, every batch
  TestOffice& office = SharedOffice();
  DocumentReader reader(office.Options().pipeName);
  posix::LibreOfficeLocator locator;
  std::vector<double> times;
  long warmedUp = 0;
  reader.CloseAll();
  for (int run = 1; run <= kRuns; ++run) {
    SheetRun sheet(form::选择框7, form::单选框3);
    const auto start = std::chrono::steady_clock::now();
    sheet.Run(office.Automation(), locator, office.Store());
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    ASSERT_TRUE(sheet.messages.shown.empty()) << "run " << run;
    if (run == kWarmUp) warmedUp = ResidentKilobytes();
    if (run % kBatch == 0) {
      ASSERT_EQ(reader.ReadAll().size(), static_cast<std::size_t>(kBatch)) << "after run " << run;
      reader.CloseAll();
    }
  }
  const long end = ResidentKilobytes();
  std::printf("soak: %d runs of 30 problems (pauses on a fake clock)\n", kRuns);
  std::printf("soak: resident memory after warm-up %ld KiB, at the end %ld KiB (%+ld KiB)\n",
              warmedUp, end, end - warmedUp);
  std::printf("soak: mean run %.1f ms for runs 21-70, %.1f ms for runs 251-300\n",
              MeanMilliseconds(times, kWarmUp, kWarmUp + 50), MeanMilliseconds(times, 250, 300));
  EXPECT_LT(end - warmedUp, 8 * 1024) << "resident memory grew by more than 8 MiB";
}

}  // namespace
}  // namespace kalkora::testing
