#include "ui/presenters/edid/EdidFileName.h"

namespace ui {

QString edidSaveFileName(const QString& chosen) {
    // The extension is looked for in the last path component only: "dir.d/x" has none.
    const qsizetype nameStart = chosen.lastIndexOf(u'/') + 1;
    const qsizetype dot = chosen.lastIndexOf(u'.');
    const QString extension = dot >= nameStart ? chosen.mid(dot) : QString();
    if (extension.toUpper() == QLatin1String(".BIN")) return chosen;
    return chosen + QStringLiteral(".bin");
}

}  // namespace ui
