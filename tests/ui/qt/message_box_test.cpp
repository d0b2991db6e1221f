#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <optional>

#include "core/app/form_table.hpp"
#include "ui/qt/qt_message_box.hpp"
#include "ui/qt/start_up.hpp"

namespace kalkora::testing {
namespace {

struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  Qt::WindowModality modality = Qt::NonModal;
  bool owned = true;
  std::optional<Qt::CursorShape> cursor;
};

// Runs `show` and answers the message box it opens with OK, noting what the box looked like.
SeenBox AnswerBox(const std::function<void()>& show) {
  SeenBox seen;
  bool answered = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = {box->windowTitle(),    box->text(),
            box->icon(),           box->standardButtons(),
            box->windowModality(), box->parentWidget() != nullptr,
            std::nullopt};
    if (const QCursor* cursor = QApplication::overrideCursor()) seen.cursor = cursor->shape();
    answered = true;
    box->button(QMessageBox::Ok)->click();
  });
  poll.start(5);
  show();
  EXPECT_TRUE(answered);
  return seen;
}

TEST(QtMessageBox, ShowsTheTextAndCaptionWithOneOkButtonAndNoIcon) {
  qt::QtMessageBox messages;
  const SeenBox seen = AnswerBox([&] { messages.Show({"没有输入生成 几位小数点！", "提示： "}); });
  EXPECT_EQ(seen.caption, "提示： ");
  EXPECT_EQ(seen.text, "没有输入生成 几位小数点！");
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QMessageBox::Ok);
  EXPECT_EQ(seen.modality, Qt::ApplicationModal);
  EXPECT_FALSE(seen.owned);
}

TEST(QtMessageBox, ShowsTheArrowOverTheBoxDuringABusyRun) {
  qt::QtMessageBox messages;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const SeenBox seen = AnswerBox([&] { messages.Show({"x", "y"}); });
  ASSERT_TRUE(QApplication::overrideCursor());
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();
  EXPECT_EQ(seen.cursor, Qt::ArrowCursor);
}

TEST(QtMessageBox, TextShowsCrLfLineEndsAsLines) {
  EXPECT_EQ(qt::DisplayText("a\r\n\r\nb\r\n"), "a\n\nb\n");
  EXPECT_EQ(qt::DisplayText("<b>&"), "<b>&");
}

TEST(StartUp, AWindowThatCannotBeMadeIsReportedWithTheErrorIcon) {
  EXPECT_EQ(kWindowNotCreated.text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  const SeenBox seen = AnswerBox([] { qt::ShowWindowNotCreated(); });
  EXPECT_EQ(seen.caption, "错误");
  EXPECT_EQ(seen.text, "运行时出错!\n\n错误信息：载入启动窗口失败\n");
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

}  // namespace
}  // namespace kalkora::testing
