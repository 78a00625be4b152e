#include <gtest/gtest.h>

#include <QComboBox>
#include <QStandardItemModel>

#include "ui/pages/FormParts.h"

namespace {

// Counts reads of the items' texts: adding item by item in order reads them n * n / 2 times.
class CountingModel final : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    QVariant data(const QModelIndex& index, int role) const override {
        ++reads;
        return QStandardItemModel::data(index, role);
    }
    mutable qint64 reads = 0;
};

TEST(SortedItems, ALongListIsSortedOnceInTheOrderOfOneAddSortedAfterAnother) {
    QComboBox list;
    auto* model = new CountingModel(&list);
    list.setModel(model);
    list.addItem(QStringLiteral("old"));
    QStringList texts{"b", "", "A", "a", "B", "b", "a"};
    for (int i = 0; i < 2000; ++i) texts << QStringLiteral("c%1").arg(i, 4, 10, QChar(u'0'));
    model->reads = 0;
    ui::setSortedItems(&list, texts);
    EXPECT_LT(model->reads, 20 * texts.size());
    QStringList items;
    for (int i = 0; i < list.count(); ++i) items << list.itemText(i);
    EXPECT_EQ(items, QStringList({"A", "a", "b", "B"}) + texts.mid(7));
}

}  // namespace
