#pragma once

#include <QString>
#include <vector>

// How this machine sits on the network, as far as the module protocol cares.
namespace lan {

struct HostInterface {
    QString address;    // dotted IPv4
    QString broadcast;  // directed broadcast address; empty when the interface has none
    bool up = false;
    bool loopback = false;
};

struct HostNetwork {
    std::vector<HostInterface> interfaces;  // IPv4 addresses only, in the system's order
    QString hostNameAddress;                // first IPv4 address the host name resolves to
};

// The PC's own address: the first address of an interface that is up and not loopback. The host
// name is the fallback, although on many systems it resolves to 127.0.1.1.
QString LocalAddressOf(const HostNetwork& network);
// True for every address of this machine, so its own broadcasts are never taken as answers.
bool IsOwnAddress(const HostNetwork& network, const QString& address);
// The directed broadcast address of every interface that is up, not loopback and has one, once
// each: a limited broadcast leaves by one interface only.
std::vector<QString> DirectedBroadcasts(const HostNetwork& network);

}  // namespace lan
