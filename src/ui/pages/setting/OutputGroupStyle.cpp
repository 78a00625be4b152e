#include "ui/pages/setting/OutputGroupStyle.h"

#include <QStyle>

namespace ui {

QString outputGroupStyleSheet() {
    // The down button is the route in force; make it readable from across the room.
    return QStringLiteral(
        "QPushButton:checked { background-color: #b00000; color: white; font-weight: bold;"
        " border: 1px solid #600000; border-radius: 3px; }");
}

RouteArrowIcons routeArrowIcons(const QStyle& style) {
    return {style.standardIcon(QStyle::SP_ArrowLeft), style.standardIcon(QStyle::SP_ArrowRight)};
}

}  // namespace ui
