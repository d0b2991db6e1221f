#include "app/qt/form_widgets.hpp"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <limits>

#include "app/qt/banner.hpp"
#include "app/qt/flat_button.hpp"
#include "app/qt/form_fonts.hpp"
#include "app/qt/qt_text.hpp"
#include "app/qt/status_panels.hpp"
#include "app/qt/typed_character_filter.hpp"
#include "app/qt/wrapping_indicator_button.hpp"

namespace kalkora::qt {
namespace {

QWidget* MakePicture(const ControlSpec& spec, QWidget* parent) {
  const std::optional<QPixmap> picture =
      FittedPicture(PictureResource(spec.text), {spec.rect.width, spec.rect.height});
  if (!picture) return nullptr;
  auto* box = new QLabel(parent);
  box->setPixmap(*picture);
  return box;
}

QWidget* MakeEditBox(const ControlSpec& spec, QWidget* parent) {
  auto* edit = new QLineEdit(ToQString(spec.text), parent);
  if (spec.centred) edit->setAlignment(Qt::AlignCenter);
  edit->setMaxLength(spec.maxLength > 0 ? spec.maxLength : std::numeric_limits<int>::max());
  if (spec.filter != InputFilter::Any) {
    edit->installEventFilter(new TypedCharacterFilter(spec.filter, edit));
  }
  return edit;
}

template <typename Button>
QWidget* MakeIndicatorButton(const ControlSpec& spec, QWidget* parent) {
  auto* button = new Button(ToQString(spec.text), parent);
  button->setChecked(spec.initialState == 1);
  return button;
}

QWidget* MakeGenerateButton(const ControlSpec& spec, const FormSpec& form, QWidget* parent) {
  auto* button = new FlatButton(ToQString(spec.text), parent);
  button->setFont(ButtonFontOf(form.buttonFont));
  button->setToolTip(ToQString(form.buttonTooltip));
  return button;
}

QWidget* MakeHyperlink(const ControlSpec& spec, const FormSpec& form, QWidget* parent) {
  const QString link = QStringLiteral("<a href=\"%1\">%2</a>")
                           .arg(ToQString(form.hyperlinkAddress).toHtmlEscaped(),
                                ToQString(spec.text).toHtmlEscaped());
  auto* label = new QLabel(link, parent);
  label->setTextFormat(Qt::RichText);
  label->setOpenExternalLinks(false);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

QWidget* MakeLabel(const ControlSpec& spec, QWidget* parent) {
  auto* label = new QLabel(ToQString(spec.text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

void MakeTimer(const ControlSpec& spec, QWidget* parent) {
  auto* timer = new QTimer(parent);
  timer->setObjectName(ToQString(spec.name));
  timer->start(spec.period);
}

// The control's widget, or nullptr when it cannot be made.
QWidget* MakeWidget(const ControlSpec& spec, const FormSpec& form, QWidget* parent) {
  switch (spec.kind) {
    case ControlKind::PictureBox:
      return MakePicture(spec, parent);
    case ControlKind::GroupBox:
      return new QGroupBox(ToQString(spec.text), parent);
    case ControlKind::Label:
      return MakeLabel(spec, parent);
    case ControlKind::EditBox:
      return MakeEditBox(spec, parent);
    case ControlKind::CheckBox:
      return MakeIndicatorButton<WrappingCheckBox>(spec, parent);
    case ControlKind::RadioButton:
      return MakeIndicatorButton<WrappingRadioButton>(spec, parent);
    case ControlKind::Button:
      return MakeGenerateButton(spec, form, parent);
    case ControlKind::StatusBar:
      return MakeStatusBar(form.panels, parent);
    case ControlKind::HyperlinkLabel:
      return MakeHyperlink(spec, form, parent);
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
  window.setFont(FormFont());
  for (const ControlSpec& spec : form.controls) {
    if (spec.kind == ControlKind::WordApplication || spec.kind == ControlKind::WordDocuments) {
      continue;  // the office connection stands for them
    }
    QWidget* parent =
        spec.parent.empty() ? &window : window.findChild<QWidget*>(ToQString(spec.parent));
    if (!parent) return false;
    if (spec.kind == ControlKind::Timer) {
      MakeTimer(spec, parent);
      continue;
    }
    QWidget* widget = MakeWidget(spec, form, parent);
    if (!widget) return false;
    widget->setObjectName(ToQString(spec.name));
    widget->setGeometry(ToQRect(spec.rect));
    // A control placed wholly outside the client area (编辑框19) is never seen, so the
    // keyboard must not reach it either.
    const QRect inWindow(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    if (!inWindow.intersects({0, 0, form.clientWidth, form.clientHeight})) {
      widget->setFocusPolicy(Qt::NoFocus);
    }
  }
  return true;
}

}  // namespace kalkora::qt
