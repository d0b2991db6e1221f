#include "ui/win32/rule_group.hpp"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/dialog_window.hpp"

namespace kalkora::win32 {
namespace {

// A share's list: 不限, 全部, 没有, then 比例 in whole tens; the presets' shares are all one
// of these.
constexpr int kShareStep = 10;
struct ShareItem {
  std::string text;
  std::optional<int> share;
};
std::vector<ShareItem> ShareItems() {
  std::vector<ShareItem> items = {{"不限", std::nullopt}, {"全部", 100}, {"没有", 0}};
  for (int share = kShareStep; share < 100; share += kShareStep) {
    items.push_back({"比例 " + std::to_string(share) + "%", share});
  }
  return items;
}
constexpr int kShareBoxes[] = {kBatchCarry, kBatchBorrow, kBatchRemainder};

constexpr std::pair<const char*, BlankPlace> kBlanks[] = {
    {"得数", BlankPlace::Result},
    {"第一个数", BlankPlace::First},
    {"第二个数", BlankPlace::Second},
    {"随机", BlankPlace::Any},
};

struct NumberBox {
  int id;
  std::string RuleFields::*field;
};
constexpr NumberBox kNumberBoxes[] = {
    {kBatchSecondFrom, &RuleFields::secondFrom},
    {kBatchSecondTo, &RuleFields::secondTo},
    {kBatchResultFrom, &RuleFields::resultFrom},
    {kBatchResultTo, &RuleFields::resultTo},
};

void AddItem(HWND dialog, int id, const std::string& text) {
  SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(text).c_str()));
}

int Chosen(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

void Choose(HWND dialog, int id, int index) {
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<int> ShareIn(HWND dialog, int id) {
  const std::vector<ShareItem> items = ShareItems();
  const int index = Chosen(dialog, id);
  if (index < 0 || index >= static_cast<int>(items.size())) return std::nullopt;
  return items[static_cast<std::size_t>(index)].share;
}

// The item of a share: every preset's share is listed, and so is every share the list gave
// before; any other (a hand-edited store) shows as 不限.
int ShareIndex(std::optional<int> share) {
  const std::vector<ShareItem> items = ShareItems();
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (items[index].share == share) return static_cast<int>(index);
  }
  return 0;
}

void ShowFields(HWND dialog, const RuleFields& fields) {
  for (const NumberBox& box : kNumberBoxes) SetControlText(dialog, box.id, fields.*box.field);
  Choose(dialog, kBatchCarry, ShareIndex(fields.carry));
  Choose(dialog, kBatchBorrow, ShareIndex(fields.borrow));
  Choose(dialog, kBatchRemainder, ShareIndex(fields.remainder));
  for (int index = 0; index < static_cast<int>(std::size(kBlanks)); ++index) {
    if (kBlanks[index].second == fields.blank) Choose(dialog, kBatchBlank, index);
  }
  CheckDlgButton(dialog, kBatchDistinct, fields.distinct ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

void FillRuleGroup(HWND dialog, const RuleFields& shown) {
  AddItem(dialog, kBatchPreset, kNoPreset);
  const auto presets = RulePresets();
  for (const RulePreset& preset : presets) AddItem(dialog, kBatchPreset, std::string(preset.name));
  const auto preset = std::find_if(presets.begin(), presets.end(),
                                   [&](const RulePreset& p) { return p.name == shown.preset; });
  Choose(dialog, kBatchPreset,
         preset == presets.end() ? 0 : static_cast<int>(preset - presets.begin()) + 1);
  for (const int id : kShareBoxes) {
    for (const ShareItem& item : ShareItems()) AddItem(dialog, id, item.text);
  }
  for (const auto& [name, place] : kBlanks) AddItem(dialog, kBatchBlank, name);
  ShowFields(dialog, shown);
}

RuleFields ReadRuleGroup(HWND dialog) {
  RuleFields fields;
  const int preset = Chosen(dialog, kBatchPreset);
  if (preset > 0 && preset <= static_cast<int>(RulePresets().size())) {
    fields.preset = std::string(RulePresets()[static_cast<std::size_t>(preset - 1)].name);
  }
  for (const NumberBox& box : kNumberBoxes) fields.*box.field = ControlText(dialog, box.id);
  fields.carry = ShareIn(dialog, kBatchCarry);
  fields.borrow = ShareIn(dialog, kBatchBorrow);
  fields.remainder = ShareIn(dialog, kBatchRemainder);
  const int blank = Chosen(dialog, kBatchBlank);
  if (blank >= 0 && blank < static_cast<int>(std::size(kBlanks))) {
    fields.blank = kBlanks[blank].second;
  }
  fields.distinct = IsDlgButtonChecked(dialog, kBatchDistinct) == BST_CHECKED;
  return fields;
}

void FollowPreset(HWND dialog) {
  const int preset = Chosen(dialog, kBatchPreset);
  if (preset > 0 && preset <= static_cast<int>(RulePresets().size())) {
    ShowFields(dialog, PresetFields(RulePresets()[static_cast<std::size_t>(preset - 1)]));
  } else {
    ShowFields(dialog, {});
  }
}

bool IsRuleField(int id) { return id >= kBatchPreset && id <= kBatchDistinct; }

}  // namespace kalkora::win32
