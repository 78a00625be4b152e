#include "core/DeviceInfoTexts.h"

#include "link/Commands.h"

namespace core {

int PortLabelTag(PortSide side, int port) {
    return (side == PortSide::Input ? 40 : 80) + port;
}

QString DeviceText(int type, int inputs, int outputs) {
    QString model = devlink::ModelName(type);
    if (model.isEmpty()) model = QStringLiteral("Unknown model (type %1)").arg(type);
    return QStringLiteral("Device: %1, %2x%3").arg(model).arg(inputs).arg(outputs);
}

QString VersionText(int major, int minor) {
    return QStringLiteral("Version: %1.%2").arg(major).arg(minor);
}

QString PortLabelText(PortSide side, int port, const char* state) {
    const QString word =
        side == PortSide::Input ? QStringLiteral("Input") : QStringLiteral("Output");
    return word + QString::number(port) + QString::fromLatin1(state);
}

}  // namespace core
