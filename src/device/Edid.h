#pragma once

#include <QByteArray>

// The EDID image the switcher presents on its inputs: 256 bytes, 257 accepted on input.
namespace device {

constexpr int kEdidSize = 256;
constexpr int kEdidSizeWithTrailer = 257;  // the extra last byte is ignored

enum class EdidStatus {
    Ok,
    WrongSize,
    BadHeader,
    BadChecksum,
    NotARegularFile,
    CannotOpen,
    CannotRead,
    CannotWrite,
};

// Size, header and whole-image checksum; returns EdidStatus::Ok when the image is usable.
EdidStatus checkEdid(const QByteArray& data);

}  // namespace device
