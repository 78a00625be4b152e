#include "ui/presenters/edid/EdidPresenter.h"

#include <array>

#include "core/OperatorTexts.h"
#include "core/operations/EdidChanges.h"
#include "device/Edid.h"
#include "device/EdidCommands.h"
#include "device/EdidDecoder.h"
#include "device/EdidHexCells.h"
#include "device/EdidModes.h"
#include "ui/presenters/edid/EdidPortLists.h"

namespace ui {

using devlink::Command;
using devlink::MakeCommand;

namespace {

constexpr int kGridSide = 16;

constexpr std::array kPortLists{EdidList::SetModeInput, EdidList::CopyOutput, EdidList::CopyInput,
                                EdidList::ReadOutput, EdidList::DownloadInput};

QStringList portListEntries(EdidList list, const config::PortTags& tags) {
    switch (list) {
        case EdidList::CopyOutput:
        case EdidList::ReadOutput:
            return edidOutputList(tags);
        case EdidList::DownloadInput:
            return edidDownloadList(tags);
        default:
            return edidInputList(tags);
    }
}

QStringList columnHeaders() {
    QStringList headers;
    for (int column = 0; column < kGridSide; ++column) {
        headers << QString::number(column, 16).toUpper();
    }
    return headers;
}

QStringList rowHeaders() {
    QStringList headers;
    for (int row = 0; row < kGridSide; ++row) {
        headers << QStringLiteral("%1").arg(row * kGridSide, 2, 16, QLatin1Char('0')).toUpper();
    }
    return headers;
}

}  // namespace

EdidPresenter::EdidPresenter(core::CommandRunner& runner, devlink::TVKCOMControl& link,
                             devlink::LinkGuard& flags, DeviceStatusPresenter& status,
                             EdidView& view, Dialogs& dialogs)
    : runner_(runner),
      link_(link),
      flags_(flags),
      status_(status),
      view_(view),
      dialogs_(dialogs) {}

void EdidPresenter::FillEdidModeList() {
    QStringList modes = device::designedEdidModes();
    modes.removeLast();
    view_.setListEntries(EdidList::Mode, modes);
    view_.setSelectedIndex(EdidList::Mode, 0);
}

void EdidPresenter::RebuildEdidLists(const config::PortTags& tags) {
    for (const EdidList list : kPortLists) {
        const int kept = view_.selectedIndex(list);
        const QStringList entries = portListEntries(list, tags);
        view_.setListEntries(list, entries);
        view_.setSelectedIndex(list, kept >= 0 && kept < entries.size() ? kept : 0);
    }
}

void EdidPresenter::LoadEdidChoices(const config::EdidChoices& choices) {
    const std::array<std::pair<EdidList, const QString*>, 6> saved{{
        {EdidList::Mode, &choices.edidMode},
        {EdidList::SetModeInput, &choices.inOfEdidMode},
        {EdidList::CopyOutput, &choices.outOfCopyEdid},
        {EdidList::CopyInput, &choices.inOfCopyEdid},
        {EdidList::ReadOutput, &choices.outOfReadEdid},
        {EdidList::DownloadInput, &choices.inOfDownloadEdid},
    }};
    for (const auto& [list, text] : saved) {
        view_.setSelectedIndex(list, std::max(0, int(view_.listEntries(list).indexOf(*text))));
    }
    view_.setSavePath(choices.saveEdidFile);
    view_.setOpenPath(choices.openEdidFile);
}

config::EdidChoices EdidPresenter::SaveEdidChoices() const {
    const auto text = [this](EdidList list) {
        return view_.listEntries(list).value(view_.selectedIndex(list));
    };
    return {text(EdidList::Mode),       text(EdidList::SetModeInput),
            text(EdidList::CopyOutput), text(EdidList::CopyInput),
            text(EdidList::ReadOutput), text(EdidList::DownloadInput),
            view_.savePath(),           view_.openPath()};
}

bool EdidPresenter::LoadEdidIntoGrid(const std::optional<QByteArray>& data) {
    view_.setGridHeaders(columnHeaders(), rowHeaders());
    if (!data || device::checkEdid(*data) != device::EdidStatus::Ok) return false;
    view_.setGridCells(device::edidToHexCells(*data));
    view_.setSummary(device::edidSummary(*data).value_or(QString()));
    return true;
}

bool EdidPresenter::GridToEdid(QByteArray& target) const {
    target = device::hexCellsToEdid(view_.gridCells()).value_or(QByteArray());
    return !target.isEmpty();
}

void EdidPresenter::ClearEdidGrid() {
    view_.setGridCells(QStringList(kGridSide * kGridSide, QString()));
    view_.setSummary(QString());
}

void EdidPresenter::btnSetEDIDModeClick() {
    const QStringList inputs = view_.listEntries(EdidList::SetModeInput);
    const std::optional<device::EdidCommand> command =
        device::setEdidModeCommand(view_.listEntries(EdidList::Mode), Selected(EdidList::Mode),
                                   Selected(EdidList::SetModeInput), int(inputs.size()));
    if (!command) {
        view_.showStatus(devlink::StatusPanel::Notes, QStringLiteral("Select list item first"),
                         false);
        return;
    }
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    const QString label = QStringLiteral("Setting...");
    devlink::CommandRequest change = command->request();
    change.label = label;
    core::runEdidChange(runner_, change, label);
}

void EdidPresenter::btnCopyEDIDClick() {
    if (!ChosenOrComplain({EdidList::CopyOutput, EdidList::CopyInput})) return;
    const int output = Selected(EdidList::CopyOutput);
    const int input = Selected(EdidList::CopyInput);
    if (!OutputConnected(output)) return;
    view_.showStatus(devlink::StatusPanel::Notes, QString(), false);
    const bool allInputs = input == view_.listEntries(EdidList::CopyInput).size() - 1;
    core::runEdidChange(
        runner_,
        allInputs ? MakeCommand(Command::CopyOutputEdidAllInputs, quint16(output))
                  : MakeCommand(Command::CopyOutputEdidOneInput, quint16(output), quint16(input)),
        QStringLiteral("Copying..."));
}

int EdidPresenter::Selected(EdidList list) const {
    return std::max(0, view_.selectedIndex(list));
}

bool EdidPresenter::ChosenOrComplain(std::initializer_list<EdidList> lists) {
    for (const EdidList list : lists) {
        if (Selected(list) == 0) {
            view_.showStatus(devlink::StatusPanel::Notes, QStringLiteral("Select list item first"),
                             false);
            return false;
        }
    }
    return true;
}

bool EdidPresenter::OutputConnected(int output) {
    const quint8 state = status_.ReadOutputConnection(output);
    if (state == devlink::kOutputNotConnected) {
        core::FailureContext where;
        where.output = output;
        dialogs_.information(core::FailureText(devlink::FailureKind::NoDisplay, where));
    }
    // A failed query has been reported by the wrapper or the link.
    return state == devlink::kOutputConnected;
}

}  // namespace ui
