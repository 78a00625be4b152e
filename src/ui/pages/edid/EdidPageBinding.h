#pragma once

#include <QObject>
#include <functional>

#include "link/CommandRunner.h"
#include "settings/SettingsData.h"
#include "ui/pages/edid/EdidPageView.h"
#include "ui/presenters/edid/EdidPresenter.h"

namespace ui {

class DeviceStatusPresenter;
class TPageControl;

// The "EDID control" tab bound to its presenter; its connections end with it.
class EdidPageBinding final : public QObject {
public:
    struct Services {
        devlink::CommandRunner& runner;
        devlink::TVKCOMControl& link;
        devlink::LinkGuard& flags;
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
