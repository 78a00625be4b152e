#pragma once

#include <QObject>

#include "core/CommandRunner.h"
#include "settings/SettingsData.h"
#include "ui/pages/setting/PresetList.h"
#include "ui/pages/setting/RoutingPanel.h"
#include "ui/presenters/setting/PresetPresenter.h"
#include "ui/presenters/setting/RoutingPresenter.h"

class QAbstractButton;
class QAction;

namespace ui {

class TPageControl;

// The "Setting" tab: the routing view and the pre-settings, bound to their presenters.
class SettingPageBinding final : public QObject {
    Q_OBJECT

public:
    SettingPageBinding(TPageControl& pages, SettingPage& page, core::CommandRunner& runner,
                       core::CommandHost& host, TabWindow& window);

    const RoutingPresenter& routing() const { return routing_; }
    RoutingPresenter& routing() { return routing_; }

    void windowShown();
    void loadPresets(const config::SettingsData& settings);
    void storePresets(config::SettingsData& settings) const;

signals:
    // A pre-setting was changed in the edit dialog; the window writes the settings at once so a
    // crash cannot lose it.
    void presetsEdited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindRouteButton(QAbstractButton* button);
    void hover(const QAbstractButton* button);
    void btnPreEditClick();
    void mnuAllOutputsClick(const QAction* item);

    TabWindow& window_;
    SettingPage& page_;
    RoutingPanel panel_;
    PresetList list_;
    RoutingPresenter routing_;
    PresetPresenter presets_;
};

}  // namespace ui
