#include "ui/dialogs/KeyFilter.h"

#include <QKeyEvent>

namespace ui {

std::optional<QChar> typedCharacter(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            return std::nullopt;
        default:
            break;
    }
    if (key.text().isEmpty() ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return std::nullopt;
    }
    return key.text().front();
}

}  // namespace ui
