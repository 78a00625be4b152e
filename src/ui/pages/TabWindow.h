#pragma once

#include "settings/SettingsData.h"

namespace ui {

class TfrmEnterYes;
class TfrmPreSettingEdit;
class TfrmShowInOutInfo;

// What the tabs ask of the main window they sit in.
class TabWindow {
public:
    virtual config::PortTags portTags() const = 0;
    virtual bool displayTags() const = 0;  // cbDisplayTag is ticked
    // The operator changed the tags of the current connection.
    virtual void portTagsEdited(const config::PortTags& tags) = 0;
    virtual TfrmPreSettingEdit& preSettingDialog() = 0;
    virtual TfrmShowInOutInfo& inOutInfoPopup() = 0;
    virtual TfrmEnterYes& resetConfirmation() = 0;

protected:
    ~TabWindow() = default;
};

}  // namespace ui
