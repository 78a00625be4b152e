#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/mainwindow/MainWindowPages.h"
#include "ui/pages/FormParts.h"

namespace ui {

namespace {

constexpr int kGridSide = 16;
constexpr int kGridRowHeight = 20;
constexpr int kHeaderHeight = 24;

QGroupBox* modeGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral("EDID mode control"), page);
    auto* layout = new QGridLayout(group);
    layout->addWidget(makeControl<QComboBox>(group, "cbEDIDMode"), 0, 0);
    layout->addWidget(makeControl<QComboBox>(group, "cbSetEDIDModeInput"), 0, 1);
    layout->addWidget(makeControl<QPushButton>(group, "btnSetEDIDMode", QStringLiteral("&Set")), 0,
                      2);
    layout->addWidget(makeControl<QComboBox>(group, "cbCopyEDIDOutput"), 1, 0);
    layout->addWidget(makeControl<QComboBox>(group, "cbCopyEDIDInput"), 1, 1);
    layout->addWidget(makeControl<QPushButton>(group, "btnCopyEDID", QStringLiteral("&Copy")), 1,
                      2);
    return group;
}

// The last path saved to or opened; only the file dialogs change it.
QLineEdit* pathField(QWidget* group, const char* name) {
    auto* field = makeControl<QLineEdit>(group, name);
    field->setReadOnly(true);
    return field;
}

QGroupBox* dataGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral("EDID data control"), page);
    auto* layout = new QGridLayout(group);
    const QIcon save = page->style()->standardIcon(QStyle::SP_DialogSaveButton);
    const QIcon open = page->style()->standardIcon(QStyle::SP_DialogOpenButton);
    layout->addWidget(makeControl<QComboBox>(group, "cbReadEDIDDataOutput"), 0, 0);
    layout->addWidget(makeControl<QPushButton>(group, "btnReadEDIDData", QStringLiteral("&Read")),
                      0, 2);
    layout->addWidget(pathField(group, "edtSaveEDID"), 1, 0, 1, 2);
    auto* saveButton = makeControl<QPushButton>(group, "btnSaveEDID");
    saveButton->setIcon(save);
    layout->addWidget(saveButton, 1, 2);
    layout->addWidget(makeControl<QComboBox>(group, "cbDownloadEDIDInput"), 2, 0);
    layout->addWidget(
        makeControl<QPushButton>(group, "btnDownloadEDID", QStringLiteral("&Download")), 2, 2);
    layout->addWidget(pathField(group, "edtOpenEDID"), 3, 0, 1, 2);
    auto* openButton = makeControl<QPushButton>(group, "BitBtn1");
    openButton->setIcon(open);
    layout->addWidget(openButton, 3, 2);
    layout->setColumnStretch(0, 1);
    return group;
}

// Hex bytes line up in columns only in a fixed-pitch font; the hint finds one on any system.
QFont monospaced(QFont font) {
    font.setFamily(QStringLiteral("monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// 16 x 16 bytes in a monospaced font, read-only; the EDID page binding writes the header row
// and column, the cells and the decoded line under them.
QGroupBox* contentGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral("EDID content"), page);
    auto* layout = new QVBoxLayout(group);
    auto* grid = makeControl<QTableWidget>(group, "sgEDIDContent", kGridSide, kGridSide);
    grid->setFont(monospaced(grid->font()));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(kGridRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    grid->horizontalHeader()->setFixedHeight(kHeaderHeight);
    // All 256 bytes are visible at once.
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedHeight(kHeaderHeight + kGridSide * kGridRowHeight + 2 * grid->frameWidth());
    layout->addWidget(grid);
    auto* summary = makeControl<QLabel>(group, "lblEdidSummary");
    // The line keeps its place while empty, so the grid does not jump when an EDID arrives, and
    // a long line is cut rather than squeezing the left column.
    QSizePolicy policy = summary->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    policy.setRetainSizeWhenHidden(true);
    summary->setSizePolicy(policy);
    summary->setVisible(false);
    layout->addWidget(summary);
    layout->addWidget(
        makeControl<QPushButton>(group, "btnClearEDIDContent", QStringLiteral("C&lear")), 0,
        Qt::AlignRight);
    layout->addStretch(1);
    return group;
}

}  // namespace

QWidget* buildEdidPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsEDIDCtrl"));
    auto* layout = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    left->addWidget(modeGroup(page));
    left->addWidget(dataGroup(page));
    left->addStretch(1);
    layout->addLayout(left, 2);
    layout->addWidget(contentGroup(page), 3);
    return page;
}

}  // namespace ui
