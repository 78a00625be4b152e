#include "settings/DeviceEntry.h"

#include <array>
#include <optional>

namespace config {

namespace {

const QString kStaticIp = QStringLiteral("Static IP");
const QString kAutoIp = QStringLiteral("Auto IP");
const QString kSameSubnet = QStringLiteral("Same Subnet");
const QString kCrossSubnet = QStringLiteral("Cross Subnet");

QString DefaultField(int k) {
    static const std::array<QString, 5> kDefaults{QString(), kStaticIp, QStringLiteral("0.0.0.0"),
                                                  QStringLiteral("00-00-00-00-00-00"), kSameSubnet};
    return k >= 0 && k < static_cast<int>(kDefaults.size()) ? kDefaults[k] : QString();
}

using EntryFields = std::array<QString, 5>;

// The fields of an entry in its full form. The last four never hold a bracket, so they are read
// from the end and the tag is whatever precedes them: a bracket in the tag cannot shift them.
std::optional<EntryFields> FullFormFields(const QString& entry) {
    if (!entry.startsWith(u'[') || !entry.endsWith(u']')) return std::nullopt;
    EntryFields fields;
    qsizetype close = entry.size() - 1;  // the "]" that ends the field being read
    for (int k = DeviceEntry::Subnet; k > DeviceEntry::Tag; --k) {
        const qsizetype open = entry.lastIndexOf(u'[', close);
        if (open < 3 || QStringView(entry).sliced(open - 2, 2) != u"]-") return std::nullopt;
        fields[k] = entry.sliced(open + 1, close - open - 1);
        if (fields[k].contains(u']')) return std::nullopt;
        close = open - 2;
    }
    fields[DeviceEntry::Tag] = entry.sliced(1, close - 1);
    return fields;
}

}  // namespace

QString DeviceEntry::text() const {
    const auto bracket = [](const QString& field) {
        return QLatin1Char('[') + field + QLatin1Char(']');
    };
    return bracket(tag) + QLatin1Char('-') + bracket(autoIp ? kAutoIp : kStaticIp) +
           QLatin1Char('-') + bracket(ip) + QLatin1Char('-') + bracket(mac) + QLatin1Char('-') +
           bracket(sameSubnet ? kSameSubnet : kCrossSubnet);
}

DeviceEntry DeviceEntry::parse(const QString& text) {
    DeviceEntry entry;
    entry.tag = DeviceEntryField(text, Tag);
    entry.autoIp = DeviceEntryField(text, Mode) != kStaticIp;
    entry.ip = DeviceEntryField(text, Ip);
    entry.mac = DeviceEntryField(text, Mac);
    entry.sameSubnet = DeviceEntryField(text, Subnet) == kSameSubnet;
    return entry;
}

QString DeviceEntryField(const QString& entry, int k) {
    if (k < DeviceEntry::Tag || k > DeviceEntry::Subnet) return DefaultField(k);
    if (const std::optional<EntryFields> fields = FullFormFields(entry)) return (*fields)[k];
    qsizetype start = -1;
    for (int seen = 0; seen <= k; ++seen) {
        start = entry.indexOf(QLatin1Char('['), start + 1);
        if (start < 0) return DefaultField(k);
    }
    const qsizetype end = entry.indexOf(QLatin1Char(']'), start + 1);
    if (end < 0) return DefaultField(k);
    return entry.mid(start + 1, end - start - 1);
}

}  // namespace config
