#include "ui/qt/qt_controls.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "core/base/form_names.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/status_panels.hpp"

namespace kalkora::qt {

template <typename Widget>
Widget* QtControls::Find(std::string_view name) const {
  return window_.findChild<Widget*>(ToQString(name));
}

int QtControls::ReadState(std::string_view name) {
  const auto* button = Find<QAbstractButton>(name);
  return button && button->isChecked() ? 1 : 0;
}

void QtControls::WriteState(std::string_view name, int state) {
  // Setting the state runs no click handler, as on Windows.
  if (auto* box = Find<QCheckBox>(name)) box->setChecked(state == 1);
}

std::string QtControls::ReadText(std::string_view name) {
  const auto* edit = Find<QLineEdit>(name);
  return edit ? ToUtf8(edit->text()) : std::string();
}

void QtControls::WriteText(std::string_view name, std::string_view text) {
  if (auto* edit = Find<QLineEdit>(name)) edit->setText(ToQString(text));
}

void QtControls::SetPanelText(int index, std::string_view text) {
  auto* bar = Find<QStatusBar>(form::kStatusBar);
  auto* panel = bar ? bar->findChild<QLabel*>(PanelName(index)) : nullptr;
  if (panel) panel->setText(ToQString(text));
}

}  // namespace kalkora::qt
