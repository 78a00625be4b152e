#include "FaultOption.h"

#include <QStringList>
#include <array>
#include <utility>

namespace sim {

namespace {

constexpr int kDefaultDelayMs = 6000;  // longer than the controller's 5 s reply time-out
constexpr int kMaxDelayMs = 3600 * 1000;
constexpr int kMaxPieces = 270;

const std::array<std::pair<const char*, FaultKind>, 11> kKindNames{{
    {"noreply", FaultKind::NoReply},
    {"statusff", FaultKind::StatusFF},
    {"badchecksum", FaultKind::BadChecksum},
    {"wronggroup", FaultKind::WrongGroup},
    {"wrongcode", FaultKind::WrongCode},
    {"split", FaultKind::Split},
    {"trailingbytes", FaultKind::TrailingBytes},
    {"delay", FaultKind::Delay},
    {"garbage", FaultKind::Garbage},
    {"checksumrightwrongcontent", FaultKind::ChecksumRightWrongContent},
    {"dropconnection", FaultKind::DropConnection},
}};

std::optional<FaultKind> kindNamed(const QString& name) {
    for (const auto& [text, kind] : kKindNames) {
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0) {
            return kind;
        }
    }
    return std::nullopt;
}

std::optional<int> numberIn(const QString& text, int low, int high) {
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const int value = hex ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok, 10);
    if (!ok || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<QByteArray> hexBytes(const QString& text) {
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    bool ok = !digits.isEmpty() && digits.size() % 2 == 0;
    for (const QChar c : digits) {
        ok = ok && QStringLiteral("0123456789abcdefABCDEF").contains(c);
    }
    return ok ? std::optional(QByteArray::fromHex(digits.toLatin1())) : std::nullopt;
}

bool applyValue(Fault& fault, const std::optional<QString>& value) {
    switch (fault.kind) {
        case FaultKind::Delay: {
            const auto ms = value ? numberIn(*value, 0, kMaxDelayMs) : kDefaultDelayMs;
            fault.delayMs = ms.value_or(0);
            return ms.has_value();
        }
        case FaultKind::Split: {
            const auto pieces = value ? numberIn(*value, 1, kMaxPieces) : 2;
            fault.pieces = pieces.value_or(0);
            return pieces.has_value();
        }
        case FaultKind::TrailingBytes:
        case FaultKind::Garbage: {
            const auto bytes = value ? hexBytes(*value) : QByteArray("\xA5\x00\xFF", 3);
            fault.bytes = bytes.value_or(QByteArray());
            return bytes.has_value();
        }
        default:
            return !value;
    }
}

}  // namespace

std::optional<Fault> parseFaultOption(const QString& text, QString* error) {
    const QStringList fields = text.split(QLatin1Char(':'));
    const QString head = fields.front();
    const qsizetype equals = head.indexOf(QLatin1Char('='));
    const auto kind = kindNamed(equals < 0 ? head : head.left(equals));
    const auto fail = [&](const QString& why) {
        *error = QStringLiteral("bad fault \"%1\": %2").arg(text, why);
        return std::nullopt;
    };
    if (!kind) {
        return fail(QStringLiteral("unknown kind"));
    }
    if (fields.size() != 1 && fields.size() != 2 && fields.size() != 4) {
        return fail(QStringLiteral("expected kind[=value][:times[:group:code]]"));
    }
    Fault fault{*kind, 1, -1, -1, 0, 2, {}};
    if (!applyValue(fault, equals < 0 ? std::nullopt : std::optional(head.mid(equals + 1)))) {
        return fail(QStringLiteral("bad value"));
    }
    if (fields.size() >= 2) {
        const auto times = fields[1].compare(QLatin1String("all"), Qt::CaseInsensitive) == 0
                               ? std::optional(-1)
                               : numberIn(fields[1], 1, 1 << 30);
        if (!times) {
            return fail(QStringLiteral("bad count"));
        }
        fault.times = *times;
    }
    if (fields.size() == 4) {
        const auto group = numberIn(fields[2], 0, 0xFF);
        const auto code = numberIn(fields[3], 0, 0xFF);
        if (!group || !code) {
            return fail(QStringLiteral("bad group or code"));
        }
        fault.group = *group;
        fault.code = *code;
    }
    return fault;
}

}  // namespace sim
