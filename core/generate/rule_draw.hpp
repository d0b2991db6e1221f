#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/generate/problem.hpp"
#include "core/generate/sheet_settings.hpp"

namespace kalkora {

// The draw of a class set's sheets under rules. Preparing it decides, with a bounded amount of
// work, whether the settings can be met at all: every kind of position a sheet has (its
// operators, and whether it must carry, borrow or leave a remainder) needs enough fitting
// problems, different ones with `distinct`. Where the kind's draw has few enough outcomes
// they are all counted, with the weight the kind's draw gives each; otherwise a fixed number
// of the kind's draws is tried.
class RuledDraw {
 public:
  struct Prepared;

  // How a refusal names a rule: by the command line's option, or by the 批量生成 dialog's
  // field and the choice that would be accepted there.
  enum class Naming { Options, Fields };

  // The draw for the settings and their rules, or null with the refusal's text naming the
  // settings in conflict. The settings must have passed ValidateSettings.
  static std::shared_ptr<const RuledDraw> Prepare(const SheetSettings& settings,
                                                  std::string& refusal,
                                                  Naming naming = Naming::Options);

  // The problems of the sheet with `code`, in reading order. Which positions carry, borrow or
  // leave a remainder is drawn first, then each problem as the kind draws it, redrawn until it
  // fits (up to a bound, then picked among the fitting ones counted or found).
  std::vector<Problem> Draw(int code) const;

  ~RuledDraw();
  explicit RuledDraw(std::unique_ptr<Prepared> prepared);

 private:
  std::unique_ptr<Prepared> prepared_;
};

}  // namespace kalkora
