#include "ui/presenters/setting/PresetPresenter.h"

#include "core/operations/Presets.h"

namespace ui {

namespace {

constexpr int kPortCount = RoutingPresenter::kPortCount;

// The input an output's list starts on in the edit dialog: the stored input; the output's own
// number for a missing or non-numeric cell; no choice (0) for a number the switcher lacks.
int editChoice(const QStringList& cells, int output) {
    if (output > cells.size()) return output;
    bool ok = false;
    cells[output - 1].toInt(&ok);
    if (!ok) return output;
    return core::PresetCellInput(cells, output).value_or(0);
}

}  // namespace

PresetPresenter::PresetPresenter(RoutingPresenter& routing, PresetView& view,
                                 core::CommandHost& host)
    : routing_(routing), view_(view), host_(host) {
    const auto names = config::SettingsData::defaultPresetNames();
    const auto values = config::SettingsData::defaultPresetValues();
    for (int row = 1; row <= config::kPresetCount; ++row) {
        rows_[row - 1] = {names[row - 1], values[row - 1]};
    }
}

void PresetPresenter::load(const std::array<QString, config::kPresetCount>& names,
                           const std::array<QStringList, config::kPresetCount>& values) {
    for (int row = 1; row <= config::kPresetCount; ++row) {
        rows_[row - 1] = {names[row - 1], values[row - 1]};
        showRow(row);
    }
}

void PresetPresenter::showRow(int row) const {
    const Row& r = rows_[row - 1];
    view_.showPresetRow(row, r.name, r.cells);
}

void PresetPresenter::setSelectedRow(int row) {
    selected_ = row >= 1 && row <= config::kPresetCount ? row : 0;
}

bool PresetPresenter::requireSelection() const {
    if (selected_ != 0) return true;
    host_.informationBox(QStringLiteral("Please select item."));
    return false;
}

void PresetPresenter::tsSettingShow() {
    if (!host_.powerOn()) return;
    if (selected_ == 0) {
        selected_ = 1;
        view_.selectPresetRow(selected_);
    }
    routing_.ReadRouting();
}

std::optional<OutputSettingEdit> PresetPresenter::btnPreEditClick(const config::PortTags& tags) {
    if (!requireSelection()) return std::nullopt;
    const Row& row = rows_[selected_ - 1];
    std::array<int, kPortCount> inputs{};
    for (int output = 1; output <= kPortCount; ++output) {
        inputs[output - 1] = editChoice(row.cells, output);
    }
    return OutputSettingEdit::forRow(selected_, row.name, inputs, tags);
}

void PresetPresenter::editAccepted(const OutputSettingEdit& edit) {
    if (edit.row < 1 || edit.row > config::kPresetCount) return;
    Row& row = rows_[edit.row - 1];
    row.name = edit.name;
    while (row.cells.size() < kPortCount) row.cells << QString();
    for (int output = 1; output <= kPortCount; ++output) {
        // A list left without a choice keeps the cell as it was.
        const int input = edit.inputs[output - 1];
        if (input >= 1 && input <= kPortCount) row.cells[output - 1] = QString::number(input);
    }
    showRow(edit.row);
}

void PresetPresenter::btnSetClick() {
    if (!requireSelection()) return;
    routing_.clearRouteFailed();
    const auto switchRoute = [this](int output, int input) {
        const devlink::FailureKind failure = routing_.sbSetInputClick(output, input);
        // A switch refused inside this one's wait (another click) ends the pre-setting too.
        if (failure == devlink::FailureKind::None && routing_.routeFailed())
            return devlink::FailureKind::Busy;
        return failure;
    };
    const core::PresetApplied applied =
        core::ApplyPreset(core::PresetRoutesOf(rows_[selected_ - 1].cells), switchRoute);
    if (applied.failure == devlink::FailureKind::BadFile)
        host_.showStatus(devlink::StatusPanel::Notes, applied.text, false);
}

}  // namespace ui
