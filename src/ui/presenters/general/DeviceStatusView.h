#pragma once

#include <QString>

#include "link/StatusPanel.h"

namespace ui {

// How a port label's font changes along with its text.
enum class LabelWeight { Unchanged, Bold, Normal };

// What the "General" tab shows of the switcher: the device information labels,
// the power button and the messages of a status refresh.
class DeviceStatusView {
public:
    virtual ~DeviceStatusView() = default;

    virtual void setDeviceText(const QString& text) = 0;   // lblDevice
    virtual void setVersionText(const QString& text) = 0;  // lblVersion
    // The label of gbDevInfo with this Tag (input N: 40 + N, output N: 80 + N);
    // a missing label is skipped.
    virtual void setPortLabel(int tag, const QString& text, LabelWeight weight) = 0;
    // bbPower's glyph: the imgPowerOn or the imgPowerOff picture.
    virtual void setPowerFace(bool on) = 0;
    virtual void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) = 0;
    virtual void informationBox(const QString& text) = 0;
};

}  // namespace ui
