#pragma once

#include <QString>
#include <QStringList>

#include "core/app/batch_command.hpp"
#include "core/base/clock.hpp"

namespace kalkora::qt {

// ".docx" or ".pdf".
QString ExtensionOf(DocumentFormat format);

// The path with the format's extension: a .docx or .pdf ending (either case) is replaced, any
// other name gets the extension added. An empty path stays empty.
QString WithFormatExtension(const QString& path, DocumentFormat format);

// Where a class set goes unless the user says otherwise: "口算题卡-YYYY-MM-DD.docx" in `folder`.
QString DefaultBatchPath(const QString& folder, const LocalDateTime& date);

// The user's documents folder, or the home folder when there is none.
QString DocumentsFolder();

// The files a class set writes: the sheets' file and, with answers, the key beside it.
QStringList BatchFiles(const QString& path, bool answers);

}  // namespace kalkora::qt
