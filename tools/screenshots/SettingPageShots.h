#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ui {
class ProgramWindows;
}

// Port tags and a name history in the settings file, so the pages and dialogs show them.
void addSampleTags(const QString& settingsPath);

// The pre-setting edit dialog in its "Output setting" form and its input tag form, and the
// tag pop-up, each handed to `save` under its picture name.
bool shootTagDialogs(const ui::ProgramWindows& windows,
                     const std::function<bool(QWidget&, const QString&)>& save);
