#include "ui/qt/help_page.hpp"

#include <QCoreApplication>
#include <QDesktopServices>
#include <filesystem>

#include "core/app/help_page.hpp"

namespace kalkora::qt {

QUrl HelpPageUrl() {
  const std::filesystem::path page =
      FindHelpPage(std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()));
  if (page.empty()) return {};
  return QUrl::fromLocalFile(QString::fromStdU16String(page.u16string()));
}

void OpenHelpPage(MessageBox& messages) {
  const QUrl page = HelpPageUrl();
  if (page.isEmpty()) {
    messages.Show({std::string(kHelpPageMissing), "Kalkora"});
    return;
  }
  QDesktopServices::openUrl(page);
}

}  // namespace kalkora::qt
