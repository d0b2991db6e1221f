#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "core/app/form_table.hpp"
#include "core/base/form_names.hpp"
#include "ui/qt/flat_button.hpp"
#include "ui/qt/status_panels.hpp"
#include "url_recorder.hpp"
#include "window_fixture.hpp"

namespace kalkora::testing {
namespace {

using qt::ToQString;

TEST_F(WindowTest, HasTheFormsCaptionFixedClientSizeAndNoMaximizeBox) {
  EXPECT_EQ(window->windowTitle(), " Kalkora V1.6");
  EXPECT_EQ(window->formArea().size(), QSize(551, 260));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
  const QList<QSize> iconSizes = window->windowIcon().availableSizes();
  for (const int size : {16, 32, 48, 128}) EXPECT_TRUE(iconSizes.contains(QSize(size, size)));
}

// The outer size is the form's grown by the menu bar above the client area.
TEST_F(WindowTest, IsCentredOnTheScreenByItsOuterSize) {
  const QRect screen = window->screen()->geometry();
  const int menuHeight = window->height() - window->formArea().height();
  EXPECT_EQ(window->pos(), QPoint(screen.left() + (screen.width() - 557) / 2,
                                  screen.top() + (screen.height() - (292 + menuHeight)) / 2));
}

TEST_F(WindowTest, StartsWithTheFormsDefaults) {
  Controls& controls = window->controls();
  EXPECT_EQ(TickedKindBoxes(), std::vector<std::string>{"选择框1"});
  EXPECT_EQ(controls.ReadState(form::单选框1), 1);
  EXPECT_EQ(controls.ReadState(form::单选框2), 0);
  EXPECT_EQ(controls.ReadState(form::单选框3), 0);
  EXPECT_EQ(controls.ReadState(form::单选框4), 1);
  EXPECT_EQ(controls.ReadState(form::单选框5), 0);
  EXPECT_EQ(controls.ReadText(form::编辑框1), "1");
  EXPECT_EQ(controls.ReadText(form::编辑框2), "100");
  EXPECT_EQ(controls.ReadText(form::编辑框3), "2");
  EXPECT_EQ(controls.ReadText(form::编辑框19), "");
  auto* bar = Find<QStatusBar>(form::状态条1);
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->findChild<QLabel*>(qt::PanelName(0))->text(), "");
  EXPECT_EQ(bar->findChild<QLabel*>(qt::PanelName(1))->text(), " 不要让童年太累...");
  EXPECT_EQ(bar->findChild<QLabel*>(qt::PanelName(0))->width(), 188);
  EXPECT_EQ(bar->findChild<QLabel*>(qt::PanelName(1))->width(), 170);
}

TEST_F(WindowTest, EveryControlStandsWhereTheFormPutsIt) {
  for (const ControlSpec& entry : MainForm().controls) {
    SCOPED_TRACE(std::string(entry.name));
    if (entry.kind == ControlKind::WordApplication || entry.kind == ControlKind::WordDocuments) {
      EXPECT_FALSE(Find<QObject>(entry.name));
      continue;
    }
    if (entry.kind == ControlKind::Timer) {
      auto* timer = Find<QTimer>(entry.name);
      ASSERT_TRUE(timer);
      EXPECT_EQ(timer->parent()->objectName(), ToQString(entry.parent));
      EXPECT_EQ(timer->interval(), entry.period);
      EXPECT_TRUE(timer->isActive());
      continue;
    }
    auto* widget = Find<QWidget>(entry.name);
    ASSERT_TRUE(widget);
    EXPECT_EQ(widget->geometry(), qt::ToQRect(entry.rect));
    QWidget* parent = widget->parentWidget();
    EXPECT_EQ(parent == &window->formArea() ? QString() : parent->objectName(),
              ToQString(entry.parent));
    EXPECT_EQ(widget->isVisibleTo(window.get()), !entry.hidden);
    EXPECT_TRUE(widget->isEnabled());
  }
}

TEST_F(WindowTest, CaptionsAndEditBoxesFollowTheTable) {
  for (const ControlSpec& entry : MainForm().controls) {
    SCOPED_TRACE(std::string(entry.name));
    const QString text = ToQString(entry.text);
    switch (entry.kind) {
      case ControlKind::CheckBox:
      case ControlKind::RadioButton:
      case ControlKind::Button:
        EXPECT_EQ(Find<QAbstractButton>(entry.name)->text(), text);
        break;
      case ControlKind::GroupBox:
        EXPECT_EQ(Find<QGroupBox>(entry.name)->title(), text);
        break;
      case ControlKind::Label:
        EXPECT_EQ(Find<QLabel>(entry.name)->text(), text);
        break;
      case ControlKind::EditBox: {
        auto* edit = Find<QLineEdit>(entry.name);
        EXPECT_EQ(edit->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        EXPECT_EQ(edit->maxLength(), entry.maxLength > 0 ? entry.maxLength : INT_MAX);
        break;
      }
      default:
        break;
    }
  }
}

TEST_F(WindowTest, TheHiddenPathBoxLiesOutsideTheWindowAndTakesNoFocus) {
  auto* hidden = Find<QLineEdit>(form::编辑框19);
  const QPoint inWindow = hidden->mapTo(window.get(), QPoint(0, 0));
  EXPECT_GE(inWindow.x(), window->width());
  hidden->setFocus();
  EXPECT_FALSE(hidden->hasFocus());
}

// Columns of a widget rendered on its own that hold dark (text) pixels.
std::vector<bool> InkColumns(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  std::vector<bool> ink(static_cast<std::size_t>(image.width()), false);
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (qGray(image.pixel(x, y)) < 100) ink[static_cast<std::size_t>(x)] = true;
    }
  }
  return ink;
}

bool AnyInk(const std::vector<bool>& ink, int from, int to) {
  for (int x = std::max(from, 0); x < std::min<int>(to, static_cast<int>(ink.size())); ++x) {
    if (ink[static_cast<std::size_t>(x)]) return true;
  }
  return false;
}

// The range line and the decimals line are one caption each with blanks where edit boxes lie:
// with the wrong font metrics the words would slide under the boxes.
TEST_F(WindowTest, EditBoxesCoverOnlyTheBlanksOfTheCaptionsUnderThem) {
  struct Case {
    std::string_view caption;
    std::vector<std::string_view> boxes;
  };
  for (const Case& c :
       {Case{form::标签1, {form::编辑框1, form::编辑框2}}, Case{form::单选框5, {form::编辑框3}}}) {
    SCOPED_TRACE(std::string(c.caption));
    QWidget* caption = Find<QWidget>(c.caption);
    const std::vector<bool> ink = InkColumns(*caption);
    int before = 0;
    for (const std::string_view name : c.boxes) {
      const QRect box = Find<QWidget>(name)->geometry().translated(-caption->pos());
      EXPECT_TRUE(AnyInk(ink, before, box.left())) << "words before " << name;
      EXPECT_FALSE(AnyInk(ink, box.left(), box.right() + 1)) << "words under " << name;
      before = box.right() + 1;
    }
    if (c.caption == form::单选框5) {
      EXPECT_TRUE(AnyInk(ink, before, caption->width())) << "words after the box";
    }
  }
}

// Types like the keyboard does; characters beyond ASCII come as key events with their text.
void Type(QWidget* widget, const QString& text) {
  for (const QChar character : text) {
    if (character.unicode() < 0x80) {
      QTest::keyClicks(widget, QString(character));
      continue;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }
}

// The kind boxes behave as a choice of at most one, clicked with the mouse.
TEST_F(WindowTest, KindBoxClicksKeepAtMostOneTicked) {
  struct Case {
    const char* what;
    std::vector<std::string_view> clicks;
    std::vector<std::string> ticked;
    std::string panel;
  };
  const std::vector<Case> cases = {
      {"another box", {form::选择框3}, {"选择框3"}, "  选择乘法题库"},
      {"the ticked box", {form::选择框1}, {}, " 不要让童年太累..."},
      {"one after another",
       {form::选择框8, form::选择框9},
       {"选择框9"},
       "  选择加减法连续运算题库"},
      {"an unticked box twice", {form::选择框5, form::选择框5}, {}, "  选择加减混合题库"},
      {"the last box", {form::选择框10}, {"选择框10"}, "  选择分数题库"},
      {"the three-line box", {form::选择框7}, {"选择框7"}, "  选择加减乘除混合题库"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    for (const std::string_view box : c.clicks) Click(box);
    EXPECT_EQ(TickedKindBoxes(), c.ticked);
    EXPECT_EQ(Find<QStatusBar>(form::状态条1)->findChild<QLabel*>(qt::PanelName(1))->text(),
              ToQString(c.panel));
  }
}

TEST_F(WindowTest, TheSpaceKeyOnAKindBoxRunsItsHandlerToo) {
  auto* box = Find<QCheckBox>(form::选择框4);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_EQ(TickedKindBoxes(), std::vector<std::string>{"选择框4"});
}

TEST_F(WindowTest, TheTwoRadioGroupsAreIndependent) {
  Controls& controls = window->controls();
  Click(form::单选框3);
  EXPECT_EQ(controls.ReadState(form::单选框1), 0);
  EXPECT_EQ(controls.ReadState(form::单选框3), 1);
  EXPECT_EQ(controls.ReadState(form::单选框4), 1);
  Click(form::单选框5);
  EXPECT_EQ(controls.ReadState(form::单选框4), 0);
  EXPECT_EQ(controls.ReadState(form::单选框5), 1);
  EXPECT_EQ(controls.ReadState(form::单选框3), 1);
}

TEST_F(WindowTest, TheDecimalPlacesBoxTakesOneDigitOrMinus) {
  struct Case {
    const char* what;
    bool selectAll;
    int backspaces;
    QString typed;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"a letter and a point", false, 0, "a.", "2"},
      {"a second character", false, 0, "5", "2"},
      {"a digit after deleting", false, 1, "7", "7"},
      {"the minus sign", false, 1, "-", "-"},
      {"letters over a selection", true, 0, "xy.,9", "9"},
      {"full-width digits", false, 1, "３", ""},
      {"only deleting", false, 1, "", ""},
  };
  auto* edit = Find<QLineEdit>(form::编辑框3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    edit->setText("2");
    edit->setFocus();
    edit->end(false);
    if (c.selectAll) edit->selectAll();
    for (int i = 0; i < c.backspaces; ++i) QTest::keyClick(edit, Qt::Key_Backspace);
    Type(edit, c.typed);
    EXPECT_EQ(window->controls().ReadText(form::编辑框3), c.expected);
  }
}

// Text that arrives in the places box other than by typing meets the same filter and limit:
// a paste (Ctrl+V), a drop, an input method's commit. The limit counts characters: an emoji
// (a UTF-16 pair) never leaves half of itself behind.
TEST_F(WindowTest, PastedDroppedAndComposedTextMeetsThePlacesFilter) {
  enum class Way { Paste, Drop, InputMethod };
  struct Case {
    const char* what;
    Way way;
    QString before;
    bool selectAll;
    QString arriving;
    QString expected;
  };
  const QString emoji = QString::fromUcs4(U"\U0001F600");
  const std::vector<Case> cases = {
      {"paste x over the digit", Way::Paste, "2", true, "x", "2"},
      {"paste x into the empty box", Way::Paste, "", false, "x", ""},
      {"paste an emoji", Way::Paste, "", false, emoji, ""},
      {"paste an emoji over the digit", Way::Paste, "2", true, emoji, "2"},
      {"paste 3 over the digit", Way::Paste, "2", true, "3", "3"},
      {"paste 3 beside the digit", Way::Paste, "2", false, "3", "2"},
      {"paste 35 into the empty box", Way::Paste, "", false, "35", "3"},
      {"paste a full-width digit", Way::Paste, "", false, "３", ""},
      {"drop x", Way::Drop, "", false, "x", ""},
      {"drop 7", Way::Drop, "", false, "7", "7"},
      {"input method x", Way::InputMethod, "", false, "x", ""},
      {"input method -", Way::InputMethod, "", false, "-", "-"},
  };
  auto* edit = Find<QLineEdit>(form::编辑框3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    edit->setText(c.before);
    edit->setFocus();
    if (c.selectAll) edit->selectAll();
    switch (c.way) {
      case Way::Paste:
        QApplication::clipboard()->setText(c.arriving);
        QTest::keySequence(edit, QKeySequence::Paste);
        break;
      case Way::Drop: {
        QMimeData data;
        data.setText(c.arriving);
        const QPoint at = edit->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(edit, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(edit, &drop);
        break;
      }
      case Way::InputMethod: {
        QInputMethodEvent commit;
        commit.setCommitString(c.arriving);
        QApplication::sendEvent(edit, &commit);
        break;
      }
    }
    EXPECT_EQ(edit->text(), c.expected);
  }
}

TEST_F(WindowTest, TheRangeBoxesTakeAnyCharactersAndAnyLength) {
  auto* edit = Find<QLineEdit>(form::编辑框1);
  edit->setFocus();
  edit->end(false);
  const QString typed = "abc.-,xyz 一二三 0123456789012345678901234567890123456789";
  Type(edit, typed);
  EXPECT_EQ(edit->text(), "1" + typed);
}

TEST_F(WindowTest, TheClockWritesPanelZeroOnEveryTick) {
  auto* panel = Find<QStatusBar>(form::状态条1)->findChild<QLabel*>(qt::PanelName(0));
  EXPECT_EQ(panel->text(), "");
  QSignalSpy ticks(Find<QTimer>(form::时钟1), &QTimer::timeout);
  clock.now = {2013, 1, 22, 8, 27, 27};
  ASSERT_TRUE(ticks.wait(2000));
  EXPECT_EQ(panel->text(), "2013年1月22日8时27分27秒");
  clock.now = {2013, 1, 22, 9, 5, 0};
  ASSERT_TRUE(ticks.wait(2000));
  EXPECT_EQ(panel->text(), "2013年1月22日9时5分");
}

TEST_F(WindowTest, TheGenerateButtonIsFlatAndNotTheDefault) {
  auto* button = Find<QPushButton>(form::超级按钮1);
  EXPECT_TRUE(button->isFlat());
  EXPECT_FALSE(button->isDefault());
  EXPECT_FALSE(button->autoDefault());
  EXPECT_FALSE(button->isCheckable());
  EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(button->toolTip(), "百万题库，随机抽取，生成每篇作业题目皆不相同！");
  EXPECT_EQ(button->font().pixelSize(), 16);
  EXPECT_EQ(button->font().weight(), QFont::Bold);
  // The font that really draws the caption has the Chinese characters.
  EXPECT_TRUE(QFontMetrics(button->font()).inFontUcs4(U'题'));
  EXPECT_EQ(qt::HoverFace(QColor(236, 233, 216)), QColor(255, 252, 235));
  EXPECT_EQ(qt::HoverFace(QColor(250, 240, 0)), QColor(255, 255, 19));
}

TEST_F(WindowTest, EnterOnTheFocusedGenerateButtonDoesNotPressIt) {
  auto* button = Find<QPushButton>(form::超级按钮1);
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Return);
  QTest::keyClick(button, Qt::Key_Enter);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(word.calls.empty());
}

// The page beside the test program, where the build puts it beside the built program.
TEST_F(WindowTest, TheHyperlinkOpensTheHelpPageBesideTheProgram) {
  const QString page = QCoreApplication::applicationDirPath() + "/kalkora.html";
  ASSERT_TRUE(QFileInfo(page).isFile()) << page.toStdString();
  UrlRecorder recorder("file");
  auto* link = Find<QLabel>(form::超级链接框1);
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(12, link->height() / 2));
  ASSERT_EQ(recorder.opened.size(), 1);
  EXPECT_EQ(recorder.opened.front(), QUrl::fromLocalFile(page));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace kalkora::testing
