#include "ui/pages/setting/OutputGroupStyle.h"

#include "ui/pages/DeferredIcon.h"

namespace ui {

QString outputGroupStyleSheet() {
    // The down button is the route in force; make it readable from across the room.
    return QStringLiteral(
        "QPushButton:checked { background-color: #b00000; color: white; font-weight: bold;"
        " border: 1px solid #600000; border-radius: 3px; }"
        // An output whose route changed at the switcher, for a moment.
        "QGroupBox[flashed=\"true\"] { background-color: #ffe680; }");
}

RouteArrowIcons routeArrowIcons() {
    return {deferredStandardIcon(QStyle::SP_ArrowLeft),
            deferredStandardIcon(QStyle::SP_ArrowRight)};
}

}  // namespace ui
