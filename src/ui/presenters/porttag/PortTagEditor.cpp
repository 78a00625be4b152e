#include "ui/presenters/porttag/PortTagEditor.h"

#include <algorithm>

#include "ui/presenters/Dialogs.h"

namespace ui {

namespace {

constexpr int kOutputTagBase = 40;

// The order of a sorted drop-down list: letters compare without case, ties by case.
bool listOrder(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace

PortTagEditor::PortTagEditor(Kind kind) : kind_(kind) {}

QString PortTagEditor::portWord() const {
    return kind_ == Kind::Inputs ? QStringLiteral("Input") : QStringLiteral("Output");
}

QString PortTagEditor::caption() const {
    return QStringLiteral("Edit %1 port tags").arg(portWord());
}

QString PortTagEditor::boxLabel(int port) const {
    return (kind_ == Kind::Inputs ? QStringLiteral("Device name connect Input%1")
                                  : QStringLiteral("Display name connect Output%1"))
        .arg(port);
}

int PortTagEditor::boxTag(int port) const {
    return kind_ == Kind::Inputs ? port : kOutputTagBase + port;
}

void PortTagEditor::setHistory(const QStringList& names) {
    history_ = names;
    std::stable_sort(history_.begin(), history_.end(), listOrder);
}

bool PortTagEditor::known(const QString& name) const {
    return history_.contains(name, Qt::CaseInsensitive);
}

bool PortTagEditor::deleteName(const Boxes& boxes, int port, Dialogs& dialogs) {
    if (port < 1 || port > config::kTaggedPortCount) return false;
    const QString name = boxes[port - 1];
    if (name.isEmpty()) return false;
    for (int other = 1; other <= config::kTaggedPortCount; ++other) {
        if (other != port && boxes[other - 1] == name) {
            dialogs.information(
                QStringLiteral("%1 port tag in use, can't be deleted.").arg(portWord()));
            return false;
        }
    }
    if (!dialogs.question(
            QStringLiteral("Sure to delete %1 port tag: [%2] ?").arg(portWord(), name))) {
        return false;
    }
    history_.removeIf(
        [&name](const QString& entry) { return entry.compare(name, Qt::CaseInsensitive) == 0; });
    return true;
}

void PortTagEditor::mergeNames(const Boxes& boxes) {
    for (const QString& name : boxes) {
        if (!name.isEmpty() && !known(name)) history_ << name;
    }
    setHistory(history_);
}

}  // namespace ui
