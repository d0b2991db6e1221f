#include "core/generate/sheet.hpp"

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "core/base/date_text.hpp"
#include "core/generate/generate_problem.hpp"
#include "core/generate/kind_heading.hpp"
#include "core/generate/prepare_problem.hpp"
#include "core/generate/random_generator.hpp"

namespace kalkora {

namespace {
constexpr int kCodeCount = kLastSheetCode - kFirstSheetCode + 1;
}

bool IsSheetCode(int code) { return code >= kFirstSheetCode && code <= kLastSheetCode; }

int SheetCode(int firstCode, int index) {
  const long long offset =
      (static_cast<long long>(firstCode) - kFirstSheetCode + index) % kCodeCount;
  return kFirstSheetCode + static_cast<int>(offset < 0 ? offset + kCodeCount : offset);
}

std::uint32_t SheetProblemSeed(int code, int p) {
  return Fmix32(1000u * static_cast<std::uint32_t>(code) + static_cast<std::uint32_t>(p));
}

Sheet MakeSheet(const SheetSettings& settings, int code, const LocalDateTime& date,
                const RuledDraw* draw) {
  const std::optional<ExerciseKind> kind = settings.kind;
  const int size = settings.size;
  if (!kind) throw std::invalid_argument("no exercise kind is chosen");
  if (size != 18 && size != 24 && size != 30) throw std::invalid_argument("no such sheet size");
  if (!IsSheetCode(code)) throw std::invalid_argument("sheet code out of range");

  Sheet sheet{*kind, size, kSheetTitle, KindHeading(*kind), {}, DateText(date), code};
  if (AnyRuleSet(settings.rules)) {
    std::shared_ptr<const RuledDraw> prepared;
    if (draw == nullptr) {
      std::string refusal;
      prepared = RuledDraw::Prepare(settings, refusal);
      if (!prepared) throw std::invalid_argument(refusal);
      draw = prepared.get();
    }
    sheet.problems = draw->Draw(code);
    sheet.ruleWords = RuleWords(settings.rules);
    return sheet;
  }
  ProgramState state;
  GenerationContext context{settings, state};
  for (int p = 1; p <= size; ++p) {
    PrepareSeededProblem(context, SheetProblemSeed(code, p));
    sheet.problems.push_back(*GenerateProblem(context, p));
  }
  return sheet;
}

}  // namespace kalkora
