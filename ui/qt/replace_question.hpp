#pragma once

#include <QStringList>
#include <QWidget>

namespace kalkora::qt {

// Asks before files are replaced: true when none of `files` exists or the user agrees to
// replace those that do. The question defaults to keeping them.
bool MayReplace(const QStringList& files, QWidget* parent);

}  // namespace kalkora::qt
