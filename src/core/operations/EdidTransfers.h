#pragma once

#include <QByteArray>
#include <optional>

#include "device/EdidCommands.h"

namespace devlink {
class LinkGuard;
class TVKCOMControl;
}  // namespace devlink

// The bulk transfers of an EDID image. They run on the link directly, not through the command
// wrappers, so they keep the link busy themselves; the link has told why one failed.
namespace core {

// The image and its trailer as the display on an output presents them; nothing on failure.
std::optional<QByteArray> readEdidImage(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                                        int output);
// Sends an image with its write command; the write gate is closed before.
bool sendEdidImage(devlink::TVKCOMControl& link, devlink::LinkGuard& guard,
                   const device::EdidCommand& write, const QByteArray& edid);

}  // namespace core
