#include "ui/pages/edid/EdidPageView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "ui/pages/RequiredChild.h"

namespace ui {

EdidPageView::EdidPageView(const QWidget& page, StatusWriter showStatus)
    : showStatus_(std::move(showStatus)),
      lists_{requiredChild<QComboBox>(page, "cbEDIDMode"),
             requiredChild<QComboBox>(page, "cbSetEDIDModeInput"),
             requiredChild<QComboBox>(page, "cbCopyEDIDOutput"),
             requiredChild<QComboBox>(page, "cbCopyEDIDInput"),
             requiredChild<QComboBox>(page, "cbReadEDIDDataOutput"),
             requiredChild<QComboBox>(page, "cbDownloadEDIDInput")},
      grid_(requiredChild<QTableWidget>(page, "sgEDIDContent")),
      summary_(requiredChild<QLabel>(page, "lblEdidSummary")),
      savePath_(requiredChild<QLineEdit>(page, "edtSaveEDID")),
      openPath_(requiredChild<QLineEdit>(page, "edtOpenEDID")) {}

QComboBox* EdidPageView::list(EdidList list) const {
    return lists_[static_cast<std::size_t>(list)];
}

void EdidPageView::setListEntries(EdidList which, const QStringList& entries) {
    QComboBox* box = list(which);
    box->clear();
    box->addItems(entries);
}

QStringList EdidPageView::listEntries(EdidList which) const {
    const QComboBox* box = list(which);
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
    return entries;
}

int EdidPageView::selectedIndex(EdidList which) const {
    return list(which)->currentIndex();
}

void EdidPageView::setSelectedIndex(EdidList which, int index) {
    list(which)->setCurrentIndex(index);
}

void EdidPageView::setGridHeaders(const QStringList& columns, const QStringList& rows) {
    grid_->setHorizontalHeaderLabels(columns);
    grid_->setVerticalHeaderLabels(rows);
}

void EdidPageView::setGridCells(const QStringList& cells) {
    const int columns = grid_->columnCount();
    for (int i = 0; i < cells.size() && i < grid_->rowCount() * columns; ++i) {
        QTableWidgetItem* cell = grid_->item(i / columns, i % columns);
        if (!cell) {
            cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            grid_->setItem(i / columns, i % columns, cell);
        }
        cell->setText(cells[i]);
    }
}

QStringList EdidPageView::gridCells() const {
    QStringList cells;
    for (int row = 0; row < grid_->rowCount(); ++row) {
        for (int column = 0; column < grid_->columnCount(); ++column) {
            const QTableWidgetItem* cell = grid_->item(row, column);
            cells << (cell ? cell->text() : QString());
        }
    }
    return cells;
}

void EdidPageView::setSummary(const QString& text) {
    summary_->setText(text);
    summary_->setVisible(!text.isEmpty());
}

QString EdidPageView::savePath() const {
    return savePath_->text();
}

// QLineEdit::setText leaves the caret at the end of the new text.
void EdidPageView::setSavePath(const QString& path) {
    savePath_->setText(path);
}

QString EdidPageView::openPath() const {
    return openPath_->text();
}

void EdidPageView::setOpenPath(const QString& path) {
    openPath_->setText(path);
}

void EdidPageView::showStatus(int panel, const QString& text, bool alert) {
    showStatus_(panel, text, alert);
}

}  // namespace ui
