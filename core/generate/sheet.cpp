#include "core/generate/sheet.hpp"

namespace kalkora {

namespace {
constexpr int kCodeCount = kLastSheetCode - kFirstSheetCode + 1;
}

bool IsSheetCode(int code) { return code >= kFirstSheetCode && code <= kLastSheetCode; }

int SheetCode(int firstCode, int index) {
  return kFirstSheetCode + (firstCode - kFirstSheetCode + index % kCodeCount) % kCodeCount;
}

}  // namespace kalkora
