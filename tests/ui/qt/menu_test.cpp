#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QUrl>

#include "core/app/form_table.hpp"
#include "core/base/form_names.hpp"
#include "modal_answers.hpp"
#include "ui/qt/batch_dialog.hpp"
#include "ui/qt/main_menu.hpp"
#include "window_fixture.hpp"

namespace kalkora::testing {
namespace {

using qt::ToQString;

class MenuTest : public WindowTest {
 public:
  QMenuBar* Bar() { return window->findChild<QMenuBar*>(); }
  QAction* Action(const char* name) { return window->findChild<QAction*>(name); }
  // A key pressed while the window has the focus, as a user would.
  void Press(QKeyCombination key) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
  }
};

TEST_F(MenuTest, HasTheFileAndHelpMenusWithTheirEntriesAndShortcuts) {
  struct Entry {
    QString menu;
    QString text;
    QKeySequence shortcut;
  };
  const std::vector<Entry> expected = {
      {"文件(&F)", "生成题库", QKeySequence(Qt::Key_F5)},
      {"文件(&F)", "批量生成…", QKeySequence(Qt::CTRL | Qt::Key_B)},
      {"文件(&F)", "退出", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"帮助(&H)", "关于 Kalkora", QKeySequence()},
  };
  std::vector<Entry> shown;
  for (const QAction* top : Bar()->actions()) {
    for (const QAction* entry : top->menu()->actions()) {
      if (!entry->isSeparator()) shown.push_back({top->text(), entry->text(), entry->shortcut()});
    }
  }
  ASSERT_EQ(shown.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].text.toStdString());
    EXPECT_EQ(shown[i].menu, expected[i].menu);
    EXPECT_EQ(shown[i].text, expected[i].text);
    EXPECT_EQ(shown[i].shortcut, expected[i].shortcut);
  }
}

// The menu bar takes its own strip above the form: the form keeps its client size and every
// control its place inside it.
TEST_F(MenuTest, TheFormKeepsItsSizeAndPlacesUnderTheMenuBar) {
  const FormSpec& form = MainForm();
  const int menuHeight = Bar()->height();
  EXPECT_GT(menuHeight, 10);
  EXPECT_EQ(Bar()->geometry(), QRect(0, 0, form.clientWidth, menuHeight));
  QWidget& area = window->formArea();
  EXPECT_EQ(area.geometry(), QRect(0, menuHeight, form.clientWidth, form.clientHeight));
  EXPECT_EQ(window->size(), QSize(form.clientWidth, form.clientHeight + menuHeight));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  for (const std::string_view name : {form::图片框1, form::分组框1, form::状态条1}) {
    SCOPED_TRACE(std::string(name));
    const QWidget* control = Find<QWidget>(name);
    EXPECT_EQ(control->parentWidget(), &area);
    EXPECT_EQ(control->mapTo(window.get(), QPoint(0, 0)),
              qt::ToQRect(FindControl(name)->rect).topLeft() + QPoint(0, menuHeight));
  }
}

TEST_F(MenuTest, F5AndTheEntryRunTheGenerateButtonsCommand) {
  locator.path = "";  // the command stops at the first office check, with its message
  const UserMessage missing{"电 脑 没 有 安 装 WORD 软 件.", "无法打开表格："};
  Action(qt::kGenerateAction)->trigger();
  EXPECT_EQ(messages.shown, std::vector<UserMessage>{missing});
  Press(Qt::Key_F5);
  EXPECT_EQ(messages.shown, (std::vector<UserMessage>{missing, missing}));
  ASSERT_EQ(messages.overrideCursors.size(), 2u);
  EXPECT_EQ(messages.overrideCursors.back(), Qt::WaitCursor);
}

TEST_F(MenuTest, CtrlBOpensTheBatchDialog) {
  QString title;
  ModalAnswers()
      .Then<qt::BatchDialog>([&](qt::BatchDialog& dialog) {
        title = dialog.windowTitle();
        dialog.reject();
      })
      .Run([&] { Press(Qt::CTRL | Qt::Key_B); });
  EXPECT_EQ(title, "批量生成");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MenuTest, CtrlQClosesTheWindow) {
  Press(Qt::CTRL | Qt::Key_Q);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(MenuTest, TheAboutBoxNamesTheProgramItsVersionAndLinksTheHelpPage) {
  QString title;
  QLabel* text = nullptr;
  bool linksOpen = false;
  QString shown;
  ModalAnswers()
      .Then<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        shown = box.text();
        for (QLabel* label : box.findChildren<QLabel*>()) {
          if (label->text() == box.text()) text = label;
        }
        linksOpen = text && text->openExternalLinks() &&
                    (text->textInteractionFlags() & Qt::LinksAccessibleByMouse);
        box.accept();
      })
      .Run([&] { Action(qt::kAboutAction)->trigger(); });
  EXPECT_EQ(title, "关于 Kalkora");
  const QUrl page = QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/kalkora.html");
  for (const QString& part : {QString("<b>Kalkora</b> 1.6.0<"), QString("口算题卡"),
                              QString("href=\"%1\"").arg(page.toString(QUrl::FullyEncoded))}) {
    EXPECT_TRUE(shown.contains(part)) << part.toStdString() << " in " << shown.toStdString();
  }
  EXPECT_TRUE(linksOpen);
}

}  // namespace
}  // namespace kalkora::testing
