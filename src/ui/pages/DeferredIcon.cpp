#include "ui/pages/DeferredIcon.h"

#include <QApplication>
#include <QIconEngine>

namespace ui {

namespace {

class DeferredStandardIconEngine final : public QIconEngine {
public:
    explicit DeferredStandardIconEngine(QStyle::StandardPixmap which) : which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
    QIconEngine* clone() const override { return new DeferredStandardIconEngine(*this); }

private:
    const QIcon& icon() {
        if (icon_.isNull()) icon_ = QApplication::style()->standardIcon(which_);
        return icon_;
    }

    QStyle::StandardPixmap which_;
    QIcon icon_;
};

}  // namespace

QIcon deferredStandardIcon(QStyle::StandardPixmap which) {
    return QIcon(new DeferredStandardIconEngine(which));
}

}  // namespace ui
