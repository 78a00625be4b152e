#include "ui/mainwindow/StatusBar.h"

#include <QLabel>
#include <QPainter>

namespace ui {

namespace {

constexpr std::array<int, TStatusBar::kPanelCount> kPanelWidths{185, 235, 300, 135, 50};
constexpr int kOperationPanel = 2;
constexpr int kClockPanel = 4;

}  // namespace

// Panel 2: the rectangle filled with the state's background, the text at its top-left corner.
class OperationPanel final : public QWidget {
public:
    explicit OperationPanel(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("sbPanel2"));
    }

    QString text;
    bool alert = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), alert ? QColor(Qt::red) : palette().color(QPalette::Button));
        painter.setPen(alert ? QColor(Qt::white) : QColor(Qt::black));
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, text);
    }
};

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("sb"));
    setSizeGripEnabled(false);
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        QWidget* widget = nullptr;
        if (panel == kOperationPanel) {
            operation_ = new OperationPanel(this);
            widget = operation_;
        } else {
            auto* label = new QLabel(this);
            label->setObjectName(QStringLiteral("sbPanel%1").arg(panel));
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            if (panel == kClockPanel) label->setAlignment(Qt::AlignCenter);
            labels_[panel - 1] = label;
            widget = label;
        }
        widget->setFixedWidth(kPanelWidths[panel - 1]);
        addWidget(widget);
    }
}

QString TStatusBar::panelText(int panel) const {
    if (panel == kOperationPanel) return operation_->text;
    if (panel < 1 || panel > kPanelCount) return {};
    return labels_[panel - 1]->text();
}

void TStatusBar::setPanelText(int panel, const QString& text) {
    if (panel == kOperationPanel) {
        operation_->text = text;
        operation_->update();
    } else if (panel >= 1 && panel <= kPanelCount) {
        labels_[panel - 1]->setText(text);
    }
}

void TStatusBar::setAlertColours(bool alert) {
    operation_->alert = alert;
    operation_->update();
}

bool TStatusBar::alertColours() const {
    return operation_->alert;
}

void TStatusBar::repaintNow() {
    repaint();
}

}  // namespace ui
