#pragma once

#include <QIcon>
#include <QStyle>

namespace ui {

// A standard icon of the application's style that is decoded when first drawn. Building a page
// then decodes no image and loads no image plugin; icons on pages never shown cost nothing, and
// copies of one such icon share a single decoded set.
QIcon deferredStandardIcon(QStyle::StandardPixmap which);

}  // namespace ui
