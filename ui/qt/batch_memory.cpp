#include "ui/qt/batch_memory.hpp"

#include <QSettings>

#include "ui/qt/qt_text.hpp"

namespace kalkora::qt {
namespace {

constexpr char kGroup[] = "batch";

}  // namespace

BatchMemory LoadBatchMemory() {
  QSettings settings(QStringLiteral("Kalkora"), QStringLiteral("kalkora"));
  settings.beginGroup(QLatin1String(kGroup));
  return RememberedBatch([&](std::string_view name) -> std::optional<std::string> {
    const QVariant value = settings.value(ToQString(name));
    if (!value.isValid()) return std::nullopt;
    return ToUtf8(value.toString());
  });
}

void SaveBatchMemory(const BatchMemory& memory) {
  QSettings settings(QStringLiteral("Kalkora"), QStringLiteral("kalkora"));
  settings.beginGroup(QLatin1String(kGroup));
  for (const auto& [name, text] : StoredBatchMemory(memory)) {
    settings.setValue(ToQString(name), ToQString(text));
  }
}

}  // namespace kalkora::qt
