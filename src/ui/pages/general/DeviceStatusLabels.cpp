#include "ui/pages/general/DeviceStatusLabels.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVariant>

#include "ui/pages/RequiredChild.h"
#include "ui/presenters/Dialogs.h"

namespace ui {

DeviceStatusLabels::DeviceStatusLabels(const QWidget& page, Dialogs& dialogs,
                                       StatusWriter showStatus)
    : dialogs_(dialogs),
      showStatus_(std::move(showStatus)),
      gbDevInfo_(requiredChild<QGroupBox>(page, "gbDevInfo")),
      lblDevice_(requiredChild<QLabel>(page, "lblDevice")),
      lblVersion_(requiredChild<QLabel>(page, "lblVersion")),
      bbPower_(requiredChild<QPushButton>(page, "bbPower")),
      imgPowerOn_(requiredChild<QLabel>(page, "imgPowerOn")),
      imgPowerOff_(requiredChild<QLabel>(page, "imgPowerOff")) {}

void DeviceStatusLabels::setDeviceText(const QString& text) {
    lblDevice_->setText(text);
}

void DeviceStatusLabels::setVersionText(const QString& text) {
    lblVersion_->setText(text);
}

QLabel* DeviceStatusLabels::portLabel(int tag) const {
    for (QLabel* label : gbDevInfo_->findChildren<QLabel*>()) {
        if (label->property("Tag").toInt() == tag) return label;
    }
    return nullptr;
}

void DeviceStatusLabels::setPortLabel(int tag, const QString& text, LabelWeight weight) {
    QLabel* label = portLabel(tag);
    if (!label) return;
    label->setText(text);
    if (weight == LabelWeight::Unchanged) return;
    QFont font = label->font();
    font.setBold(weight == LabelWeight::Bold);
    label->setFont(font);
}

void DeviceStatusLabels::setPowerFace(bool on) {
    bbPower_->setIcon(QIcon((on ? imgPowerOn_ : imgPowerOff_)->pixmap()));
}

void DeviceStatusLabels::showStatus(int panel, const QString& text, bool alert) {
    showStatus_(panel, text, alert);
}

void DeviceStatusLabels::informationBox(const QString& text) {
    dialogs_.information(text);
}

}  // namespace ui
