#include "ui/qt/main_menu.hpp"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace kalkora::qt {
namespace {

void AddEntry(QMenu& menu, const QString& text, const char* name, const QKeySequence& shortcut,
              const std::function<void()>& command) {
  QAction* action = menu.addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  QObject::connect(action, &QAction::triggered, &menu, [command] { command(); });
}

}  // namespace

QMenuBar* MakeMainMenu(const MenuCommands& commands, QWidget* window) {
  auto* bar = new QMenuBar(window);
  QMenu* file = bar->addMenu(QStringLiteral("文件(&F)"));
  AddEntry(*file, QStringLiteral("生成题库"), kGenerateAction, QKeySequence(Qt::Key_F5),
           commands.generate);
  AddEntry(*file, QStringLiteral("批量生成…"), kBatchAction, QKeySequence(Qt::CTRL | Qt::Key_B),
           commands.batch);
  file->addSeparator();
  AddEntry(*file, QStringLiteral("退出"), kQuitAction, QKeySequence(Qt::CTRL | Qt::Key_Q),
           commands.quit);
  QMenu* help = bar->addMenu(QStringLiteral("帮助(&H)"));
  AddEntry(*help, QStringLiteral("关于 Kalkora"), kAboutAction, {}, commands.about);
  return bar;
}

}  // namespace kalkora::qt
