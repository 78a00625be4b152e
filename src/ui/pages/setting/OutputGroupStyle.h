#pragma once

#include <QIcon>
#include <QString>

namespace ui {

// The look the routing view's output groups share: one style sheet on their common parent and
// one pair of arrow icons, decoded when first drawn, instead of a copy of each per group.
QString outputGroupStyleSheet();

struct RouteArrowIcons {
    QIcon previous;
    QIcon next;
};
RouteArrowIcons routeArrowIcons();

}  // namespace ui
