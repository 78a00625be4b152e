#pragma once

#include <QByteArray>
#include <QString>

namespace cli::serve {

// Where the token is kept unless --token-file names a file.
QString defaultTokenPath();
// The first line of an existing file; otherwise a new random token (32 bytes, hex) written to
// a new file readable by its owner alone. Throws a Rejection for a file it cannot use.
QByteArray loadOrCreateToken(const QString& path);

}  // namespace cli::serve
