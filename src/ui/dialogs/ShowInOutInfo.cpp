#include "ui/dialogs/ShowInOutInfo.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/pages/FormParts.h"

namespace ui {

TfrmShowInOutInfo::TfrmShowInOutInfo(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TfrmShowInOutInfo"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* panel = makeControl<QFrame>(this, "Panel1");
    panel->setFrameShape(QFrame::Panel);
    panel->setAutoFillBackground(true);
    layout->addWidget(panel);
    lblInfo_ = makeControl<QLabel>(panel, "lblInfo", QStringLiteral("Output from Input"));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(19);
    font.setBold(true);
    lblInfo_->setFont(font);
    lblInfo_->move(4, 4);
    lblInfo_->adjustSize();
    panel->installEventFilter(this);
    lblInfo_->installEventFilter(this);
}

void TfrmShowInOutInfo::showLines(const QStringList& lines) {
    setFont(lblInfo_->font());
    const QFontMetrics metrics(lblInfo_->font());
    int width = 0;
    int height = 0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
        height += metrics.height();
    }
    lblInfo_->setText(lines.join(u'\n'));
    lblInfo_->adjustSize();
    // The label's own size includes its line spacing, which the sum of line heights misses;
    // keep its inset on the far sides too so the last line is never cut.
    const QPoint inset = lblInfo_->pos();
    resize(std::max(width + 10, lblInfo_->width() + 2 * inset.x()),
           std::max(height + 10, lblInfo_->height() + 2 * inset.y()));
}

bool TfrmShowInOutInfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmShowInOutInfo::mousePressEvent(QMouseEvent*) {
    close();
}

}  // namespace ui
