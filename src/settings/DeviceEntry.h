#pragma once

#include <QString>

namespace config {

// One item of the TCP control device list:
// "[tag]-[Static IP|Auto IP]-[IP]-[MAC]-[Same Subnet|Cross Subnet]".
// The text is the device's identity: entries that differ in any field are different devices.
struct DeviceEntry {
    enum Field { Tag = 0, Mode = 1, Ip = 2, Mac = 3, Subnet = 4 };

    QString tag;
    bool autoIp = false;
    QString ip = QStringLiteral("0.0.0.0");
    QString mac = QStringLiteral("00-00-00-00-00-00");
    bool sameSubnet = true;

    QString text() const;
    // Reads every field with DeviceEntryField, so a hand-edited entry takes the defaults of
    // the fields it lacks.
    static DeviceEntry parse(const QString& text);
};

// Field k of an entry. An entry in the full form is read from its end, so a tag may hold any
// character; any other text is read from the (k+1)-th "[" up to the next "]", and a field it
// does not have (an empty text has none) reads as its default: "", "Static IP", "0.0.0.0",
// "00-00-00-00-00-00", "Same Subnet".
QString DeviceEntryField(const QString& entry, int k);

// The DHCP field of a found module reads "0" for a static address.
inline bool AutoIpOf(const QString& dhcpField) {
    return dhcpField != QLatin1String("0");
}

}  // namespace config
