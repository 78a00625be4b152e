#include "ui/pages/setting/SettingPage.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/pages/FormParts.h"
#include "ui/pages/PortControls.h"
#include "ui/pages/setting/OutputGroupStyle.h"
#include "ui/pages/setting/PresetList.h"
#include "ui/pages/setting/RoutingPanel.h"
#include "widgets/Lcd99.h"

namespace ui {

namespace {

constexpr int kDesignInput = 6;
constexpr int kHiddenDesignInput = 8;

// The designer's names: input buttons numbered across the outputs, arrows in a series of
// their own that starts with output 1's pair.
QString inputButtonName(int output, int input) {
    const int number = (output - 1) * 8 + input;
    return number == 1 ? QStringLiteral("sbSetInput") : QStringLiteral("SpeedButton%1").arg(number);
}

QString arrowButtonName(int tag) {
    if (tag == 1) return QStringLiteral("sbPrevious");
    if (tag == 2) return QStringLiteral("sbNext");
    return QStringLiteral("SpeedButton%1").arg(tag == 3 ? 1 : 61 + tag);
}

// The digit display as the form designer leaves it; the window shows one digit (FormShow).
widgets::TLCD99* digitDisplay(QWidget* group, int output) {
    auto* led = new widgets::TLCD99(group);
    led->setObjectName(QStringLiteral("LED%1").arg(output));
    setTag(led, output);
    led->setFixedSize(81, 89);
    led->setColor(Qt::black);
    led->setOnColor(Qt::red);
    led->setOffColor(Qt::black);
    led->setSegmentSize(10);
    led->setGapX(3);
    led->setGapY(3);
    led->setDigitNum(4);
    led->setValue(QString::number(output <= 6 ? kDesignInput : kHiddenDesignInput));
    return led;
}

// The output an input button belongs to; 0 for an arrow.
int groupIndexOf(const QObject* button) {
    return button->property("GroupIndex").toInt();
}

QPushButton* routeButton(QWidget* group, const QString& name, const QString& caption,
                         int groupIndex, int tag) {
    auto* button = new QPushButton(caption, group);
    button->setObjectName(name);
    button->setProperty("GroupIndex", groupIndex);
    setTag(button, tag);
    button->setFixedSize(32, 28);
    button->setMouseTracking(true);
    return button;
}

}  // namespace

// One output of the routing view: the digits, input buttons "1" to "8" in two rows (a radio
// group, "7" and "8" hidden), then the previous and next arrows.
QGroupBox* SettingPage::buildOutputGroup(int output, const RouteArrowIcons& arrows) {
    QWidget* parent = this;
    auto* group = new QGroupBox(QStringLiteral("Output%1").arg(output), parent);
    routing_.outputGroups[output - 1] = group;
    group->setObjectName(output == 1 ? QStringLiteral("gbOutput1")
                                     : QStringLiteral("GroupBox%1").arg(output));
    auto* layout = new QGridLayout(group);
    routing_.leds[output - 1] = digitDisplay(group, output);
    layout->addWidget(routing_.leds[output - 1], 0, 0, 1, 4, Qt::AlignHCenter);
    auto* radio = new QButtonGroup(group);
    radio->setExclusive(true);
    for (int input = 1; input <= 8; ++input) {
        auto* button = routeButton(group, inputButtonName(output, input), QString::number(input),
                                   output, input);
        button->setCheckable(true);
        button->setChecked(input == kDesignInput);
        button->setVisible(input <= 6);
        radio->addButton(button, input);
        routing_.inputButtons[output - 1][input - 1] = button;
        bindRouteButton(button);
        layout->addWidget(button, 1 + (input - 1) / 4, (input - 1) % 4);
    }
    const auto arrow = [&](int tag, const QIcon& picture) {
        auto* button = routeButton(group, arrowButtonName(tag), QString(), 0, tag);
        button->setIcon(picture);
        button->setFixedWidth(68);
        bindRouteButton(button);
        return button;
    };
    layout->addWidget(arrow(2 * output - 1, arrows.previous), 3, 0, 1, 2, Qt::AlignLeft);
    layout->addWidget(arrow(2 * output, arrows.next), 3, 2, 1, 2, Qt::AlignRight);
    group->setVisible(output <= 6);
    return group;
}

// The input buttons' menu; "All Outputs" carries 8 until the window is shown.
void SettingPage::buildRouteMenu() {
    pm = makeControl<QMenu>(this, "pm");
    QMenu* menu = pm;
    const auto item = [menu](const char* name, const QString& caption, int tag) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        setTag(action, tag);
        return action;
    };
    routing_.mnuAllOutputs = item("mnuAllOutputs", QStringLiteral("All Outputs"), 8);
    menu->addSeparator();
    item("mnu1Output", QStringLiteral("1 Output"), 1);
    item("mnu2Outputs", QStringLiteral("2 Outputs"), 2);
    item("mnu3Outputs", QStringLiteral("3 Outputs"), 3);
    item("mnu4Outputs", QStringLiteral("4 Outputs"), 4);
    item("mnu5Outputs", QStringLiteral("5 Outputs"), 5);
    item("mnuPortToPort", QStringLiteral("Port to Port"), 100);
    connect(menu, &QMenu::aboutToShow, this, &SettingPage::routeMenuOpened);
    connect(menu, &QMenu::triggered, this,
            [this](const QAction* chosen) { emit routeMenuChosen(tagOf(chosen)); });
}

QTableWidget* SettingPage::buildPresetList(QWidget* group) {
    auto* list = makeControl<QTableWidget>(group, "lvPreSetting", 0, 7);
    QStringList columns{QStringLiteral("Name")};
    for (int output = 1; output <= 6; ++output) columns << QStringLiteral("Output%1").arg(output);
    list->setHorizontalHeaderLabels(columns);
    list->verticalHeader()->hide();
    // Report-view rows: all eight fit without scrolling.
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setShowGrid(true);
    list->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // The selection stays visible while another control has the focus.
    QPalette palette = list->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    list->setPalette(palette);
    return list;
}

QGroupBox* SettingPage::buildPresetGroup() {
    QWidget* page = this;
    auto* group = new QGroupBox(QStringLiteral("Pre-Settings"), page);
    auto* layout = new QHBoxLayout(group);
    lvPreSetting = buildPresetList(group);
    layout->addWidget(lvPreSetting, 1);
    auto* buttons = new QVBoxLayout;
    btnPreEdit = makeControl<QPushButton>(group, "btnPreEdit", QStringLiteral("&Edit"));
    buttons->addWidget(btnPreEdit);
    btnSet = makeControl<QPushButton>(group, "btnSet", QStringLiteral("&Set"));
    buttons->addWidget(btnSet);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return group;
}

SettingPage::SettingPage(TabWindow& window, QWidget* parent) : QWidget(parent) {
    QWidget* page = this;
    page->setObjectName(QStringLiteral("tsSetting"));
    auto* layout = new QVBoxLayout(page);
    page->setStyleSheet(outputGroupStyleSheet());
    const RouteArrowIcons arrows = routeArrowIcons();
    auto* outputs = new QHBoxLayout;
    for (int output = 1; output <= kOutputs; ++output) {
        outputs->addWidget(buildOutputGroup(output, arrows));
    }
    layout->addLayout(outputs);
    routing_.lblNote = makeControl<QLabel>(page, "lblNote", QStringLiteral("Output from Input"));
    setBold(routing_.lblNote);
    layout->addWidget(routing_.lblNote);
    layout->addWidget(buildPresetGroup(), 1);
    buildRouteMenu();
    panel_ = std::make_unique<RoutingPanel>(routing_, window);
    list_ = std::make_unique<PresetList>(*lvPreSetting);
    connect(lvPreSetting->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit presetSelected(list_->selectedRow()); });
    connect(lvPreSetting, &QTableWidget::cellDoubleClicked, this,
            &SettingPage::presetEditRequested);
    connect(btnPreEdit, &QPushButton::clicked, this, &SettingPage::presetEditRequested);
    connect(btnSet, &QPushButton::clicked, this, &SettingPage::presetSetRequested);
}

SettingPage::~SettingPage() = default;

void SettingPage::windowShown() {
    panel_->windowShown();
    list_->windowShown();
}

void SettingPage::bindRouteButton(QPushButton* button) {
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this,
            [this, button] { emit routeButtonClicked(groupIndexOf(button), tagOf(button)); });
    if (groupIndexOf(button) == 0) return;
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this, [this, button](QPoint at) {
        hover(button);
        pm->popup(button->mapToGlobal(at));
    });
}

bool SettingPage::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            hover(watched);
            break;
        case QEvent::Leave:
            emit routeButtonsLeft();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void SettingPage::hover(const QObject* button) {
    emit routeButtonHovered(groupIndexOf(button), tagOf(button));
}

}  // namespace ui
