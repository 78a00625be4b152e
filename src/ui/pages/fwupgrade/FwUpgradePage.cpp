#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/mainwindow/MainWindowPages.h"
#include "ui/pages/FormParts.h"

namespace ui {

namespace {

QGroupBox* upgradeGroup(QWidget* page) {
    auto* group = makeControl<QGroupBox>(page, "gbFWUpgrade", QStringLiteral("FW upgrade"));
    auto* layout = new QGridLayout(group);
    layout->addWidget(makeControl<QLabel>(group, "Label26", QStringLiteral("Open FW file")), 0, 0);
    auto* file = makeControl<QLineEdit>(group, "edtFWFile");
    markNotAvailable(file);
    layout->addWidget(file, 0, 1);
    auto* open = makeControl<QPushButton>(group, "btnOpenFW");
    open->setIcon(page->style()->standardIcon(QStyle::SP_DialogOpenButton));
    markNotAvailable(open);
    layout->addWidget(open, 0, 2);
    auto* upgrade = makeControl<QPushButton>(group, "btnUpgrade", QStringLiteral("&Upgrade"));
    markNotAvailable(upgrade);
    layout->addWidget(upgrade, 0, 3);
    auto* progress = makeControl<QProgressBar>(group, "tsgFWProgress");
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setFormat(QStringLiteral("Upgrade progress"));
    progress->setAlignment(Qt::AlignCenter);
    layout->addWidget(progress, 1, 0, 1, 4);
    layout->setColumnStretch(1, 1);
    return group;
}

// The merge of firmware images: part of the form, never shown or enabled.
QGroupBox* mergeGroup(QWidget* page) {
    auto* group = makeControl<QGroupBox>(page, "gbMergeFW", QStringLiteral("Merge FW"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(makeControl<QLineEdit>(group, "edtMainMCUFW"));
    layout->addWidget(makeControl<QLineEdit>(group, "edtSlaveMCU1FW"));
    markNotAvailable(group);
    group->hide();
    return group;
}

QGroupBox* messagesGroup(QWidget* page) {
    auto* group = makeControl<QGroupBox>(page, "gbMessages", QStringLiteral("Messages"));
    auto* layout = new QVBoxLayout(group);
    auto* memo = makeControl<QPlainTextEdit>(group, "mmoMessage");
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

}  // namespace

QWidget* buildFwUpgradePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsFWUpgrade"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(upgradeGroup(page));
    layout->addWidget(mergeGroup(page));
    layout->addWidget(messagesGroup(page), 1);
    return page;
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
