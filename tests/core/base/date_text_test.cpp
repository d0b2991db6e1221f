#include "core/base/date_text.hpp"

#include <gtest/gtest.h>

namespace kalkora {
namespace {

struct ClockCase {
  LocalDateTime when;
  const char* dateTime;
  const char* date;
};

TEST(DateText, DropsTrailingZeroFieldsOfTheTime) {
  const ClockCase cases[] = {
      {{2013, 1, 22, 8, 27, 27}, "2013年1月22日8时27分27秒", "2013年1月22日"},
      {{2013, 1, 22, 9, 5, 0}, "2013年1月22日9时5分", "2013年1月22日"},
      {{2013, 1, 22, 9, 0, 0}, "2013年1月22日9时", "2013年1月22日"},
      {{2013, 1, 22, 0, 0, 0}, "2013年1月22日", "2013年1月22日"},
      {{2027, 2, 1, 0, 0, 7}, "2027年2月1日0时0分7秒", "2027年2月1日"},
      {{2026, 12, 31, 0, 30, 0}, "2026年12月31日0时30分", "2026年12月31日"},
  };
  for (const ClockCase& c : cases) {
    EXPECT_EQ(DateTimeText(c.when), c.dateTime);
    EXPECT_EQ(DateText(c.when), c.date);
  }
}

}  // namespace
}  // namespace kalkora
