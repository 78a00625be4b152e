#pragma once

#include <QString>
#include <functional>

namespace ui {

// The window's status bar writer, ShowStatus, as the page views reach it.
using StatusWriter = std::function<void(int panel, const QString& text, bool alert)>;

}  // namespace ui
