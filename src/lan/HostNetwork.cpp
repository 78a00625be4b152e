#include "lan/HostNetwork.h"

#include <algorithm>

namespace lan {
namespace {

bool Outward(const HostInterface& i) {
    return i.up && !i.loopback && !i.address.isEmpty();
}

}  // namespace

QString LocalAddressOf(const HostNetwork& network) {
    const auto& all = network.interfaces;
    const auto outward = std::find_if(all.begin(), all.end(), Outward);
    return outward != all.end() ? outward->address : network.hostNameAddress;
}

bool IsOwnAddress(const HostNetwork& network, const QString& address) {
    if (address == network.hostNameAddress) return true;
    return std::any_of(network.interfaces.begin(), network.interfaces.end(),
                       [&](const HostInterface& i) { return i.address == address; });
}

std::vector<QString> DirectedBroadcasts(const HostNetwork& network) {
    std::vector<QString> addresses;
    for (const HostInterface& i : network.interfaces) {
        if (!Outward(i) || i.broadcast.isEmpty()) continue;
        if (std::find(addresses.begin(), addresses.end(), i.broadcast) == addresses.end())
            addresses.push_back(i.broadcast);
    }
    return addresses;
}

}  // namespace lan
