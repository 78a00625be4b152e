#include "ui/pages/setting/SettingTab.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include "ui/dialogs/PreSettingEdit.h"
#include "ui/pages/PortControls.h"

namespace ui {

namespace {

int groupIndexOf(const QObject* button) {
    return button->property("GroupIndex").toInt();
}

}  // namespace

SettingTab::SettingTab(const TabParts& parts)
    : window_(parts.window),
      page_(*new SettingPage),
      panel_(page_, window_),
      list_(*page_.lvPreSetting),
      routing_(parts.runner, panel_),
      presets_(routing_, list_, parts.host) {
    for (QAbstractButton* button : page_.routeButtons) bindRouteButton(button);
    connect(page_.pm, &QMenu::aboutToShow, this, [this] { routing_.popupMenuOpened(); });
    connect(page_.pm, &QMenu::triggered, this, &SettingTab::mnuAllOutputsClick);

    QTableWidget* list = page_.lvPreSetting;
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { presets_.setSelectedRow(list_.selectedRow()); });
    connect(list, &QTableWidget::cellDoubleClicked, this, [this] { btnPreEditClick(); });
    connect(page_.btnPreEdit, &QPushButton::clicked, this, [this] { btnPreEditClick(); });
    connect(page_.btnSet, &QPushButton::clicked, this, [this] { presets_.btnSetClick(); });
}

void SettingTab::bindRouteButton(QAbstractButton* button) {
    button->installEventFilter(this);
    const int output = groupIndexOf(button);
    const int tag = tagOf(button);
    if (output == 0) {
        connect(button, &QAbstractButton::clicked, this,
                [this, tag] { routing_.sbPreviousClick(tag); });
        return;
    }
    connect(button, &QAbstractButton::clicked, this,
            [this, output, tag] { routing_.sbSetInputClick(output, tag); });
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this, [this, button](QPoint at) {
        hover(button);
        page_.pm->popup(button->mapToGlobal(at));
    });
}

bool SettingTab::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            hover(static_cast<const QAbstractButton*>(watched));
            break;
        case QEvent::Leave:
            routing_.mouseLeftButtons();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void SettingTab::hover(const QAbstractButton* button) {
    routing_.sbSetInputMouseMove(groupIndexOf(button), tagOf(button), window_.portTags(),
                                 window_.displayTags());
}

void SettingTab::mnuAllOutputsClick(const QAction* item) {
    routing_.mnuAllOutputsClick(tagOf(item));
}

void SettingTab::windowShown() {
    panel_.windowShown();
    list_.windowShown();
}

void SettingTab::loadSettings(const config::SettingsData& settings) {
    presets_.load(settings.presetNames, settings.presetValues);
}

void SettingTab::storeSettings(config::SettingsData& settings) const {
    const PresetPresenter::Rows& rows = presets_.rows();
    for (int row = 0; row < config::kPresetCount; ++row) {
        settings.presetNames[row] = rows[row].name;
        settings.presetValues[row] = rows[row].cells;
    }
}

void SettingTab::btnPreEditClick() {
    const auto edit = presets_.btnPreEditClick(window_.portTags());
    if (!edit) return;
    TfrmPreSettingEdit& dialog = window_.preSettingDialog();
    dialog.arrangeOutputSetting(*edit);
    if (dialog.exec() != QDialog::Accepted) return;
    presets_.editAccepted(dialog.outputSetting());
    // Written at once, so a crash cannot lose it.
    emit settingsEdited();
}

}  // namespace ui
