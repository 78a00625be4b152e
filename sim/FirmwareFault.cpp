#include "FirmwareFault.h"

#include <QStringList>

namespace sim {

namespace {

std::optional<FirmwareFaultKind> kindOf(const QString& text) {
    if (text == QStringLiteral("decline")) {
        return FirmwareFaultKind::Decline;
    }
    if (text == QStringLiteral("silent")) {
        return FirmwareFaultKind::Silent;
    }
    return std::nullopt;
}

bool readStep(const QString& text, FirmwareFault& fault) {
    static const QString kBlockIs = QStringLiteral("block=");
    if (text == QStringLiteral("command")) {
        fault.step = FirmwareStep::Command;
    } else if (text == QStringLiteral("stage1")) {
        fault.step = FirmwareStep::Stage1;
    } else if (text == QStringLiteral("stage2")) {
        fault.step = FirmwareStep::Stage2;
    } else if (text == QStringLiteral("block")) {
        fault.step = FirmwareStep::Block;
    } else if (text.startsWith(kBlockIs)) {
        bool ok = false;
        fault.step = FirmwareStep::Block;
        fault.block = text.mid(kBlockIs.size()).toInt(&ok);
        return ok && fault.block >= 0 && fault.block <= 0xFFFF;
    } else {
        return false;
    }
    return true;
}

bool readTimes(const QString& text, FirmwareFault& fault) {
    if (text == QStringLiteral("all")) {
        fault.times = -1;
        return true;
    }
    bool ok = false;
    fault.times = text.toInt(&ok);
    return ok && fault.times > 0;
}

bool readPart(const QString& text, FirmwareFault& fault) {
    const QStringList numbers = text.split(QLatin1Char('.'));
    bool codeOk = false;
    bool numberOk = false;
    if (numbers.size() != 2) {
        return false;
    }
    fault.code = numbers[0].toInt(&codeOk);
    fault.number = numbers[1].toInt(&numberOk);
    return codeOk && numberOk && fault.code >= 0 && fault.code <= 0xFF && fault.number >= 0 &&
           fault.number <= 0xFFFF;
}

}  // namespace

bool FirmwareFault::matches(FirmwareStep at, quint8 partCode, quint16 partNumber,
                            int blockNumber) const {
    return times != 0 && step == at && (code < 0 || code == partCode) &&
           (number < 0 || number == partNumber) &&
           (at != FirmwareStep::Block || block < 0 || block == blockNumber);
}

std::optional<FirmwareFault> parseFirmwareFault(const QString& text, QString* error) {
    const QStringList fields = text.toLower().split(QLatin1Char(':'));
    FirmwareFault fault;
    const auto kind = kindOf(fields[0]);
    const bool ok = kind && fields.size() <= 4 &&
                    (fields.size() < 2 || readStep(fields[1], fault)) &&
                    (fields.size() < 3 || readTimes(fields[2], fault)) &&
                    (fields.size() < 4 || readPart(fields[3], fault));
    if (!ok) {
        *error = QStringLiteral(
                     "bad firmware fault \"%1\"; expected "
                     "decline|silent[:command|stage1|stage2|block[=N][:times|all"
                     "[:code.number]]]")
                     .arg(text);
        return std::nullopt;
    }
    fault.kind = *kind;
    return fault;
}

}  // namespace sim
