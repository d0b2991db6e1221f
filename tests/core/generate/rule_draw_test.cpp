#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "core/generate/answer.hpp"
#include "core/generate/rule_draw.hpp"
#include "core/generate/rule_presets.hpp"

namespace kalkora {
namespace {

std::shared_ptr<const RuledDraw> PrepareFor(SheetSettings settings, const SheetRules& rules,
                                            std::string& refusal) {
  settings.rules = rules;
  return RuledDraw::Prepare(settings, refusal);
}

// An independent reading of a drawn problem: operands as integers scaled by 10^places.
struct Number {
  long long scaled = 0;
  int places = 0;
};

Number ReadNumber(const std::string& text) {
  Number n;
  bool point = false;
  for (char c : text) {
    if (c == '.') {
      point = true;
      continue;
    }
    n.scaled = n.scaled * 10 + (c - '0');
    if (point) ++n.places;
  }
  return n;
}

std::vector<int> DigitsOf(long long value) {
  std::vector<int> digits;  // least significant first
  for (; value > 0; value /= 10) digits.push_back(static_cast<int>(value % 10));
  return digits;
}

// Column addition with the carry passed on from column to column.
bool CheckCarries(long long a, long long b) {
  const std::vector<int> x = DigitsOf(a), y = DigitsOf(b);
  int carry = 0;
  bool carried = false;
  for (std::size_t i = 0; i < std::max(x.size(), y.size()); ++i) {
    const int sum = (i < x.size() ? x[i] : 0) + (i < y.size() ? y[i] : 0) + carry;
    carry = sum >= 10 ? 1 : 0;
    carried = carried || carry == 1;
  }
  return carried;
}

// Column subtraction with the borrow passed on from column to column.
bool CheckBorrows(long long top, long long bottom) {
  const std::vector<int> x = DigitsOf(top), y = DigitsOf(bottom);
  int borrow = 0;
  bool borrowed = false;
  for (std::size_t i = 0; i < std::max(x.size(), y.size()); ++i) {
    const int difference = (i < x.size() ? x[i] : 0) - borrow - (i < y.size() ? y[i] : 0);
    borrow = difference < 0 ? 1 : 0;
    borrowed = borrowed || borrow == 1;
  }
  return borrowed;
}

struct Case {
  SheetSettings settings;
  SheetRules rules;
};

struct Checked {
  bool carries = false, borrows = false, remainder = false;
  bool hasPlus = false, hasMinus = false, hasDivide = false;
};

int Bound(const std::string& text) { return std::stoi(text); }

// Checks one problem against every rule; returns its facts for the share counts.
Checked CheckProblem(const Case& c, const Problem& ruled) {
  Checked facts;
  const Problem& problem = ruled;
  std::vector<Number> operands;
  for (const std::string& text : problem.operands) operands.push_back(ReadNumber(text));
  const int places = operands[0].places;
  long long scale = 1;
  for (int i = 0; i < places; ++i) scale *= 10;
  const auto inResult = [&](long double value) {
    if (c.rules.resultFrom && value < Bound(*c.rules.resultFrom)) return false;
    if (c.rules.resultTo && value > Bound(*c.rules.resultTo)) return false;
    return true;
  };
  const ExerciseKind kind = *c.settings.kind;
  if (kind == ExerciseKind::Fraction) {
    EXPECT_NE(operands[1].scaled, 0);
    EXPECT_TRUE(inResult(static_cast<long double>(operands[0].scaled) / operands[1].scaled));
    EXPECT_EQ(ruled.blank, 0);
    return facts;
  }
  long long running = operands[0].scaled;
  long double result = 0;
  for (std::size_t i = 0; i < problem.operators.size(); ++i) {
    const long long x = operands[i + 1].scaled;
    EXPECT_EQ(operands[i + 1].places, places);
    switch (problem.operators[i]) {
      case Operator::Plus:
        facts.hasPlus = true;
        facts.carries = facts.carries || CheckCarries(running, x);
        running += x;
        result = static_cast<long double>(running) / scale;
        break;
      case Operator::Minus:
        facts.hasMinus = true;
        facts.borrows = facts.borrows || CheckBorrows(running, x);
        running -= x;
        if (c.rules.secondFrom) {
          EXPECT_GE(running, 0) << ProblemText(problem);
        }
        result = static_cast<long double>(running) / scale;
        break;
      case Operator::Times:
        result = static_cast<long double>(running) * x / scale / scale;
        if (ruled.blank != 0) {
          EXPECT_NE(ruled.blank == 1 ? x : running, 0);
        }
        break;
      case Operator::Divide: {
        facts.hasDivide = true;
        EXPECT_NE(x, 0) << ProblemText(problem);
        if (places == 0) {
          facts.remainder = running % x != 0;
          result = static_cast<long double>(running / x);
        } else {
          facts.remainder = (running * scale) % x != 0;
          result = static_cast<long double>(running) / x;
        }
        if (ruled.blank == 2) {
          EXPECT_GT(result, 0) << ProblemText(ruled);
        }
        break;
      }
      case Operator::FractionBar:
        ADD_FAILURE();
    }
    // Every running result in the range (a quotient compared as a whole or exact value).
    EXPECT_TRUE(inResult(result)) << ProblemText(problem) << " at " << static_cast<double>(result);
  }
  // The blank where the rules put it, filled by its value.
  const std::string cell = ProblemText(ruled);
  if (c.rules.blank == BlankPlace::Result) {
    EXPECT_EQ(ruled.blank, 0);
  }
  if (c.rules.blank == BlankPlace::First) {
    EXPECT_EQ(ruled.blank, 1);
  }
  if (c.rules.blank == BlankPlace::Second) {
    EXPECT_EQ(ruled.blank, 2);
  }
  if (ruled.blank == 0) {
    EXPECT_EQ(cell.find("（"), std::string::npos);
  } else {
    EXPECT_EQ(AnswerText(ruled), problem.operands[static_cast<std::size_t>(ruled.blank - 1)]);
    EXPECT_NE(cell.find("（　　）"), std::string::npos) << cell;
    EXPECT_TRUE(cell.ends_with(" = " + ResultText(ruled))) << cell;
  }
  // The operands from their ranges: the first from the first, the rest from the second.
  if (problem.operators.size() == 1) {
    const WholeRange first = ReadRange(c.settings.from, c.settings.to);
    const WholeRange second =
        c.rules.secondFrom ? ReadRange(*c.rules.secondFrom, *c.rules.secondTo) : first;
    const long long whole0 = operands[0].scaled / scale, whole1 = operands[1].scaled / scale;
    if (c.rules.secondFrom) {
      EXPECT_TRUE(whole0 >= first.lo && whole0 <= first.hi) << cell;
      EXPECT_TRUE(whole1 >= second.lo && whole1 <= second.hi) << cell;
    } else {
      EXPECT_TRUE(whole0 >= first.lo && whole0 <= first.hi && whole1 >= first.lo &&
                  whole1 <= first.hi)
          << cell;
    }
  }
  return facts;
}

int Share(int percent, int n) { return (percent * n + 50) / 100; }

void CheckSheet(const Case& c, const std::vector<Problem>& sheet) {
  ASSERT_EQ(static_cast<int>(sheet.size()), c.settings.size);
  int plus = 0, carrying = 0, minus = 0, borrowing = 0, divide = 0, leaving = 0;
  std::set<std::string> texts;
  for (const Problem& ruled : sheet) {
    const Checked facts = CheckProblem(c, ruled);
    plus += facts.hasPlus;
    carrying += facts.hasPlus && facts.carries;
    minus += facts.hasMinus;
    borrowing += facts.hasMinus && facts.borrows;
    divide += facts.hasDivide;
    leaving += facts.hasDivide && facts.remainder;
    texts.insert(ProblemText(ruled));
  }
  if (c.rules.carry) {
    EXPECT_EQ(carrying, Share(*c.rules.carry, plus));
  }
  if (c.rules.borrow) {
    EXPECT_EQ(borrowing, Share(*c.rules.borrow, minus));
  }
  if (c.rules.remainder) {
    EXPECT_EQ(leaving, Share(*c.rules.remainder, divide));
  }
  if (c.rules.distinct) {
    EXPECT_EQ(static_cast<int>(texts.size()), c.settings.size);
  }
}

Case RandomCase(std::mt19937& random) {
  const auto pick = [&random](int n) {
    return static_cast<int>(random() % static_cast<unsigned>(n));
  };
  Case c;
  c.settings.kind = static_cast<ExerciseKind>(pick(kKindCount));
  c.settings.size = 18 + 6 * pick(3);
  const int wide = pick(4) == 0 ? 3000 : 40;
  c.settings.from = std::to_string(pick(wide / 2));
  c.settings.to = std::to_string(pick(wide));
  const bool pairKind = *c.settings.kind < ExerciseKind::ChainAddition;
  if (pairKind && pick(4) == 0) {
    c.settings.decimals = true;
    c.settings.places = std::to_string(1 + pick(2));
  }
  if (pick(2)) {
    c.rules.secondFrom = std::to_string(pick(10));
    c.rules.secondTo = std::to_string(pick(wide));
  }
  if (pick(3) == 0) c.rules.resultFrom = std::to_string(pick(20));
  if (pick(2)) c.rules.resultTo = std::to_string(20 + pick(wide * 2));
  const int shares[] = {0, 30, 50, 100};
  if (*c.settings.kind != ExerciseKind::Fraction) {
    if (pick(2)) c.rules.carry = shares[pick(4)];
    if (pick(2)) c.rules.borrow = shares[pick(4)];
    if (pick(2)) c.rules.remainder = c.settings.decimals ? 0 : shares[pick(4)];
    c.rules.blank = static_cast<BlankPlace>(pick(4));
  }
  c.rules.distinct = pick(2) == 1;
  if (!AnyRuleSet(c.rules)) c.rules.distinct = true;
  return c;
}

TEST(RuleDraw, EveryProblemOfRandomRuleSetsKeepsEveryRule) {
  std::mt19937 random(20261210);
  int drawn = 0;
  for (int i = 0; i < 400; ++i) {
    const Case c = RandomCase(random);
    std::string refusal;
    const auto draw = PrepareFor(c.settings, c.rules, refusal);
    if (!draw) {
      EXPECT_FALSE(refusal.empty());
      continue;
    }
    ++drawn;
    for (int code : {100000, 345678, 999999}) {
      SCOPED_TRACE(RuleWords(c.rules) + " kind " +
                   std::to_string(static_cast<int>(*c.settings.kind)) + " " + c.settings.from +
                   "～" + c.settings.to + " code " + std::to_string(code));
      CheckSheet(c, draw->Draw(code));
      if (HasFailure()) return;
    }
  }
  EXPECT_GT(drawn, 200);  // most random settings can be met
}

TEST(RuleDraw, TheSameCodeGivesTheSameSheetAndOtherCodesOtherSheets) {
  const RulePreset& preset = *FindRulePreset("20以内填空");
  SheetSettings settings;
  settings.kind = preset.kind;
  settings.size = 30;
  settings.from = preset.from;
  settings.to = preset.to;
  std::string refusal;
  const auto draw = PrepareFor(settings, PresetRules(preset), refusal);
  ASSERT_TRUE(draw) << refusal;
  EXPECT_EQ(draw->Draw(123456), draw->Draw(123456));
  EXPECT_NE(draw->Draw(123456), draw->Draw(123457));
}

// The chi-square statistic of counts against expected shares.
double ChiSquare(const std::map<std::string, int>& counts,
                 const std::map<std::string, double>& expected, int total) {
  double chi = 0;
  for (const auto& [text, share] : expected) {
    const double e = share * total;
    const auto found = counts.find(text);
    const double o = found == counts.end() ? 0 : found->second;
    chi += (o - e) * (o - e) / e;
  }
  return chi;
}

// The chi-square value that a fair draw exceeds once in a thousand, for `df` degrees of
// freedom (Wilson and Hilferty's approximation).
double ChiSquareLimit(std::size_t df) {
  const double k = static_cast<double>(df);
  const double t = 1 - 2 / (9 * k) + 3.09 * std::sqrt(2 / (9 * k));
  return k * t * t * t;
}

TEST(RuleDraw, FittingProblemsComeOutAsOftenAsTheKindsDrawMakesThem) {
  // Addition 0-6 + 0-6 with results up to 6: the 28 fitting pairs, equally likely.
  SheetSettings settings;
  settings.kind = ExerciseKind::Addition;
  settings.from = "0";
  settings.to = "6";
  SheetRules rules;
  rules.secondFrom = "0";
  rules.secondTo = "6";
  rules.resultTo = "6";
  std::string refusal;
  auto draw = PrepareFor(settings, rules, refusal);
  ASSERT_TRUE(draw) << refusal;
  std::map<std::string, int> counts;
  int total = 0;
  for (int code = 200000; code < 200400; ++code) {
    for (const Problem& p : draw->Draw(code)) {
      ++counts[ProblemText(p)];
      ++total;
    }
  }
  std::map<std::string, double> expected;
  for (int a = 0; a <= 6; ++a) {
    for (int b = 0; a + b <= 6; ++b) {
      expected[std::to_string(a) + " + " + std::to_string(b) + " ="] = 1.0 / 28;
    }
  }
  EXPECT_EQ(counts.size(), expected.size());
  EXPECT_LT(ChiSquare(counts, expected, total), ChiSquareLimit(expected.size() - 1));

  // Subtraction within 5-15, larger first, never borrowing: the kind draws a pair and swaps
  // it, so a difference of two different numbers is twice as likely as one of equal numbers.
  settings.kind = ExerciseKind::Subtraction;
  settings.from = "5";
  settings.to = "15";
  rules = {};
  rules.borrow = 0;
  draw = PrepareFor(settings, rules, refusal);
  ASSERT_TRUE(draw) << refusal;
  counts.clear();
  total = 0;
  for (int code = 300000; code < 300300; ++code) {
    for (const Problem& p : draw->Draw(code)) {
      ++counts[ProblemText(p)];
      ++total;
    }
  }
  expected.clear();
  double weights = 0;
  std::map<std::string, double> weight;
  for (int a = 5; a <= 15; ++a) {
    for (int b = 5; b <= a; ++b) {
      if (!CheckBorrows(a, b)) {
        weight[std::to_string(a) + " - " + std::to_string(b) + " ="] = a == b ? 1 : 2;
        weights += a == b ? 1 : 2;
      }
    }
  }
  for (const auto& [text, w] : weight) expected[text] = w / weights;
  EXPECT_EQ(counts.size(), expected.size());
  EXPECT_LT(ChiSquare(counts, expected, total), ChiSquareLimit(expected.size() - 1));
}

struct Impossible {
  const char* what;
  ExerciseKind kind;
  const char* from;
  const char* to;
  bool decimals;
  SheetRules rules;
  const char* named;  // a part of the refusal
};

TEST(RuleDraw, ImpossibleSettingsAreRefusedNamingTheConflict) {
  SheetRules carryAll;
  carryAll.carry = 100;
  SheetRules distinct;
  distinct.distinct = true;
  SheetRules fractionCarry;
  fractionCarry.carry = 0;
  SheetRules fractionBlank;
  fractionBlank.blank = BlankPlace::First;
  SheetRules halfRemainder;
  halfRemainder.remainder = 50;
  SheetRules decimalBlank;
  decimalBlank.blank = BlankPlace::First;
  SheetRules negative;
  negative.resultTo = "-1";
  SheetRules remainderOne;
  remainderOne.secondFrom = "1";
  remainderOne.secondTo = "1";
  remainderOne.remainder = 100;
  SheetRules bigRemainderOne = remainderOne;
  SheetRules fewCarrying;
  fewCarrying.carry = 50;
  fewCarrying.distinct = true;
  const Impossible cases[] = {
      {"no sum of 0-4 carries", ExerciseKind::Addition, "0", "4", false, carryAll,
       "出不了进位的加法题"},
      {"four different sums", ExerciseKind::Addition, "0", "1", false, distinct,
       "只能出 4 道不同的"},
      {"fractions do not carry", ExerciseKind::Fraction, "1", "9", false, fractionCarry, "--carry"},
      {"fractions blank the result", ExerciseKind::Fraction, "1", "9", false, fractionBlank,
       "--blank"},
      {"decimals take remainder 0 or any", ExerciseKind::Division, "1", "9", true, halfRemainder,
       "--remainder"},
      {"a decimal division blank needs remainder 0", ExerciseKind::Division, "1", "9", true,
       decimalBlank, "--remainder 0"},
      {"no negative result", ExerciseKind::Addition, "1", "100", false, negative, "出不了"},
      {"dividing by 1 leaves nothing", ExerciseKind::Division, "1", "50", false, remainderOne,
       "有余数的"},
      {"dividing by 1 over the largest range", ExerciseKind::Division, "0", "2147483647", false,
       bigRemainderOne, "有余数的"},
      {"too few carrying sums to share", ExerciseKind::Addition, "0", "5", false, fewCarrying,
       "只能出"},
  };
  for (const Impossible& c : cases) {
    SheetSettings settings;
    settings.kind = c.kind;
    settings.from = c.from;
    settings.to = c.to;
    settings.decimals = c.decimals;
    std::string refusal;
    EXPECT_EQ(PrepareFor(settings, c.rules, refusal), nullptr) << c.what;
    EXPECT_NE(refusal.find(c.named), std::string::npos) << c.what << ": " << refusal;
  }
}

TEST(RuleDraw, EveryPresetMakesFullDistinctSheets) {
  for (const RulePreset& preset : RulePresets()) {
    for (int size : {18, 24, 30}) {
      Case c;
      c.settings.kind = preset.kind;
      c.settings.size = size;
      c.settings.from = preset.from;
      c.settings.to = preset.to;
      c.rules = PresetRules(preset);
      c.rules.distinct = true;
      std::string refusal;
      const auto draw = PrepareFor(c.settings, c.rules, refusal);
      ASSERT_TRUE(draw) << preset.name << ": " << refusal;
      SCOPED_TRACE(std::string(preset.name));
      CheckSheet(c, draw->Draw(424242));
    }
  }
}

TEST(RuleDraw, ABlankHasExactlyOneFillingValue) {
  // 0 to 3 times 0 to 3: every problem with 0 as the other factor is left out.
  SheetSettings settings;
  settings.kind = ExerciseKind::Multiplication;
  settings.from = "0";
  settings.to = "3";
  SheetRules rules;
  rules.blank = BlankPlace::First;
  std::string refusal;
  const auto draw = PrepareFor(settings, rules, refusal);
  ASSERT_TRUE(draw) << refusal;
  for (const Problem& p : draw->Draw(555555)) {
    EXPECT_NE(p.operands[1], "0") << ProblemText(p);
    EXPECT_TRUE(ProblemText(p).starts_with("（　　） × ")) << ProblemText(p);
  }
  // A divisor blank of a quotient 0 is left out: "2 ÷ （　　） = 0……2".
  settings.kind = ExerciseKind::Division;
  settings.from = "0";
  settings.to = "9";
  rules.secondFrom = "1";
  rules.secondTo = "9";
  rules.blank = BlankPlace::Second;
  const auto division = PrepareFor(settings, rules, refusal);
  ASSERT_TRUE(division) << refusal;
  for (const Problem& p : division->Draw(555555)) {
    EXPECT_FALSE(ResultText(p).starts_with("0")) << ProblemText(p);
  }
}

}  // namespace
}  // namespace kalkora
