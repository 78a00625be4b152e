#pragma once

#include <QIcon>
#include <QString>

class QStyle;

namespace ui {

// The look the routing view's output groups share: one style sheet on their common parent and
// one decoded pair of arrow icons, instead of a copy of each per group.
QString outputGroupStyleSheet();

struct RouteArrowIcons {
    QIcon previous;
    QIcon next;
};
RouteArrowIcons routeArrowIcons(const QStyle& style);

}  // namespace ui
