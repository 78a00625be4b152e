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

#include "FormParts.h"
#include "MainWindowPages.h"

namespace ui {

namespace {

// The form's list; window creation deletes the last entry.
const char* const kEdidModes[] = {
    "Select EDID",
    "1080i, Stereo Audio 2.0",
    "1080i, Dolby/DTS 5.1",
    "1080i, HD Audio 7.1",
    "1080p, Stereo Audio 2.0",
    "1080p, Dolby/DTS 5.1",
    "1080p, HD Audio 7.1",
    "3D, Stereo Audio 2.0",
    "3D, Dolby/DTS 5.1",
    "3D, HD Audio 7.1",
    "4K2K, Stereo Audio 2.0",
    "4K2K, Dolby/DTS 5.1",
    "4K2K, HD Audio 7.1",
    "1024x768 DVI",
    "1920x1080 DVI",
    "1920x1200 DVI",
    "User1",
    "User2",
    "Default EDID",
    "Auto EDID",
};

constexpr int kGridRowHeight = 20;

template <class W, class... Args>
W* unavailable(QWidget* parent, const char* name, Args&&... args) {
    auto* control = makeControl<W>(parent, name, std::forward<Args>(args)...);
    markNotAvailable(control);
    return control;
}

QGroupBox* modeGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral("EDID mode control"), page);
    auto* layout = new QGridLayout(group);
    auto* modes = unavailable<QComboBox>(group, "cbEDIDMode");
    for (const char* mode : kEdidModes) modes->addItem(QLatin1String(mode));
    layout->addWidget(modes, 0, 0);
    layout->addWidget(unavailable<QComboBox>(group, "cbSetEDIDModeInput"), 0, 1);
    layout->addWidget(unavailable<QPushButton>(group, "btnSetEDIDMode", QStringLiteral("&Set")), 0,
                      2);
    layout->addWidget(unavailable<QComboBox>(group, "cbCopyEDIDOutput"), 1, 0);
    layout->addWidget(unavailable<QComboBox>(group, "cbCopyEDIDInput"), 1, 1);
    layout->addWidget(unavailable<QPushButton>(group, "btnCopyEDID", QStringLiteral("&Copy")), 1,
                      2);
    return group;
}

QGroupBox* dataGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral("EDID data control"), page);
    auto* layout = new QGridLayout(group);
    const QIcon save = page->style()->standardIcon(QStyle::SP_DialogSaveButton);
    const QIcon open = page->style()->standardIcon(QStyle::SP_DialogOpenButton);
    layout->addWidget(unavailable<QComboBox>(group, "cbReadEDIDDataOutput"), 0, 0);
    layout->addWidget(unavailable<QPushButton>(group, "btnReadEDIDData", QStringLiteral("&Read")),
                      0, 2);
    layout->addWidget(unavailable<QLineEdit>(group, "edtSaveEDID"), 1, 0, 1, 2);
    auto* saveButton = unavailable<QPushButton>(group, "btnSaveEDID");
    saveButton->setIcon(save);
    layout->addWidget(saveButton, 1, 2);
    layout->addWidget(unavailable<QComboBox>(group, "cbDownloadEDIDInput"), 2, 0);
    layout->addWidget(
        unavailable<QPushButton>(group, "btnDownloadEDID", QStringLiteral("&Download")), 2, 2);
    layout->addWidget(unavailable<QLineEdit>(group, "edtOpenEDID"), 3, 0, 1, 2);
    auto* openButton = unavailable<QPushButton>(group, "BitBtn1");
    openButton->setIcon(open);
    layout->addWidget(openButton, 3, 2);
    layout->setColumnStretch(0, 1);
    return group;
}

// 16 x 16 bytes under a header row "0" .. "F" and a header column "00" .. "F0", all empty.
QGroupBox* contentGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral("EDID content"), page);
    auto* layout = new QVBoxLayout(group);
    auto* grid = unavailable<QTableWidget>(group, "sgEDIDContent", 16, 16);
    QStringList columns;
    QStringList rows;
    for (int i = 0; i < 16; ++i) {
        columns << QString::number(i, 16).toUpper();
        rows << QString::number(i * 16, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    grid->setHorizontalHeaderLabels(columns);
    grid->setVerticalHeaderLabels(rows);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    // All 256 bytes are visible at once.
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() + 16 * kGridRowHeight +
                           2 * grid->frameWidth());
    layout->addWidget(grid, 1);
    layout->addWidget(
        unavailable<QPushButton>(group, "btnClearEDIDContent", QStringLiteral("C&lear")), 0,
        Qt::AlignRight);
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
