#include "core/generate/rule_draw.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>

#include "core/generate/column_arithmetic.hpp"
#include "core/generate/exact_decimal.hpp"
#include "core/generate/number_text.hpp"
#include "core/generate/rule_random.hpp"

namespace kalkora {

namespace {

// Products of two operands scaled by 10^places, and their comparison with a bound, need more
// than 64 bits.
__extension__ typedef __int128 Wide;

enum class Shape { Pair, ChainAdd, ChainAddSub, Fraction };
enum class Want : std::uint8_t { Any, Yes, No };

// What a position draws: its shape, operators and operand count.
struct Variant {
  Shape shape = Shape::Pair;
  Operator op = Operator::Plus;  // of a pair
  int operands = 2;
  int pattern = 1;  // of a chain of + and -
  friend bool operator==(const Variant&, const Variant&) = default;
};

Variant PairOf(Operator op) { return {Shape::Pair, op, 2, 1}; }

Variant VariantAt(ExerciseKind kind, int p, int size) {
  const int chainOperands = size == 30 ? 4 : 5;
  switch (kind) {
    case ExerciseKind::Addition:
      return PairOf(Operator::Plus);
    case ExerciseKind::Subtraction:
      return PairOf(Operator::Minus);
    case ExerciseKind::Multiplication:
      return PairOf(Operator::Times);
    case ExerciseKind::Division:
      return PairOf(Operator::Divide);
    case ExerciseKind::AddSubMixed:
      return PairOf(p <= 9 ? Operator::Plus : Operator::Minus);
    case ExerciseKind::MulDivMixed:
      return PairOf(p <= 9 ? Operator::Times : Operator::Divide);
    case ExerciseKind::FourOpMixed:
      return PairOf(p <= 5    ? Operator::Plus
                    : p <= 10 ? Operator::Minus
                    : p <= 15 ? Operator::Times
                              : Operator::Divide);
    case ExerciseKind::ChainAddition:
      return {Shape::ChainAdd, Operator::Plus, chainOperands, 1};
    case ExerciseKind::ChainAddSub: {
      int pattern = p <= 7 ? 1 : p <= 14 ? 2 : 3;
      if (chainOperands == 4 && pattern == 3) pattern = 1;  // the same four operands
      return {Shape::ChainAddSub, Operator::Plus, chainOperands, pattern};
    }
    case ExerciseKind::Fraction:
      return {Shape::Fraction, Operator::FractionBar, 2, 1};
  }
  throw std::invalid_argument("no such exercise kind");
}

std::vector<Operator> OperatorsOf(const Variant& variant) {
  using O = Operator;
  switch (variant.shape) {
    case Shape::Pair:
    case Shape::Fraction:
      return {variant.op};
    case Shape::ChainAdd:
      return std::vector<Operator>(static_cast<std::size_t>(variant.operands - 1), O::Plus);
    case Shape::ChainAddSub: {
      std::vector<Operator> ops =
          variant.pattern == 1   ? std::vector{O::Plus, O::Minus, O::Plus, O::Minus}
          : variant.pattern == 2 ? std::vector{O::Plus, O::Plus, O::Minus, O::Minus}
                                 : std::vector{O::Plus, O::Minus, O::Plus, O::Plus};
      ops.resize(static_cast<std::size_t>(variant.operands - 1));
      return ops;
    }
  }
  return {};
}

bool Has(const std::vector<Operator>& ops, Operator op) {
  return std::find(ops.begin(), ops.end(), op) != ops.end();
}

struct Interval {
  std::int64_t lo = 0;
  std::int64_t hi = -1;
  std::int64_t Size() const { return hi < lo ? 0 : hi - lo + 1; }
};

// A bound of the result range, n / d with d > 0.
struct Bound {
  Wide n = 0;
  Wide d = 1;
};

std::optional<Bound> ReadBound(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  const std::optional<ExactDecimal> value = ExactDecimal::Parse(*text);
  if (!value) return std::nullopt;
  // The command line and the dialog accept at most 12 whole and 6 fraction digits.
  std::string digits = value->RoundedText(6);
  const bool negative = !digits.empty() && digits[0] == '-';
  if (negative) digits.erase(0, 1);
  Bound bound{0, 1000000};
  for (char c : digits) {
    if (c != '.') bound.n = bound.n * 10 + (c - '0');
  }
  if (negative) bound.n = -bound.n;
  return bound;
}

Wide FloorOf(const Bound& b) {
  const Wide q = b.n / b.d;
  return (b.n % b.d != 0 && b.n < 0) ? q - 1 : q;
}

// One drawn outcome as written: the operands scaled by 10^places, and the blank's place.
struct Key {
  std::array<std::int64_t, 5> operands{};
  std::int8_t blank = 0;
  friend auto operator<=>(const Key&, const Key&) = default;
};

struct Facts {
  bool carries = false;
  bool borrows = false;
  bool remainder = false;
  int Bucket() const { return (carries ? 1 : 0) | (borrows ? 2 : 0) | (remainder ? 4 : 0); }
};

constexpr int kBuckets = 8;
constexpr int kMaxDimensions = 8;
// A kind's draw with at most this many outcomes is counted whole.
constexpr std::int64_t kEnumerationLimit = std::int64_t{1} << 18;
// Otherwise this many of its draws are tried.
constexpr int kSamples = 1 << 16;

std::string ScaledText(std::int64_t value, int places) {
  if (places == 0) return std::to_string(value);
  std::int64_t scale = 1;
  for (int i = 0; i < places; ++i) scale *= 10;
  std::string fraction = std::to_string(value % scale);
  fraction.insert(0, static_cast<std::size_t>(places) - fraction.size(), '0');
  return std::to_string(value / scale) + "." + fraction;
}

}  // namespace

// Everything fixed by the settings: the ranges, the variants and what fits each.
struct RuledDraw::Prepared {
  // One kind of position: a variant with what it must carry, borrow or leave.
  struct ClassKey {
    int variant = 0;
    Want carry = Want::Any, borrow = Want::Any, remainder = Want::Any;
    friend auto operator<=>(const ClassKey&, const ClassKey&) = default;
  };
  struct Fitting {
    std::vector<Key> keys;
    std::vector<std::int64_t> cumulative;  // running sum of the keys' weights
    std::int64_t hits = 0;                 // sampled: how many tries fitted
  };
  struct VariantData {
    Variant variant;
    std::vector<Operator> ops;
    std::vector<Interval> dimensions;
    bool counted = false;  // all outcomes counted, or only sampled
    std::array<std::map<Key, std::int64_t>, kBuckets> buckets;  // key: weight (or hits)
    std::array<std::int64_t, kBuckets> hits{};
  };

  ExerciseKind kind = ExerciseKind::Addition;
  int size = 18;
  int places = 0;
  std::int64_t scale = 1;
  std::int64_t exactScale = 1;  // 10^min(places, 4)
  bool second = false;
  Interval first, other;
  std::optional<Bound> resultFrom, resultTo;
  SheetRules rules;
  std::vector<VariantData> variants;
  std::vector<int> variantOf;  // by position - 1
  std::map<ClassKey, Fitting> classes;

  std::array<std::int64_t, kMaxDimensions> DrawOnce(const VariantData& data,
                                                    RuleRandom& random) const {
    std::array<std::int64_t, kMaxDimensions> draw{};
    for (std::size_t i = 0; i < data.dimensions.size(); ++i) {
      draw[i] = random.Uniform(data.dimensions[i].lo, data.dimensions[i].hi);
    }
    return draw;
  }

  std::optional<Key> Build(const VariantData& data,
                           const std::array<std::int64_t, kMaxDimensions>& d) const;
  std::optional<Facts> Evaluate(const VariantData& data, const Key& key) const;
  bool InResult(Wide n, Wide d) const;
  Problem Make(const VariantData& data, const Key& key) const;
};

std::optional<Key> RuledDraw::Prepared::Build(
    const VariantData& data, const std::array<std::int64_t, kMaxDimensions>& d) const {
  Key key;
  const Variant& v = data.variant;
  std::size_t next = 0;
  switch (v.shape) {
    case Shape::Pair: {
      const std::int64_t i1 = d[next++];
      const std::int64_t i2 = d[next++];
      std::int64_t s1 = 0, s2 = 0;
      if (places > 0) {
        s1 = d[next++];
        s2 = d[next++];
      }
      std::int64_t left = i1 * scale + s1, right = i2 * scale + s2;
      if (!second && (v.op == Operator::Minus || v.op == Operator::Divide) && i1 <= i2) {
        // Larger first, on the whole parts; the suffixes stay in their places except on a tie,
        // where the larger one goes first.
        left = i2 * scale + (i1 == i2 ? std::max(s1, s2) : s1);
        right = i1 * scale + (i1 == i2 ? std::min(s1, s2) : s2);
      }
      if (v.op == Operator::Divide && right == 0) return std::nullopt;
      key.operands = {left, right, 0, 0, 0};
      break;
    }
    case Shape::ChainAdd:
      for (int i = 0; i < v.operands; ++i) key.operands[static_cast<std::size_t>(i)] = d[next++];
      break;
    case Shape::ChainAddSub: {
      const std::int64_t a = d[next++], b = d[next++], c = d[next++], e = d[next++];
      const bool aLeads = second || a > b;
      const std::int64_t lead = aLeads ? a : b;
      const std::int64_t half = HalfDown(static_cast<std::int32_t>(aLeads ? b : a));
      if (v.pattern == 2) {
        key.operands = {lead, c, e, half, 0};
      } else {
        key.operands = {lead, c, half, e, 0};
      }
      if (v.operands == 5) key.operands[4] = HalfDown(static_cast<std::int32_t>(d[next++]));
      break;
    }
    case Shape::Fraction: {
      const std::int64_t a = d[next++], b = d[next++];
      if (second) {
        key.operands = {a, b, 0, 0, 0};
      } else {
        key.operands = {HalfDown(static_cast<std::int32_t>(a > b ? b : a)), a > b ? a : b, 0, 0, 0};
      }
      if (key.operands[1] == 0) return std::nullopt;
      break;
    }
  }
  switch (rules.blank) {
    case BlankPlace::Result:
      break;
    case BlankPlace::First:
      key.blank = 1;
      break;
    case BlankPlace::Second:
      key.blank = 2;
      break;
    case BlankPlace::Any:
      key.blank = static_cast<std::int8_t>(d[next++]);
      break;
  }
  return key;
}

bool RuledDraw::Prepared::InResult(Wide n, Wide d) const {
  if (resultFrom && n * resultFrom->d < resultFrom->n * d) return false;
  if (resultTo && n * resultTo->d > resultTo->n * d) return false;
  return true;
}

std::optional<Facts> RuledDraw::Prepared::Evaluate(const VariantData& data, const Key& key) const {
  Facts facts;
  const Variant& v = data.variant;
  const std::int64_t a = key.operands[0], b = key.operands[1];
  if (v.shape == Shape::Fraction) {
    if (!InResult(a, b)) return std::nullopt;
    return facts;
  }
  if (v.shape == Shape::Pair) {
    switch (v.op) {
      case Operator::Plus:
        facts.carries = AdditionCarries(std::to_string(a), std::to_string(b));
        if (!InResult(Wide{a} + b, scale)) return std::nullopt;
        return facts;
      case Operator::Minus:
        if (a < b) return std::nullopt;  // only drawn with a second range
        facts.borrows = SubtractionBorrows(std::to_string(a), std::to_string(b));
        if (!InResult(Wide{a} - b, scale)) return std::nullopt;
        return facts;
      case Operator::Times:
        // "（　　） × 0 = 0" is filled by any number.
        if ((key.blank == 1 && b == 0) || (key.blank == 2 && a == 0)) return std::nullopt;
        if (!InResult(Wide{a} * b, Wide{scale} * scale)) return std::nullopt;
        return facts;
      case Operator::Divide: {
        Wide n = 0, d = 1;
        if (places == 0) {
          facts.remainder = a % b != 0;
          n = a / b;
        } else {
          // The key writes a quotient exactly up to 4 places: "ends within the places" means
          // within those it can write.
          facts.remainder = (Wide{a} * exactScale) % b != 0;
          n = a;
          d = b;
        }
        // "0 ÷ （　　） = 0" (and "3 ÷ （　　） = 0……3") is filled by many divisors.
        if (key.blank == 2 && n == 0) return std::nullopt;
        if (!InResult(n, d)) return std::nullopt;
        return facts;
      }
      case Operator::FractionBar:
        break;
    }
    return std::nullopt;
  }
  // Chains: each step on the running result, and every running result in the range.
  std::int64_t running = a;
  for (std::size_t i = 0; i < data.ops.size(); ++i) {
    const std::int64_t x = key.operands[i + 1];
    if (data.ops[i] == Operator::Plus) {
      facts.carries = facts.carries || AdditionCarries(std::to_string(running), std::to_string(x));
      running += x;
    } else {
      facts.borrows =
          facts.borrows || SubtractionBorrows(std::to_string(running), std::to_string(x));
      running -= x;
      if (second && running < 0) return std::nullopt;
    }
    if (!InResult(running, 1)) return std::nullopt;
  }
  return facts;
}

Problem RuledDraw::Prepared::Make(const VariantData& data, const Key& key) const {
  Problem problem;
  const int count = data.variant.operands;
  for (int i = 0; i < count; ++i) {
    problem.operands.push_back(ScaledText(key.operands[static_cast<std::size_t>(i)],
                                          data.variant.shape == Shape::Pair ? places : 0));
  }
  problem.operators = data.ops;
  problem.blank = key.blank;
  return problem;
}

RuledDraw::RuledDraw(std::unique_ptr<Prepared> prepared) : prepared_(std::move(prepared)) {}
RuledDraw::~RuledDraw() = default;

namespace {

using Prepared = RuledDraw::Prepared;

Interval Clip(Interval range, std::optional<Wide> highest) {
  if (highest && *highest < range.hi)
    range.hi = static_cast<std::int64_t>(std::max<Wide>(*highest, -1));
  if (range.hi < range.lo) range.hi = range.lo - 1;
  return range;
}

// The draw's dimensions, each drawn uniformly: the operands' whole parts (cut down where the
// result range rules part of them out whatever the rest), their decimal digits, the blank's
// place.
std::vector<Interval> Dimensions(const Prepared& s, const Variant& v) {
  std::vector<Interval> dims;
  const std::optional<Wide> top =
      s.resultTo ? std::optional<Wide>(FloorOf(*s.resultTo)) : std::nullopt;
  switch (v.shape) {
    case Shape::Pair: {
      Interval i1 = s.first, i2 = s.other;
      if (top && v.op == Operator::Plus) {
        i1 = Clip(i1, *top - s.other.lo);
        i2 = Clip(i2, *top - s.first.lo);
      } else if (top && v.op == Operator::Minus && s.second) {
        i1 = Clip(i1, *top + s.other.hi + 1);
      } else if (top && v.op == Operator::Times) {
        if (s.other.lo >= 1) i1 = Clip(i1, *top / s.other.lo);
        if (s.first.lo >= 1) i2 = Clip(i2, *top / s.first.lo);
      } else if (top && v.op == Operator::Divide && s.second && *top >= 0) {
        i1 = Clip(i1, (*top + 1) * (Wide{s.other.hi} + 1));
      }
      dims = {i1, i2};
      if (s.places > 0) {
        dims.push_back({s.scale / 10, s.scale - 1});
        dims.push_back({s.scale / 10, s.scale - 1});
      }
      break;
    }
    case Shape::ChainAdd:
      dims.push_back(top ? Clip(s.first, *top) : s.first);
      for (int i = 1; i < v.operands; ++i) dims.push_back(top ? Clip(s.other, *top) : s.other);
      break;
    case Shape::ChainAddSub:
      dims.push_back(s.first);
      for (int i = 1; i < v.operands; ++i) dims.push_back(s.other);
      break;
    case Shape::Fraction:
      dims = {s.first, s.other};
      break;
  }
  if (s.rules.blank == BlankPlace::Any) dims.push_back({0, v.operands});
  return dims;
}

std::int64_t SpaceSize(const std::vector<Interval>& dims) {
  Wide size = 1;
  for (const Interval& dim : dims) {
    size *= dim.Size();
    if (size > kEnumerationLimit) return kEnumerationLimit + 1;
  }
  return static_cast<std::int64_t>(size);
}

void Count(const Prepared& s, Prepared::VariantData& data) {
  if (SpaceSize(data.dimensions) == 0) return;
  std::array<std::int64_t, kMaxDimensions> draw{};
  for (std::size_t i = 0; i < data.dimensions.size(); ++i) draw[i] = data.dimensions[i].lo;
  while (true) {
    if (const std::optional<Key> key = s.Build(data, draw)) {
      if (const std::optional<Facts> facts = s.Evaluate(data, *key)) {
        ++data.buckets[static_cast<std::size_t>(facts->Bucket())][*key];
      }
    }
    std::size_t i = 0;
    while (i < data.dimensions.size() && draw[i] == data.dimensions[i].hi) {
      draw[i] = data.dimensions[i].lo;
      ++i;
    }
    if (i == data.dimensions.size()) break;
    ++draw[i];
  }
}

// Tries a fixed number of the kind's draws, from a seed of its own, keeping up to `keep`
// different fitting outcomes of each kind.
void Sample(const Prepared& s, Prepared::VariantData& data, std::size_t keep) {
  RuleRandom random(0x53616D706C65u);
  for (int i = 0; i < kSamples; ++i) {
    const std::optional<Key> key = s.Build(data, s.DrawOnce(data, random));
    if (!key) continue;
    const std::optional<Facts> facts = s.Evaluate(data, *key);
    if (!facts) continue;
    const auto bucket = static_cast<std::size_t>(facts->Bucket());
    ++data.hits[bucket];
    auto& found = data.buckets[bucket];
    if (found.size() < keep || found.contains(*key)) ++found[*key];
  }
}

bool Matches(Want want, bool fact) { return want == Want::Any || (want == Want::Yes) == fact; }

bool ClassMatches(const Prepared::ClassKey& c, int bucket) {
  return Matches(c.carry, bucket & 1) && Matches(c.borrow, bucket & 2) &&
         Matches(c.remainder, bucket & 4);
}

// How many positions of a share's `eligible` ones get it: round(P × n / 100), half up.
int ShareCount(int percent, int eligible) { return (percent * eligible + 50) / 100; }

std::string WantWords(const Prepared::ClassKey& c) {
  std::string words;
  const auto add = [&words](Want want, const char* yes, const char* no) {
    if (want != Want::Any) words += want == Want::Yes ? yes : no;
  };
  add(c.carry, "进位的", "不进位的");
  add(c.borrow, "退位的", "不退位的");
  add(c.remainder, "有余数的", "没有余数的");
  return words;
}

std::string OperatorWord(const Variant& v) {
  if (v.shape != Shape::Pair) return "";
  switch (v.op) {
    case Operator::Plus:
      return "加法";
    case Operator::Minus:
      return "减法";
    case Operator::Times:
      return "乘法";
    case Operator::Divide:
      return "除法";
    case Operator::FractionBar:
      break;
  }
  return "";
}

// A refusal that the rules alone decide, in the command line's words and in the dialog's.
struct StaticRefusalText {
  const char* options;
  const char* fields;
};

std::optional<StaticRefusalText> StaticRefusal(const SheetSettings& settings,
                                               const SheetRules& rules) {
  const bool fraction = settings.kind == ExerciseKind::Fraction;
  if (fraction && rules.carry) {
    return StaticRefusalText{"分数题不能要求进位（--carry）", "分数题不能要求进位（进位选不限）"};
  }
  if (fraction && rules.borrow) {
    return StaticRefusalText{"分数题不能要求退位（--borrow）", "分数题不能要求退位（退位选不限）"};
  }
  if (fraction && rules.remainder) {
    return StaticRefusalText{"分数题不能要求余数（--remainder）",
                             "分数题不能要求余数（余数选不限）"};
  }
  if (fraction && rules.blank != BlankPlace::Result) {
    return StaticRefusalText{"分数题只能在得数处填空（--blank result）",
                             "分数题只能在得数处填空（填空位置选得数）"};
  }
  if (settings.decimals && rules.remainder && *rules.remainder != 0) {
    return StaticRefusalText{"有小数时余数只能是不限或 0（--remainder any 或 0）",
                             "有小数时余数只能选不限或没有"};
  }
  const bool divides = settings.kind == ExerciseKind::Division ||
                       settings.kind == ExerciseKind::MulDivMixed ||
                       settings.kind == ExerciseKind::FourOpMixed;
  if (settings.decimals && divides && rules.blank != BlankPlace::Result && rules.remainder != 0) {
    return StaticRefusalText{"小数除法在数上填空需要余数 0（--blank 与 --remainder 0）",
                             "小数除法在数上填空需要除尽（余数选没有）"};
  }
  if (rules.secondFrom.has_value() != rules.secondTo.has_value()) {
    return StaticRefusalText{"第二个数的范围要两头都给（--second-from 与 --second-to）",
                             "第二个数的范围要两头都给（第二个数从、第二个数到）"};
  }
  if ((rules.resultFrom && !ExactDecimal::Parse(*rules.resultFrom)) ||
      (rules.resultTo && !ExactDecimal::Parse(*rules.resultTo))) {
    return StaticRefusalText{"结果的范围须是数（--result-from、--result-to）",
                             "结果的范围须是数（结果从、结果到）"};
  }
  return std::nullopt;
}

}  // namespace

std::shared_ptr<const RuledDraw> RuledDraw::Prepare(const SheetSettings& settings,
                                                    std::string& refusal, Naming naming) {
  const SheetRules& rules = settings.rules;
  using VariantData = Prepared::VariantData;
  using ClassKey = Prepared::ClassKey;
  using Fitting = Prepared::Fitting;
  if (!settings.kind) throw std::invalid_argument("no exercise kind is ticked");
  if (const std::optional<StaticRefusalText> reason = StaticRefusal(settings, rules)) {
    refusal = naming == Naming::Fields ? reason->fields : reason->options;
    return nullptr;
  }
  auto s = std::make_unique<Prepared>();
  s->kind = *settings.kind;
  s->size = settings.size;
  s->rules = rules;
  const bool pairKind = s->kind != ExerciseKind::ChainAddition &&
                        s->kind != ExerciseKind::ChainAddSub && s->kind != ExerciseKind::Fraction;
  s->places = 0;
  if (settings.decimals && pairKind) {
    // The places box as the classic sheet reads it: only "1" to "5" select digits.
    if (settings.places.size() == 1 && settings.places[0] >= '1' && settings.places[0] <= '5') {
      s->places = settings.places[0] - '0';
    }
  }
  for (int i = 0; i < s->places; ++i) s->scale *= 10;
  for (int i = 0; i < std::min(s->places, 4); ++i) s->exactScale *= 10;
  const WholeRange first = ReadRange(settings.from, settings.to);
  s->first = {first.lo, first.hi};
  s->second = rules.secondFrom.has_value();
  const WholeRange other = s->second ? ReadRange(*rules.secondFrom, *rules.secondTo) : first;
  s->other = {other.lo, other.hi};
  s->resultFrom = ReadBound(rules.resultFrom);
  s->resultTo = ReadBound(rules.resultTo);

  // The variants, and how many positions each has and how many of them contain +, - and ÷.
  for (int p = 1; p <= s->size; ++p) {
    const Variant v = VariantAt(s->kind, p, s->size);
    auto found = std::find_if(s->variants.begin(), s->variants.end(),
                              [&v](const VariantData& d) { return d.variant == v; });
    if (found == s->variants.end()) {
      VariantData data;
      data.variant = v;
      data.ops = OperatorsOf(v);
      data.dimensions = Dimensions(*s, v);
      s->variants.push_back(std::move(data));
      found = s->variants.end() - 1;
    }
    s->variantOf.push_back(static_cast<int>(found - s->variants.begin()));
  }
  int plus = 0, minus = 0, divide = 0;
  std::vector<int> positionsOf(s->variants.size(), 0);
  for (int index : s->variantOf) {
    const std::vector<Operator>& ops = s->variants[static_cast<std::size_t>(index)].ops;
    plus += Has(ops, Operator::Plus);
    minus += Has(ops, Operator::Minus);
    divide += Has(ops, Operator::Divide);
    ++positionsOf[static_cast<std::size_t>(index)];
  }
  const int carrying = rules.carry ? ShareCount(*rules.carry, plus) : 0;
  const int borrowing = rules.borrow ? ShareCount(*rules.borrow, minus) : 0;
  const int leaving = rules.remainder ? ShareCount(*rules.remainder, divide) : 0;

  for (std::size_t index = 0; index < s->variants.size(); ++index) {
    VariantData& data = s->variants[index];
    data.counted = SpaceSize(data.dimensions) <= kEnumerationLimit;
    if (data.counted) {
      Count(*s, data);
    } else {
      Sample(*s, data, static_cast<std::size_t>(s->size));
    }
    // Every kind of position this variant can have, with the most positions it can take.
    const auto wants = [](bool applies, const std::optional<int>& share) {
      if (!applies || !share) return std::vector<Want>{Want::Any};
      return std::vector<Want>{Want::Yes, Want::No};
    };
    const auto most = [](Want want, int given, int eligible, int positions) {
      if (want == Want::Any) return positions;
      return std::min(positions, want == Want::Yes ? given : eligible - given);
    };
    const int positions = positionsOf[index];
    for (Want c : wants(Has(data.ops, Operator::Plus), rules.carry)) {
      for (Want b : wants(Has(data.ops, Operator::Minus), rules.borrow)) {
        for (Want r : wants(Has(data.ops, Operator::Divide), rules.remainder)) {
          const int needed =
              std::min({most(c, carrying, plus, positions), most(b, borrowing, minus, positions),
                        most(r, leaving, divide, positions)});
          if (needed == 0) continue;
          const ClassKey classKey{static_cast<int>(index), c, b, r};
          Fitting fitting;
          std::int64_t total = 0;
          for (int bucket = 0; bucket < kBuckets; ++bucket) {
            if (!ClassMatches(classKey, bucket)) continue;
            fitting.hits += data.hits[static_cast<std::size_t>(bucket)];
            for (const auto& [key, weight] : data.buckets[static_cast<std::size_t>(bucket)]) {
              fitting.keys.push_back(key);
              total += data.counted ? weight : 1;
              fitting.cumulative.push_back(total);
            }
          }
          const int available = static_cast<int>(fitting.keys.size());
          const int required = rules.distinct ? needed : 1;
          if (available < required) {
            const std::string what = WantWords(classKey) + OperatorWord(data.variant);
            if (!data.counted) {
              refusal = "这些设置很难满足：试了 " + std::to_string(kSamples) + " 次，只找到 " +
                        std::to_string(available) + " 道" + what + "题，每份要 " +
                        std::to_string(required) + " 道（" + RuleWords(rules) + "）";
            } else if (available == 0) {
              refusal = "这些设置出不了" + what + "题（" + RuleWords(rules) + "）";
            } else {
              refusal = "这些设置只能出 " + std::to_string(available) + " 道不同的" + what +
                        "题，少于每份的 " + std::to_string(required) + " 道（" + RuleWords(rules) +
                        "）";
            }
            return nullptr;
          }
          s->classes.emplace(classKey, std::move(fitting));
        }
      }
    }
    // Only the fitting outcomes of each kind are kept: the classes hold them now.
    for (auto& bucket : data.buckets) bucket.clear();
  }
  return std::make_shared<const RuledDraw>(std::move(s));
}

namespace {

// Marks `count` of the positions in `eligible` (drawn without repeats) with `yes`, the rest
// with `no`.
void DrawShare(RuleRandom& random, std::vector<int> eligible, int count, std::vector<Want>& wants) {
  for (int p : eligible) wants[static_cast<std::size_t>(p)] = Want::No;
  for (int i = 0; i < count; ++i) {
    const auto j =
        static_cast<std::size_t>(random.Uniform(i, static_cast<std::int64_t>(eligible.size()) - 1));
    std::swap(eligible[static_cast<std::size_t>(i)], eligible[j]);
    wants[static_cast<std::size_t>(eligible[static_cast<std::size_t>(i)])] = Want::Yes;
  }
}

}  // namespace

std::vector<Problem> RuledDraw::Draw(int code) const {
  using VariantData = Prepared::VariantData;
  using Fitting = Prepared::Fitting;
  const Prepared& s = *prepared_;
  RuleRandom random(RuleSheetSeed(code));
  const auto positions = static_cast<std::size_t>(s.size);
  std::vector<Want> carry(positions, Want::Any), borrow(positions, Want::Any),
      remainder(positions, Want::Any);
  const auto share = [&](Operator op, const std::optional<int>& percent, std::vector<Want>& wants) {
    if (!percent) return;
    std::vector<int> eligible;
    for (std::size_t p = 0; p < positions; ++p) {
      if (Has(s.variants[static_cast<std::size_t>(s.variantOf[p])].ops, op)) {
        eligible.push_back(static_cast<int>(p));
      }
    }
    DrawShare(random, eligible, ShareCount(*percent, static_cast<int>(eligible.size())), wants);
  };
  share(Operator::Plus, s.rules.carry, carry);
  share(Operator::Minus, s.rules.borrow, borrow);
  share(Operator::Divide, s.rules.remainder, remainder);

  std::set<std::pair<int, Key>> used;
  const auto fresh = [&](int variant, const Key& key) {
    return !s.rules.distinct || !used.contains({variant, key});
  };
  std::vector<Problem> problems;
  for (std::size_t p = 0; p < positions; ++p) {
    const int variant = s.variantOf[p];
    const VariantData& data = s.variants[static_cast<std::size_t>(variant)];
    const Fitting& fitting = s.classes.at({variant, carry[p], borrow[p], remainder[p]});
    std::optional<Key> chosen;
    if (data.counted) {
      // Picked by weight among the fitting outcomes; a few tries past used ones, then among
      // the unused ones only.
      for (int attempt = 0; attempt < 16 && !chosen; ++attempt) {
        const std::int64_t u = random.Uniform(0, fitting.cumulative.back() - 1);
        const auto at = static_cast<std::size_t>(
            std::upper_bound(fitting.cumulative.begin(), fitting.cumulative.end(), u) -
            fitting.cumulative.begin());
        if (fresh(variant, fitting.keys[at])) chosen = fitting.keys[at];
      }
      if (!chosen) {
        std::int64_t unused = 0;
        for (std::size_t i = 0; i < fitting.keys.size(); ++i) {
          const std::int64_t weight = fitting.cumulative[i] - (i ? fitting.cumulative[i - 1] : 0);
          if (fresh(variant, fitting.keys[i])) unused += weight;
        }
        std::int64_t u = random.Uniform(0, unused - 1);
        for (std::size_t i = 0; i < fitting.keys.size() && !chosen; ++i) {
          const std::int64_t weight = fitting.cumulative[i] - (i ? fitting.cumulative[i - 1] : 0);
          if (!fresh(variant, fitting.keys[i])) continue;
          if (u < weight) chosen = fitting.keys[i];
          u -= weight;
        }
      }
    } else {
      // Drawn afresh until it fits, up to a bound that the sampled share of fitting draws
      // makes a miss unlikely within; then one of the fitting outcomes found.
      const std::int64_t tries = std::clamp<std::int64_t>(
          16 * std::int64_t{kSamples} / std::max<std::int64_t>(fitting.hits, 1), 256,
          std::int64_t{1} << 20);
      const Prepared::ClassKey classKey{variant, carry[p], borrow[p], remainder[p]};
      for (std::int64_t attempt = 0; attempt < tries && !chosen; ++attempt) {
        const std::optional<Key> key = s.Build(data, s.DrawOnce(data, random));
        if (!key || !fresh(variant, *key)) continue;
        const std::optional<Facts> facts = s.Evaluate(data, *key);
        if (facts && ClassMatches(classKey, facts->Bucket())) chosen = key;
      }
      if (!chosen) {
        std::vector<Key> unused;
        for (const Key& key : fitting.keys) {
          if (fresh(variant, key)) unused.push_back(key);
        }
        chosen = unused.at(static_cast<std::size_t>(
            random.Uniform(0, static_cast<std::int64_t>(unused.size()) - 1)));
      }
    }
    used.insert({variant, *chosen});
    problems.push_back(s.Make(data, *chosen));
  }
  return problems;
}

}  // namespace kalkora
