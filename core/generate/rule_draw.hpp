#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/generate/problem.hpp"
#include "core/generate/sheet_rules.hpp"
#include "core/generate/sheet_settings.hpp"

namespace kalkora {

// An operand blank: full-width parentheses around two ideographic spaces.
inline constexpr char kBlankText[] = "（　　）";

// One problem drawn under the rules, with where the pupil writes.
struct RuledProblem {
  Problem problem;
  int blank = 0;       // 0: the result; n: the n-th operand
  std::string result;  // the result as the key writes it: "15", "3……2", "7.25", "1/4"

  friend bool operator==(const RuledProblem&, const RuledProblem&) = default;
};

// The cell text: "8 + 7 =" with the result blank, "（　　） + 7 = 15" with an operand blank.
std::string RuledCellText(const RuledProblem& problem);
// The value that fills the blank: the result, or the operand left blank.
std::string RuledFillText(const RuledProblem& problem);

// The draw of a class set's sheets under rules. Preparing it decides, with a bounded amount of
// work, whether the settings can be met at all: every kind of position a sheet has (its
// operators, and whether it must carry, borrow or leave a remainder) needs enough fitting
// problems, different ones with `distinct`. Where the kind's draw has few enough outcomes
// they are all counted, with the weight the kind's draw gives each; otherwise a fixed number
// of the kind's draws is tried.
class RuledDraw {
 public:
  struct Prepared;

  // The draw, or the refusal's text naming the settings in conflict. The settings must have
  // passed ValidateSettings; `rules` must have some rule set.
  static std::shared_ptr<const RuledDraw> Prepare(const SheetSettings& settings,
                                                  const SheetRules& rules, std::string& refusal);

  // The problems of the sheet with `code`, in reading order. Which positions carry, borrow or
  // leave a remainder is drawn first, then each problem as the kind draws it, redrawn until it
  // fits (up to a bound, then picked among the fitting ones counted or found).
  std::vector<RuledProblem> Draw(int code) const;

  ~RuledDraw();
  explicit RuledDraw(std::unique_ptr<Prepared> prepared);

 private:
  std::unique_ptr<Prepared> prepared_;
};

}  // namespace kalkora
