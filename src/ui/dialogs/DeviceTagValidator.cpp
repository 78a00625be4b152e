#include "ui/dialogs/DeviceTagValidator.h"

#include "lan/ModuleRecords.h"

namespace ui {

QValidator::State DeviceTagValidator::validate(QString& input, int& pos) const {
    QString kept;
    kept.reserve(input.size());
    int keptBeforeCursor = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (!lan::FitsDeviceTag(input[i])) continue;
        kept += input[i];
        if (i < pos) ++keptBeforeCursor;
    }
    input = kept;
    pos = keptBeforeCursor;
    return Acceptable;
}

}  // namespace ui
