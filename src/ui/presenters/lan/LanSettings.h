#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// What the LAN settings dialog shows and hands back after OK.
struct LanSettings {
    QString deviceTag;
    bool autoIp = true;  // "Auto IP" (DHCP) chosen; "Static IP" otherwise
    QString ipAddress;   // the four IP fields joined by "."
    QString macAddress;  // the six MAC fields joined by "-"
};

// How the caller opens the dialog.
struct LanDialogOptions {
    // The radio buttons and the IP fields with their labels are enabled; the window offers
    // them only for a module on its own subnet.
    bool addressEditable = true;
    bool macEditing = false;
    bool duplicateMacCheck = false;
    QStringList macsInUse;
};

}  // namespace ui
