#pragma once

#include <QByteArray>
#include <QString>

namespace cli::serve {

// `text` as a QR code drawn with half blocks, light modules as blocks, so a phone's camera reads
// it off a dark terminal; empty when the text does not fit a code.
QString terminalQrCode(const QByteArray& text);

}  // namespace cli::serve
