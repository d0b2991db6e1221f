#pragma once

#include <string_view>

// The form names of the window's controls. They are the lookup keys of the controls interface
// and the object names of the widgets on every platform.
namespace kalkora::form {

inline constexpr std::string_view 图片框1 = "图片框1";
inline constexpr std::string_view 分组框1 = "分组框1";
inline constexpr std::string_view 分组框2 = "分组框2";
inline constexpr std::string_view 分组框3 = "分组框3";
inline constexpr std::string_view 标签1 = "标签1";
inline constexpr std::string_view 编辑框1 = "编辑框1";
inline constexpr std::string_view 编辑框2 = "编辑框2";
inline constexpr std::string_view 编辑框3 = "编辑框3";
inline constexpr std::string_view 编辑框19 = "编辑框19";
inline constexpr std::string_view 选择框1 = "选择框1";
inline constexpr std::string_view 选择框2 = "选择框2";
inline constexpr std::string_view 选择框3 = "选择框3";
inline constexpr std::string_view 选择框4 = "选择框4";
inline constexpr std::string_view 选择框5 = "选择框5";
inline constexpr std::string_view 选择框6 = "选择框6";
inline constexpr std::string_view 选择框7 = "选择框7";
inline constexpr std::string_view 选择框8 = "选择框8";
inline constexpr std::string_view 选择框9 = "选择框9";
inline constexpr std::string_view 选择框10 = "选择框10";
inline constexpr std::string_view 单选框1 = "单选框1";
inline constexpr std::string_view 单选框2 = "单选框2";
inline constexpr std::string_view 单选框3 = "单选框3";
inline constexpr std::string_view 单选框4 = "单选框4";
inline constexpr std::string_view 单选框5 = "单选框5";
inline constexpr std::string_view 超级按钮1 = "超级按钮1";
inline constexpr std::string_view 时钟1 = "时钟1";
inline constexpr std::string_view 状态条1 = "状态条1";
inline constexpr std::string_view 超级链接框1 = "超级链接框1";
inline constexpr std::string_view Word程序 = "Word程序";
inline constexpr std::string_view Word文档集 = "Word文档集";

// What the code means by the controls it reads and writes.
inline constexpr std::string_view kRangeFrom = 编辑框1;
inline constexpr std::string_view kRangeTo = 编辑框2;
inline constexpr std::string_view kDecimalPlaces = 编辑框3;
inline constexpr std::string_view kOfficePath = 编辑框19;  // hidden: the detected install path
inline constexpr std::string_view kSize18 = 单选框1;
inline constexpr std::string_view kSize24 = 单选框2;
inline constexpr std::string_view kSize30 = 单选框3;
inline constexpr std::string_view kDecimalsOff = 单选框4;
inline constexpr std::string_view kDecimalsOn = 单选框5;
inline constexpr std::string_view kGenerateButton = 超级按钮1;
inline constexpr std::string_view kStatusBar = 状态条1;
inline constexpr std::string_view kClockTimer = 时钟1;

}  // namespace kalkora::form
