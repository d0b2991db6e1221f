#pragma once

#include <optional>

#include "core/app/class_set_flow.hpp"
#include "core/word/page_layout.hpp"

namespace kalkora {

// What the 批量生成 dialog shows of the set its fields would make: a page, or the refusal.
struct BatchPreview {
  std::optional<PageLayout> page;
  UserMessage refusal;  // when there is no page
};

// The first sheet of the set the dialog's choice makes from the form's settings, or with `key`
// its answer key, laid out as it is written: the same code (the random one from `input` when
// the choice has none), title, name line and rules. Settings, rules, a code or a title that a
// 生成 would refuse give that refusal instead.
BatchPreview PreviewBatch(const BatchDialogInput& input, const BatchChoice& choice, bool key);

}  // namespace kalkora
