#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>

#include "ui/pages/DeferredIcon.h"

namespace {

QImage buttonShot(const QIcon& icon) {
    QPushButton button;
    button.setIcon(icon);
    button.setFixedSize(68, 28);
    return button.grab().toImage();
}

// Decoding late must not change the picture: the same pixels as the style's own icon, in every
// mode, as a pixmap and on a button.
TEST(DeferredStandardIcon, DrawsExactlyAsTheStylesOwnIcon) {
    const struct {
        const char* name;
        QStyle::StandardPixmap which;
    } cases[] = {
        {"arrow left", QStyle::SP_ArrowLeft},
        {"arrow right", QStyle::SP_ArrowRight},
        {"open", QStyle::SP_DialogOpenButton},
        {"save", QStyle::SP_DialogSaveButton},
    };
    for (const auto& c : cases) {
        const QIcon own = QApplication::style()->standardIcon(c.which);
        const QIcon deferred = ui::deferredStandardIcon(c.which);
        EXPECT_FALSE(deferred.isNull()) << c.name;
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
            EXPECT_EQ(deferred.pixmap(QSize(16, 16), 1.0, mode).toImage(),
                      own.pixmap(QSize(16, 16), 1.0, mode).toImage())
                << c.name << " mode " << mode;
        }
        EXPECT_EQ(buttonShot(deferred), buttonShot(own)) << c.name;
    }
}

}  // namespace
