#pragma once

#include <QString>

namespace core {

enum class PortSide { Input, Output };

// Tags of the port labels in gbDevInfo: input N is 40 + N, output N is 80 + N.
int PortLabelTag(PortSide side, int port);

// "Device: HDMI Matrix, 6x6"; a type the program does not know is named by its number.
QString DeviceText(int type, int inputs, int outputs);
// "Version: 2.5"
QString VersionText(int major, int minor);

// "Input3" or "Output3" followed by a state such as ": Connected".
QString PortLabelText(PortSide side, int port, const char* state);

}  // namespace core
