#pragma once

#include <QObject>
#include <functional>

#include "CommandRunner.h"
#include "EdidPageView.h"
#include "EdidPresenter.h"
#include "SettingsData.h"

namespace ui {

class DeviceStatusPresenter;
class TPageControl;

// The "EDID control" tab bound to its presenter; its connections end with it.
class EdidPageBinding final : public QObject {
public:
    struct Services {
        devlink::CommandRunner& runner;
        devlink::TVKCOMControl& link;
        devlink::LinkFlags& flags;
        DeviceStatusPresenter& status;  // output link states and the power state
        std::function<void()> connect;  // the window's Connect button
        Dialogs& dialogs;
        StatusWriter showStatus;
        std::function<PortTags()> portTags;
    };

    EdidPageBinding(TPageControl& pages, Services services);

    // Fills the port lists from the current tags, then selects the saved entries.
    void loadChoices(const EdidChoices& choices);
    EdidChoices choices() const { return presenter_.SaveEdidChoices(); }

private:
    std::function<PortTags()> portTags_;
    EdidPageView view_;
    EdidPresenter presenter_;
};

}  // namespace ui
