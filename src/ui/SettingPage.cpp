#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "FormParts.h"
#include "MainWindowPages.h"

namespace ui {

namespace {

// One output of the routing view: input buttons "1" to "8" in two rows, then the arrows.
QGroupBox* outputGroup(QWidget* parent, int output) {
    auto* group = new QGroupBox(QStringLiteral("Output%1").arg(output), parent);
    group->setObjectName(output == 1 ? QStringLiteral("gbOutput1")
                                     : QStringLiteral("GroupBox%1").arg(output));
    auto* layout = new QGridLayout(group);
    for (int input = 1; input <= 8; ++input) {
        auto* button = new QPushButton(QString::number(input), group);
        button->setFixedSize(32, 28);
        button->setVisible(input <= 6);
        layout->addWidget(button, (input - 1) / 4, (input - 1) % 4);
    }
    layout->addWidget(new QPushButton(QStringLiteral("<"), group), 2, 0, 1, 2);
    layout->addWidget(new QPushButton(QStringLiteral(">"), group), 2, 2, 1, 2);
    markNotAvailable(group);
    group->setVisible(output <= 6);
    return group;
}

QGroupBox* presetGroup(QWidget* page) {
    auto* group = new QGroupBox(QStringLiteral("Pre-Settings"), page);
    auto* layout = new QHBoxLayout(group);
    auto* list = makeControl<QTreeWidget>(group, "lvPreSetting");
    QStringList columns{QStringLiteral("Name")};
    for (int output = 1; output <= 6; ++output) columns << QStringLiteral("Output%1").arg(output);
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->header()->setDefaultAlignment(Qt::AlignCenter);
    markNotAvailable(list);
    layout->addWidget(list, 1);
    auto* buttons = new QVBoxLayout;
    for (const auto& [name, caption] :
         {std::pair{"btnPreEdit", "&Edit"}, std::pair{"btnSet", "&Set"}}) {
        auto* button = makeControl<QPushButton>(group, name, QLatin1String(caption));
        markNotAvailable(button);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return group;
}

}  // namespace

QWidget* buildSettingPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsSetting"));
    auto* layout = new QVBoxLayout(page);
    auto* outputs = new QHBoxLayout;
    for (int output = 1; output <= 8; ++output) outputs->addWidget(outputGroup(page, output));
    layout->addLayout(outputs);
    auto* note = makeControl<QLabel>(page, "lblNote", QStringLiteral("Output from Input"));
    setBold(note);
    layout->addWidget(note);
    layout->addWidget(presetGroup(page), 1);
    return page;
}

}  // namespace ui
