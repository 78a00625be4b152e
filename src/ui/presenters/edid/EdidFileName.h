#pragma once

#include <QString>

namespace ui {

// The name an EDID image is saved under: ".bin" is appended unless the name already ends
// in ".bin" in any letter case, so "x" and "x.txt" become "x.bin" and "x.txt.bin".
QString edidSaveFileName(const QString& chosen);

}  // namespace ui
