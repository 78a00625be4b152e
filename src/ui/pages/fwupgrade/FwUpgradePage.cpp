#include "ui/pages/fwupgrade/FwUpgradePage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/pages/DeferredIcon.h"
#include "ui/pages/FormParts.h"
#include "widgets/VKGauge.h"

namespace ui {

QGroupBox* FwUpgradePage::buildUpgradeGroup() {
    QWidget* page = this;
    auto* group = makeControl<QGroupBox>(page, "gbFWUpgrade", QStringLiteral("FW upgrade"));
    auto* layout = new QGridLayout(group);
    layout->addWidget(makeControl<QLabel>(group, "Label26", QStringLiteral("Open FW file")), 0, 0);
    edtFWFile = makeControl<QLineEdit>(group, "edtFWFile");
    layout->addWidget(edtFWFile, 0, 1);
    btnOpenFW = makeControl<QPushButton>(group, "btnOpenFW");
    btnOpenFW->setIcon(deferredStandardIcon(QStyle::SP_DialogOpenButton));
    layout->addWidget(btnOpenFW, 0, 2);
    btnUpgrade = makeControl<QPushButton>(group, "btnUpgrade", QStringLiteral("&Upgrade"));
    layout->addWidget(btnUpgrade, 0, 3);
    lblFWSummary = makeControl<QLabel>(group, "lblFWSummary");
    lblFWSummary->setWordWrap(true);
    lblFWSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblFWSummary, 1, 1, 1, 3);
    tsgFWProgress = makeControl<widgets::TVKGauge>(group, "tsgFWProgress");
    tsgFWProgress->setCaption(QStringLiteral("Upgrade progress"));
    tsgFWProgress->setOutLine(widgets::TVKGauge::ol3D);
    tsgFWProgress->setFrame3DTopColor(palette().color(QPalette::Shadow));
    tsgFWProgress->setFrame3DBottomColor(Qt::white);
    layout->addWidget(tsgFWProgress, 2, 0, 1, 4);
    layout->setColumnStretch(1, 1);
    return group;
}

// The merge of firmware images: part of the form, never shown or enabled.
QGroupBox* FwUpgradePage::buildMergeGroup() {
    auto* group = makeControl<QGroupBox>(this, "gbMergeFW", QStringLiteral("Merge FW"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(makeControl<QLineEdit>(group, "edtMainMCUFW"));
    layout->addWidget(makeControl<QLineEdit>(group, "edtSlaveMCU1FW"));
    markNotAvailable(group);
    group->hide();
    return group;
}

QGroupBox* FwUpgradePage::buildMessagesGroup() {
    auto* group = makeControl<QGroupBox>(this, "gbMessages", QStringLiteral("Messages"));
    auto* layout = new QVBoxLayout(group);
    mmoMessage = makeControl<QPlainTextEdit>(group, "mmoMessage");
    QPlainTextEdit* memo = mmoMessage;
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo, 1);
    auto* clear = makeControl<QPushButton>(group, "Button1", QStringLiteral("&Clear"));
    QObject::connect(clear, &QPushButton::clicked, memo, &QPlainTextEdit::clear);
    layout->addWidget(clear, 0, Qt::AlignRight);
    return group;
}

FwUpgradePage::FwUpgradePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsFWUpgrade"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildUpgradeGroup());
    layout->addWidget(buildMergeGroup());
    layout->addWidget(buildMessagesGroup(), 1);
}

QString FwUpgradePage::firmwarePath() const {
    return edtFWFile->text();
}

void FwUpgradePage::setFirmwarePath(const QString& path) {
    edtFWFile->setText(path);
    edtFWFile->setCursorPosition(static_cast<int>(path.size()));
}

void FwUpgradePage::setFileSummary(const QString& text) {
    lblFWSummary->setText(text);
}

void FwUpgradePage::addMessage(const QString& line) {
    mmoMessage->appendPlainText(line);
    mmoMessage->repaint();
}

void FwUpgradePage::showProgress(const QString& caption, int percent) {
    tsgFWProgress->setCaption(caption);
    tsgFWProgress->setProgress(percent);
}

void FwUpgradePage::setUpgrading(bool upgrading) {
    btnUpgrade->setEnabled(!upgrading);
    mmoMessage->setCursorWidth(upgrading ? 0 : 1);
}

void FwUpgradePage::showStatus(devlink::StatusPanel panel, const QString& text, bool alert) {
    emit statusShown(panel, text, alert);
}

QWidget* buildDiagnosticColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->addWidget(makeControl<QPlainTextEdit>(column, "mmoMsg"), 1);
    layout->addWidget(makeControl<QPushButton>(column, "btnStop", QStringLiteral("Stop")));
    layout->addWidget(makeControl<QPushButton>(column, "btnClear", QStringLiteral("clear")));
    markNotAvailable(column);
    column->hide();
    return column;
}

}  // namespace ui
