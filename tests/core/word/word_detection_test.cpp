#include <gtest/gtest.h>

#include "core/base/form_names.hpp"
#include "core/word/word_detection.hpp"
#include "fakes/memory_controls.hpp"
#include "fakes/recording.hpp"

namespace kalkora {
namespace {

TEST(DetectWord, LooksForFficeInAnyLetterCaseAndKeepsThePathInTheHiddenBox) {
  const std::pair<const char*, bool> cases[] = {
      {R"(C:\Program Files\Microsoft Office\Office\)", true},
      {R"(C:\MSOFFICE\WINWORD\)", true},
      {"/usr/lib/libreoffice/program/", true},
      {"D:\\any folder with ffice in it\\", true},
      {"", false},
      {R"(C:\Programs\Word\)", false},
      {"ffic", false},
  };
  for (const auto& [path, installed] : cases) {
    testing::MemoryControls controls;
    testing::FixedOfficeLocator locator(path);
    EXPECT_EQ(DetectWord(controls, locator), installed) << path;
    EXPECT_EQ(controls.ReadText(form::编辑框19), path);
  }
}

}  // namespace
}  // namespace kalkora
