#pragma once

#include <QValidator>

namespace ui {

// Drops from the device tag, as it is typed, pasted or filled in, every character that a device
// entry or the module cannot hold, so an old tag that holds one is mended by editing it.
class DeviceTagValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace ui
