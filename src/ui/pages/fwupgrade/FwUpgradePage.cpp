#include "ui/pages/fwupgrade/FwUpgradePage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

#include "ui/pages/DeferredIcon.h"
#include "ui/pages/FormParts.h"
#include "ui/presenters/Dialogs.h"
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

// The merge of firmware images: part of the form, never shown or enabled; fw-merge does the
// merge instead.
QGroupBox* FwUpgradePage::buildMergeGroup() {
    struct McuRow {
        const char* label;
        const char* path;
        const char* open;
        int tag;
        const char* version1;
        const char* caption1;
        const char* version2;
        const char* caption2;
    };
    static constexpr McuRow kRows[] = {
        {"Open Main MCU FW", "edtMainMCUFW", "btnOpenMain", 1, "leMainFWVer1", "Main Ver1",
         "leMainFWVer2", "Main Ver2"},
        {"Open Slave MCU1 FW", "edtSlaveMCU1FW", "btnOpenSlave1", 11, "leSlave1FWVer1",
         "Slave Ver1", "leSlave1FWVer2", "Slave Ver2"},
        {"Open IR MCU2 FW", "edtSlaveMCU2FW", "btnOpenSlave2", 12, "leSlave2FWVer1", "IR Ver1",
         "leSlave2FWVer2", "IR Ver2"},
        {"Open Panel MCU3 FW", "edtSlaveMCU3FW", "btnOpenSlave3", 13, "leSlave3FWVer1",
         "Panel Ver1", "leSlave3FWVer2", "Panel Ver2"},
    };
    auto* group = makeControl<QGroupBox>(this, "gbMergeFW", QStringLiteral("Merge FW"));
    auto* layout = new QGridLayout(group);
    int row = 0;
    for (const McuRow& mcu : kRows) {
        layout->addWidget(new QLabel(QLatin1String(mcu.label), group), row, 0);
        auto* path = makeControl<QLineEdit>(group, mcu.path);
        path->setProperty("Tag", mcu.tag);
        layout->addWidget(path, row, 1);
        auto* open = makeControl<QPushButton>(group, mcu.open);
        open->setProperty("Tag", mcu.tag);
        layout->addWidget(open, row, 2);
        int column = 3;
        for (const auto& [name, caption] :
             {std::pair{mcu.version1, mcu.caption1}, std::pair{mcu.version2, mcu.caption2}}) {
            layout->addWidget(new QLabel(QLatin1String(caption), group), row, column++);
            auto* version = makeControl<QLineEdit>(group, name);
            version->setMaxLength(3);
            layout->addWidget(version, row, column++);
        }
        ++row;
    }
    layout->addWidget(makeControl<QPushButton>(group, "btnMerge", QStringLiteral("&Merge")), row,
                      2);
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
    connect(btnOpenFW, &QPushButton::clicked, this, &FwUpgradePage::openRequested);
    connect(btnUpgrade, &QPushButton::clicked, this, &FwUpgradePage::upgradeRequested);
    connect(edtFWFile, &QLineEdit::editingFinished, this, &FwUpgradePage::pathEdited);
}

void FwUpgradePage::reportProgressErrorsTo(Dialogs& dialogs) {
    tsgFWProgress->setErrorReporter([&dialogs](const QString& message) { dialogs.error(message); });
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

// The reboot wait animates one line "System rebooting, please wait ..." by replacing it.
void FwUpgradePage::addRebootLine(const QString& text, bool mayReplaceRebooting) {
    const QTextBlock last = mmoMessage->document()->lastBlock();
    if (mayReplaceRebooting && last.text().contains(QStringLiteral("System rebooting"))) {
        QTextCursor cursor(last);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(text);
    } else {
        mmoMessage->appendPlainText(text);
    }
    mmoMessage->repaint();
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
