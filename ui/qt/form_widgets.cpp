#include "ui/qt/form_widgets.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <limits>

#include "core/app/help_page.hpp"
#include "ui/qt/banner.hpp"
#include "ui/qt/edit_box_validator.hpp"
#include "ui/qt/flat_button.hpp"
#include "ui/qt/form_fonts.hpp"
#include "ui/qt/form_group_box.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/status_panels.hpp"
#include "ui/qt/typed_character_filter.hpp"
#include "ui/qt/wrapping_indicator_button.hpp"

namespace kalkora::qt {
namespace {

QWidget* MakePicture(const ControlSpec& entry, QWidget* parent) {
  const std::optional<QPixmap> picture =
      FittedPicture(PictureResource(entry.text), {entry.rect.width, entry.rect.height});
  if (!picture) return nullptr;
  auto* box = new QLabel(parent);
  box->setPixmap(*picture);
  return box;
}

QWidget* MakeEditBox(const ControlSpec& entry, QWidget* parent) {
  auto* edit = new QLineEdit(ToQString(entry.text), parent);
  if (entry.centred) edit->setAlignment(Qt::AlignCenter);
  edit->setMaxLength(entry.maxLength > 0 ? entry.maxLength : std::numeric_limits<int>::max());
  if (entry.filter != InputFilter::Any) {
    edit->installEventFilter(new TypedCharacterFilter(entry.filter, edit));
    edit->setValidator(new EditBoxValidator(entry, edit));
  }
  return edit;
}

template <typename Button>
QWidget* MakeIndicatorButton(const ControlSpec& entry, QWidget* parent) {
  auto* button = new Button(ToQString(entry.text), parent);
  button->setChecked(entry.initialState == 1);
  return button;
}

QWidget* MakeGenerateButton(const ControlSpec& entry, const FormSpec& form, QWidget* parent) {
  auto* button = new FlatButton(ToQString(entry.text), parent);
  button->setFont(ButtonFontOf(form.buttonFont));
  button->setToolTip(ToQString(form.buttonTooltip));
  return button;
}

// The link's target is the help page, which the window's handler finds when it is clicked.
QWidget* MakeHyperlink(const ControlSpec& entry, QWidget* parent) {
  const QString link = QStringLiteral("<a href=\"%1\">%2</a>")
                           .arg(ToQString(kHelpPageName), ToQString(entry.text).toHtmlEscaped());
  auto* label = new QLabel(link, parent);
  label->setTextFormat(Qt::RichText);
  label->setOpenExternalLinks(false);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

QWidget* MakeLabel(const ControlSpec& entry, QWidget* parent) {
  auto* label = new QLabel(ToQString(entry.text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

void MakeTimer(const ControlSpec& entry, QWidget* parent) {
  auto* timer = new QTimer(parent);
  timer->setObjectName(ToQString(entry.name));
  timer->start(entry.period);
}

// The control's widget, or nullptr when it cannot be made.
QWidget* MakeWidget(const ControlSpec& entry, const FormSpec& form, QWidget* parent) {
  switch (entry.kind) {
    case ControlKind::PictureBox:
      return MakePicture(entry, parent);
    case ControlKind::GroupBox:
      return new FormGroupBox(ToQString(entry.text), parent);
    case ControlKind::Label:
      return MakeLabel(entry, parent);
    case ControlKind::EditBox:
      return MakeEditBox(entry, parent);
    case ControlKind::CheckBox:
      return MakeIndicatorButton<WrappingCheckBox>(entry, parent);
    case ControlKind::RadioButton:
      return MakeIndicatorButton<WrappingRadioButton>(entry, parent);
    case ControlKind::Button:
      return MakeGenerateButton(entry, form, parent);
    case ControlKind::StatusBar:
      return MakeStatusBar(form.panels, parent);
    case ControlKind::HyperlinkLabel:
      return MakeHyperlink(entry, parent);
    case ControlKind::Timer:
    case ControlKind::WordApplication:
    case ControlKind::WordDocuments:
      break;
  }
  return nullptr;
}

}  // namespace

QString PictureResource(std::string_view fileName) {
  return QStringLiteral(":/kalkora/") + ToQString(fileName);
}

bool BuildFormWidgets(QWidget& window, const FormSpec& form) {
  window.setFont(FormFontOf(form.formFont));
  for (const ControlSpec& entry : form.controls) {
    if (entry.kind == ControlKind::WordApplication || entry.kind == ControlKind::WordDocuments) {
      continue;  // the office connection stands for them
    }
    QWidget* parent =
        entry.parent.empty() ? &window : window.findChild<QWidget*>(ToQString(entry.parent));
    if (!parent) return false;
    if (entry.kind == ControlKind::Timer) {
      MakeTimer(entry, parent);
      continue;
    }
    QWidget* widget = MakeWidget(entry, form, parent);
    if (!widget) return false;
    widget->setObjectName(ToQString(entry.name));
    widget->setGeometry(ToQRect(entry.rect));
    if (entry.hidden) widget->hide();
  }
  return true;
}

}  // namespace kalkora::qt
