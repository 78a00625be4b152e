#include "StatusPresenterHarness.h"

namespace status_testing {

std::vector<QString> WindowLog::panel(int number) const {
    std::vector<QString> texts;
    for (const Status& s : status) {
        if (s.panel == number) texts.push_back(s.text);
    }
    return texts;
}

void FakeStatusView::setPortLabel(int tag, const QString& text, ui::LabelWeight weight) {
    Label& label = labels[tag];
    label.text = text;
    if (weight != ui::LabelWeight::Unchanged) label.bold = weight == ui::LabelWeight::Bold;
}

void FakeOptionsView::setOptionOn(core::PanelOption option, bool value) {
    if (on[index(option)] == value) return;
    on[index(option)] = value;
    ++handlerCalls;
    presenter->RadioClick(option, value ? core::OptionRadio::On : core::OptionRadio::Off);
}

void FakeOptionsView::click(core::PanelOption option, core::OptionRadio radio) {
    setOptionOn(option, radio == core::OptionRadio::On);
}

StatusHarness::StatusHarness() {
    host = {[this] { link->Connect(); },
            [this](devlink::StatusPanel panel, const QString& text, bool) {
                log.status.push_back({static_cast<int>(panel), text});
            },
            [this](const QString& text) { log.boxes.push_back(text); },
            [this] { return status->PowerOn(); }};
    runner = std::make_unique<core::CommandRunner>(*link, flags, host);
    options = std::make_unique<ui::PanelOptionsPresenter>(*runner, flags, optionsView, host);
    optionsView.presenter = options.get();
    status = std::make_unique<ui::DeviceStatusPresenter>(*runner, clock, statusView);
    status->alsoReadOptionsWith(*options);
}

std::vector<StatusHarness::Sent> StatusHarness::sent() const {
    std::vector<Sent> result;
    for (const devlink::Frame& f : sentFrames()) result.push_back({f[2], f[3], f[4] | f[5] << 8});
    return result;
}

}  // namespace status_testing
