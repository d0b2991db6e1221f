#pragma once

#include <QString>
#include <QStringList>

#include "core/app/class_set_flow.hpp"
#include "core/base/clock.hpp"

namespace kalkora::qt {

// The core's WithFormatExtension and BatchFiles, for Qt's strings.
QString WithFormatExtension(const QString& path, DocumentFormat format);

// Where a class set goes unless the user says otherwise: "口算题卡-YYYY-MM-DD.docx" in `folder`.
QString DefaultBatchPath(const QString& folder, const LocalDateTime& date);

// The user's documents folder, or the home folder when there is none.
QString DocumentsFolder();

QStringList BatchFiles(const QString& path, bool answers);

}  // namespace kalkora::qt
