#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "settings/SettingsData.h"

namespace ui {

class Dialogs;

// One tag form of the pre-setting edit dialog: input device names or output display
// names. Keeps the name history shared by the six boxes of that kind.
class PortTagEditor {
public:
    enum class Kind { Inputs, Outputs };
    using Boxes = std::array<QString, config::kTaggedPortCount>;

    explicit PortTagEditor(Kind kind);

    Kind kind() const { return kind_; }
    QString caption() const;           // "Edit Input port tags"
    QString boxLabel(int port) const;  // "Device name connect Input1"
    int boxTag(int port) const;        // n for inputs, 40 + n for outputs

    // The history as the settings file holds it; kept sorted as the boxes show it.
    void setHistory(const QStringList& names);
    const QStringList& history() const { return history_; }

    // The "×" button of box `port` (1 to 6) with the boxes as they read now. A name that
    // another box holds is refused; otherwise, once confirmed, it leaves the history and
    // the result is true: the box is to be emptied. A question answered No returns false.
    bool deleteName(const Boxes& boxes, int port, Dialogs& dialogs);

    // "OK": every box text that is not empty and not in the history, ignoring case, joins it.
    void mergeNames(const Boxes& boxes);

private:
    QString portWord() const;  // "Input" or "Output"
    bool known(const QString& name) const;

    Kind kind_;
    QStringList history_;
};

}  // namespace ui
