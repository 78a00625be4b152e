#include "core/operations/EdidTransfers.h"

#include "device/Edid.h"
#include "link/LinkGuard.h"
#include "link/VKCOMControl.h"

namespace core {

namespace {

devlink::Frame frameOf(const device::EdidCommand& command) {
    const devlink::CommandRequest r = command.request();
    return devlink::BuildFrame(r.group, r.code, r.p1, r.p2, r.p3, r.p4);
}

}  // namespace

std::optional<QByteArray> readEdidImage(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                                        int output) {
    const devlink::LinkBusyScope busy(guard);
    if (!link.ReadData(frameOf(device::readEdidCommand(output)), device::kEdidSizeWithTrailer)
             .succeeded()) {
        return std::nullopt;
    }
    return link.InStream();
}

bool sendEdidImage(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                   const device::EdidCommand& write, const QByteArray& edid) {
    const devlink::LinkBusyScope busy(guard);
    link.OutStream() = edid;
    return link.WriteData(frameOf(write)).succeeded();
}

}  // namespace core
