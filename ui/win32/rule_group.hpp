#pragma once

#include <windows.h>

#include "core/app/rule_fields.hpp"

namespace kalkora::win32 {

// The first item of 常用练习, which sets no preset.
inline constexpr char kNoPreset[] = "（不用）";

// The 题目要求 group of 批量生成 over the dialog's controls (batch_dialog_layout.hpp): 常用练习
// lists （不用） and every preset; 进位, 退位 and 余数 list 不限, 0%, 10%, … 100%; 填空 lists
// 得数, 第一个数, 第二个数 and 随机. The boxes' texts are taken as typed: the core reads them.

// Fills the drop-downs' lists and shows `shown` as it is, the preset included, without
// filling in the preset's own fields.
void FillRuleGroup(HWND dialog, const RuleFields& shown);

// The fields as the user left them.
RuleFields ReadRuleGroup(HWND dialog);

// After 常用练习 has changed: the preset's fields, or none for （不用）. Fields edited afterwards
// override the preset, which stays chosen.
void FollowPreset(HWND dialog);

// Whether a change of the control changes the rules.
bool IsRuleField(int id);

}  // namespace kalkora::win32
