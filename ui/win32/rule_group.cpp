#include "ui/win32/rule_group.hpp"

#include <string>
#include <utility>

#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog_layout.hpp"
#include "ui/win32/dialog_window.hpp"

namespace kalkora::win32 {
namespace {

// A share's list: 不限 first, then the whole tens; the presets' shares are all whole tens.
constexpr int kShareStep = 10;
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
  const int index = Chosen(dialog, id);
  if (index <= 0) return std::nullopt;
  return (index - 1) * kShareStep;
}

int ShareIndex(std::optional<int> share) { return share ? 1 + *share / kShareStep : 0; }

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

void FillRuleGroup(HWND dialog) {
  AddItem(dialog, kBatchPreset, kNoPreset);
  for (const RulePreset& preset : RulePresets())
    AddItem(dialog, kBatchPreset, std::string(preset.name));
  Choose(dialog, kBatchPreset, 0);
  for (const int id : kShareBoxes) {
    AddItem(dialog, id, "不限");
    for (int share = 0; share <= 100; share += kShareStep) {
      AddItem(dialog, id, std::to_string(share) + "%");
    }
  }
  for (const auto& [name, place] : kBlanks) AddItem(dialog, kBatchBlank, name);
  ShowFields(dialog, {});
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
