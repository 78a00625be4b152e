#include "ui/pages/edid/EdidPage.h"

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
#include <array>

#include "ui/pages/DeferredIcon.h"
#include "ui/pages/FormParts.h"

namespace ui {

namespace {

constexpr int kGridSide = 16;
constexpr int kGridRowHeight = 20;
constexpr int kHeaderHeight = 24;

// The last path saved to or opened; only the file dialogs change it.
QLineEdit* pathField(QWidget* group, const char* name) {
    auto* field = makeControl<QLineEdit>(group, name);
    field->setReadOnly(true);
    return field;
}

// Hex bytes line up in columns only in a fixed-pitch font; the hint finds one on any system.
QFont monospaced(QFont font) {
    font.setFamily(QStringLiteral("monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

QGroupBox* EdidPage::buildModeGroup() {
    QWidget* page = this;
    auto* group = new QGroupBox(QStringLiteral("EDID mode control"), page);
    auto* layout = new QGridLayout(group);
    layout->addWidget(cbEDIDMode = makeControl<QComboBox>(group, "cbEDIDMode"), 0, 0);
    layout->addWidget(cbSetEDIDModeInput = makeControl<QComboBox>(group, "cbSetEDIDModeInput"), 0,
                      1);
    layout->addWidget(
        btnSetEDIDMode = makeControl<QPushButton>(group, "btnSetEDIDMode", QStringLiteral("&Set")),
        0, 2);
    layout->addWidget(cbCopyEDIDOutput = makeControl<QComboBox>(group, "cbCopyEDIDOutput"), 1, 0);
    layout->addWidget(cbCopyEDIDInput = makeControl<QComboBox>(group, "cbCopyEDIDInput"), 1, 1);
    layout->addWidget(
        btnCopyEDID = makeControl<QPushButton>(group, "btnCopyEDID", QStringLiteral("&Copy")), 1,
        2);
    return group;
}

QGroupBox* EdidPage::buildDataGroup() {
    QWidget* page = this;
    auto* group = new QGroupBox(QStringLiteral("EDID data control"), page);
    auto* layout = new QGridLayout(group);
    const QIcon save = deferredStandardIcon(QStyle::SP_DialogSaveButton);
    const QIcon open = deferredStandardIcon(QStyle::SP_DialogOpenButton);
    layout->addWidget(cbReadEDIDDataOutput = makeControl<QComboBox>(group, "cbReadEDIDDataOutput"),
                      0, 0);
    layout->addWidget(btnReadEDIDData = makeControl<QPushButton>(group, "btnReadEDIDData",
                                                                 QStringLiteral("&Read")),
                      0, 2);
    layout->addWidget(edtSaveEDID = pathField(group, "edtSaveEDID"), 1, 0, 1, 2);
    btnSaveEDID = makeControl<QPushButton>(group, "btnSaveEDID");
    btnSaveEDID->setIcon(save);
    layout->addWidget(btnSaveEDID, 1, 2);
    layout->addWidget(cbDownloadEDIDInput = makeControl<QComboBox>(group, "cbDownloadEDIDInput"), 2,
                      0);
    layout->addWidget(btnDownloadEDID = makeControl<QPushButton>(group, "btnDownloadEDID",
                                                                 QStringLiteral("&Download")),
                      2, 2);
    layout->addWidget(edtOpenEDID = pathField(group, "edtOpenEDID"), 3, 0, 1, 2);
    BitBtn1 = makeControl<QPushButton>(group, "BitBtn1");
    BitBtn1->setIcon(open);
    layout->addWidget(BitBtn1, 3, 2);
    layout->setColumnStretch(0, 1);
    return group;
}

// 16 x 16 bytes in a monospaced font, read-only; the EDID page binding writes the header row
// and column, the cells and the decoded line under them.
QGroupBox* EdidPage::buildContentGroup() {
    QWidget* page = this;
    auto* group = new QGroupBox(QStringLiteral("EDID content"), page);
    auto* layout = new QVBoxLayout(group);
    sgEDIDContent = makeControl<QTableWidget>(group, "sgEDIDContent", kGridSide, kGridSide);
    sgEDIDContent->setFont(monospaced(sgEDIDContent->font()));
    sgEDIDContent->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgEDIDContent->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sgEDIDContent->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgEDIDContent->verticalHeader()->setMinimumSectionSize(kGridRowHeight);
    sgEDIDContent->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    sgEDIDContent->horizontalHeader()->setFixedHeight(kHeaderHeight);
    // All 256 bytes are visible at once.
    sgEDIDContent->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgEDIDContent->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgEDIDContent->setFixedHeight(kHeaderHeight + kGridSide * kGridRowHeight +
                                  2 * sgEDIDContent->frameWidth());
    layout->addWidget(sgEDIDContent);
    lblEdidSummary = makeControl<QLabel>(group, "lblEdidSummary");
    // The line keeps its place while empty, so the grid does not jump when an EDID arrives, and
    // a long line is cut rather than squeezing the left column.
    QSizePolicy policy = lblEdidSummary->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    policy.setRetainSizeWhenHidden(true);
    lblEdidSummary->setSizePolicy(policy);
    lblEdidSummary->setVisible(false);
    layout->addWidget(lblEdidSummary);
    layout->addWidget(btnClearEDIDContent = makeControl<QPushButton>(group, "btnClearEDIDContent",
                                                                     QStringLiteral("C&lear")),
                      0, Qt::AlignRight);
    layout->addStretch(1);
    return group;
}

EdidPage::EdidPage(QWidget* parent) : QWidget(parent) {
    QWidget* page = this;
    page->setObjectName(QStringLiteral("tsEDIDCtrl"));
    auto* layout = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    left->addWidget(buildModeGroup());
    left->addWidget(buildDataGroup());
    left->addStretch(1);
    layout->addLayout(left, 2);
    layout->addWidget(buildContentGroup(), 3);
    const std::pair<QPushButton*, void (EdidPage::*)()> requests[] = {
        {btnSetEDIDMode, &EdidPage::setModeRequested},
        {btnCopyEDID, &EdidPage::copyRequested},
        {btnReadEDIDData, &EdidPage::readRequested},
        {btnDownloadEDID, &EdidPage::downloadRequested},
        {btnSaveEDID, &EdidPage::saveRequested},
        {BitBtn1, &EdidPage::openRequested},
        {btnClearEDIDContent, &EdidPage::clearRequested},
    };
    for (const auto& [button, request] : requests) {
        connect(button, &QPushButton::clicked, this, request);
    }
}

QComboBox* EdidPage::list(EdidList list) const {
    const std::array<QComboBox*, 6> lists = {cbEDIDMode,           cbSetEDIDModeInput,
                                             cbCopyEDIDOutput,     cbCopyEDIDInput,
                                             cbReadEDIDDataOutput, cbDownloadEDIDInput};
    return lists[static_cast<std::size_t>(list)];
}

void EdidPage::setListEntries(EdidList which, const QStringList& entries) {
    QComboBox* box = list(which);
    box->clear();
    box->addItems(entries);
}

QStringList EdidPage::listEntries(EdidList which) const {
    const QComboBox* box = list(which);
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
    return entries;
}

int EdidPage::selectedIndex(EdidList which) const {
    return list(which)->currentIndex();
}

void EdidPage::setSelectedIndex(EdidList which, int index) {
    list(which)->setCurrentIndex(index);
}

void EdidPage::setGridHeaders(const QStringList& columns, const QStringList& rows) {
    sgEDIDContent->setHorizontalHeaderLabels(columns);
    sgEDIDContent->setVerticalHeaderLabels(rows);
}

void EdidPage::setGridCells(const QStringList& cells) {
    const int columns = sgEDIDContent->columnCount();
    for (int i = 0; i < cells.size() && i < sgEDIDContent->rowCount() * columns; ++i) {
        QTableWidgetItem* cell = sgEDIDContent->item(i / columns, i % columns);
        if (!cell) {
            cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            sgEDIDContent->setItem(i / columns, i % columns, cell);
        }
        cell->setText(cells[i]);
    }
}

QStringList EdidPage::gridCells() const {
    QStringList cells;
    for (int row = 0; row < sgEDIDContent->rowCount(); ++row) {
        for (int column = 0; column < sgEDIDContent->columnCount(); ++column) {
            const QTableWidgetItem* cell = sgEDIDContent->item(row, column);
            cells << (cell ? cell->text() : QString());
        }
    }
    return cells;
}

void EdidPage::setSummary(const QString& text) {
    lblEdidSummary->setText(text);
    lblEdidSummary->setVisible(!text.isEmpty());
}

QString EdidPage::savePath() const {
    return edtSaveEDID->text();
}

// QLineEdit::setText leaves the caret at the end of the new text.
void EdidPage::setSavePath(const QString& path) {
    edtSaveEDID->setText(path);
}

QString EdidPage::openPath() const {
    return edtOpenEDID->text();
}

void EdidPage::setOpenPath(const QString& path) {
    edtOpenEDID->setText(path);
}

void EdidPage::showStatus(devlink::StatusPanel panel, const QString& text, bool alert) {
    emit statusShown(panel, text, alert);
}

}  // namespace ui
