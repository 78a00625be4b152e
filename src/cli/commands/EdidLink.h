#pragma once

#include <QByteArray>
#include <QString>

#include "core/Connection.h"
#include "device/EdidCommands.h"

// The EDID actions of the window's "EDID control" tab without its lists: each checks what the
// window checks before it sends, and leaves the failure in the session.
namespace cli {

// Reads the EDID the display on an output presents; empty on failure.
QByteArray readOutputEdid(core::Connection& session, int output);
// Closes the write gate, then sends the image with the given write command.
bool writeEdid(core::Connection& session, const device::EdidCommand& write, const QByteArray& edid);
// Closes the write gate, then runs a set or copy command.
bool runEdidCommand(core::Connection& session, const device::EdidCommand& command);
// The window's check before a read or a copy from an output.
bool outputConnected(core::Connection& session, int output);

// The image of an EDID file, or a Rejection with the window's text.
QByteArray edidFromFile(const QString& path);
// Writes the image, or a Rejection with the window's text.
void edidToFile(const QString& path, const QByteArray& edid);

}  // namespace cli
