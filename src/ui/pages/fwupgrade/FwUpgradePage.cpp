#include "ui/pages/fwupgrade/FwUpgradePage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/pages/DeferredIcon.h"
#include "ui/pages/FormParts.h"

namespace ui {

QGroupBox* FwUpgradePage::buildUpgradeGroup() {
    QWidget* page = this;
    auto* group = makeControl<QGroupBox>(page, "gbFWUpgrade", QStringLiteral("FW upgrade"));
    auto* layout = new QGridLayout(group);
    layout->addWidget(makeControl<QLabel>(group, "Label26", QStringLiteral("Open FW file")), 0, 0);
    edtFWFile = makeControl<QLineEdit>(group, "edtFWFile");
    markNotAvailable(edtFWFile);
    layout->addWidget(edtFWFile, 0, 1);
    btnOpenFW = makeControl<QPushButton>(group, "btnOpenFW");
    btnOpenFW->setIcon(deferredStandardIcon(QStyle::SP_DialogOpenButton));
    markNotAvailable(btnOpenFW);
    layout->addWidget(btnOpenFW, 0, 2);
    btnUpgrade = makeControl<QPushButton>(group, "btnUpgrade", QStringLiteral("&Upgrade"));
    markNotAvailable(btnUpgrade);
    layout->addWidget(btnUpgrade, 0, 3);
    tsgFWProgress = makeControl<QProgressBar>(group, "tsgFWProgress");
    tsgFWProgress->setRange(0, 100);
    tsgFWProgress->setValue(0);
    tsgFWProgress->setFormat(QStringLiteral("Upgrade progress"));
    tsgFWProgress->setAlignment(Qt::AlignCenter);
    layout->addWidget(tsgFWProgress, 1, 0, 1, 4);
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
