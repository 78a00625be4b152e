#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "core/CommandRunner.h"
#include "settings/SettingsData.h"
#include "ui/presenters/setting/OutputSettingEdit.h"
#include "ui/presenters/setting/PresetView.h"
#include "ui/presenters/setting/RoutingPresenter.h"

namespace ui {

// The eight pre-settings: their rows, editing, and applying through the routing view.
class PresetPresenter {
public:
    struct Row {
        QString name;
        QStringList cells;  // input per output as text, output 1 first; may hold anything

        bool operator==(const Row&) const = default;
    };
    using Rows = std::array<Row, config::kPresetCount>;

    // The host gives the information box, status texts and power state.
    PresetPresenter(RoutingPresenter& routing, PresetView& view, core::CommandHost& host);

    // The rows as the settings file holds them; shows all eight.
    void load(const std::array<QString, config::kPresetCount>& names,
              const std::array<QStringList, config::kPresetCount>& values);
    const Rows& rows() const { return rows_; }

    // Row 1 to 8 selected in the list, 0 for none.
    void setSelectedRow(int row);
    int selectedRow() const { return selected_; }

    // The "Setting" page was shown: with the switcher on, selects the first row if none
    // is selected and reads the routes.
    void tsSettingShow();

    // The dialog form for the selected row; nothing (after the information box) when no
    // row is selected. A cell that is not an input 1 to 6 preselects the output's own number.
    std::optional<OutputSettingEdit> btnPreEditClick(const config::PortTags& tags);
    // The dialog ended with "OK".
    void editAccepted(const OutputSettingEdit& edit);

    // Applies the selected row output by output; stops at the first failed switch, and
    // before a cell that is not an input 1 to 6.
    void btnSetClick();

private:
    bool requireSelection() const;
    void showRow(int row) const;

    RoutingPresenter& routing_;
    PresetView& view_;
    core::CommandHost& host_;
    Rows rows_;
    int selected_ = 0;
};

}  // namespace ui
