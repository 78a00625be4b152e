#include <gtest/gtest.h>

#include <QComboBox>
#include <QStandardItemModel>

#include "ui/pages/FormParts.h"

namespace {

// Counts how often the list's texts are read: a list that compares every new item with the
// ones already in it reads them n * n / 2 times.
class CountingModel final : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    QVariant data(const QModelIndex& index, int role) const override {
        ++reads;
        return QStandardItemModel::data(index, role);
    }
    mutable qint64 reads = 0;
};

QStringList itemsOf(const QComboBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) items << list.itemText(i);
    return items;
}

TEST(SortedItems, KeepTheOrderOfOneAddSortedAfterAnother) {
    QComboBox list;
    list.addItem(QStringLiteral("old"));
    ui::setSortedItems(&list, {"b", "", "A", "a", "B", "b", "a", "c"});
    EXPECT_EQ(itemsOf(list), (QStringList{"A", "a", "b", "B", "c"}));
}

TEST(SortedItems, ALongListIsNotComparedItemByItem) {
    QComboBox list;
    auto* model = new CountingModel(&list);
    list.setModel(model);
    QStringList texts;
    constexpr int kCount = 2000;
    for (int i = 0; i < kCount; ++i)
        texts << QStringLiteral("[Room %1]").arg(i, 5, 10, QChar(u'0'));
    ui::setSortedItems(&list, texts);
    EXPECT_LT(model->reads, 20 * kCount);
    EXPECT_EQ(itemsOf(list), texts);
}

}  // namespace
