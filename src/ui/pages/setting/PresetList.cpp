#include "ui/pages/setting/PresetList.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

namespace ui {

namespace {

constexpr int kNameWidth = 125;
constexpr int kOutputWidth = 90;

void setCell(QTableWidget& list, int row, int column, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    list.setItem(row, column, item);
}

}  // namespace

PresetList::PresetList(QTableWidget& list) : lvPreSetting_(&list) {}

void PresetList::windowShown() {
    QHeaderView* header = lvPreSetting_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setStretchLastSection(false);
    for (int column = 0; column < lvPreSetting_->columnCount(); ++column) {
        lvPreSetting_->setColumnWidth(column, column == 0 ? kNameWidth : kOutputWidth);
    }
}

int PresetList::selectedRow() const {
    const auto rows = lvPreSetting_->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().row() + 1;
}

void PresetList::showPresetRow(int row, const QString& name, const QStringList& cells) {
    if (lvPreSetting_->rowCount() < row) lvPreSetting_->setRowCount(row);
    setCell(*lvPreSetting_, row - 1, 0, name);
    // Cells beyond the list's columns are kept by the presenter, not shown.
    const int shown = std::min<int>(cells.size(), lvPreSetting_->columnCount() - 1);
    for (int column = 1; column < lvPreSetting_->columnCount(); ++column) {
        setCell(*lvPreSetting_, row - 1, column, column <= shown ? cells[column - 1] : QString());
    }
}

void PresetList::selectPresetRow(int row) {
    lvPreSetting_->selectRow(row - 1);
}

}  // namespace ui
