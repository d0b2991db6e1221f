#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/base/message_box.hpp"

namespace kalkora {

enum class ControlKind {
  PictureBox,
  GroupBox,
  Label,
  EditBox,
  CheckBox,
  RadioButton,
  Button,
  Timer,
  StatusBar,
  HyperlinkLabel,
  WordApplication,
  WordDocuments,
};

enum class Handler { None, KindBoxClicked, Generate, ClockTick, OpenHyperlink };

// What an edit box lets the user type.
enum class InputFilter {
  Any,
  DigitsAndMinus,  // digits 0-9, the minus sign and control keys; every other character is dropped
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view parent;  // empty: the window's client area
  Rect rect;                // relative to the parent; a timer or Word unit has none
  std::string_view text;    // caption or initial text
  int initialState = 0;     // check boxes and radio buttons: 1 ticked or selected
  Handler handler = Handler::None;
  bool centred = false;  // edit boxes: text centred
  int maxLength = 0;     // edit boxes: 0 means no limit
  InputFilter filter = InputFilter::Any;
  int period = 0;       // timers: milliseconds
  bool hidden = false;  // never shown: 编辑框19 holds the office's install path out of sight
};

struct StatusPanel {
  int width;
  std::string_view initialText;
};

struct FontSpec {
  std::string_view family;
  int pixelHeight;  // character height
  int weight;
  bool gb2312Charset;
};

struct FormSpec {
  std::string_view caption;
  int outerWidth;
  int outerHeight;
  // The client area that a fixed single frame of that outer size leaves, where the
  // controls' coordinates are measured.
  int clientWidth;
  int clientHeight;
  std::span<const ControlSpec> controls;
  std::array<StatusPanel, 2> panels;
  // The default GUI font of a Chinese system, which the form was laid out with: Chinese
  // characters 12 pixels wide, Latin characters and blanks 6. The edit boxes lie over the blanks
  // of the range label and of the decimals caption, so the controls' texts need its metrics.
  FontSpec formFont;
  FontSpec buttonFont;
  std::string_view buttonTooltip;
};

const FormSpec& MainForm();

// nullptr when the form has no control of that name.
const ControlSpec* FindControl(std::string_view name);

// The control's rectangle in the window's client area: its own position plus its parents'.
Rect InClientArea(const ControlSpec& control);

// What both windows show, with the error icon, when the window of this form cannot be made;
// the program then ends with exit code -1.
inline const UserMessage kWindowNotCreated{"运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n",
                                           "错误"};

// Whether a character typed into the box passes its filter; control characters (such as
// backspace) always do.
bool AcceptsTypedCharacter(InputFilter filter, char32_t character);

}  // namespace kalkora
