#include "cli/serve/TokenFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <array>

#include "cli/program/ExitCode.h"
#include "cli/program/Rejection.h"

namespace cli::serve {

namespace {

constexpr int kTokenBytes = 32;

QByteArray newToken() {
    std::array<quint32, kTokenBytes / 4> words{};
    QRandomGenerator::system()->generate(words.begin(), words.end());
    return QByteArray(reinterpret_cast<const char*>(words.data()), kTokenBytes).toHex();
}

QByteArray createToken(const QString& path) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw Rejection(kExitBadFile, QStringLiteral("Cannot create the folder of %1").arg(path));
    QFile file(path);
    // Created with the owner's permissions alone, so the token is never readable by others.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw Rejection(kExitBadFile, QStringLiteral("Cannot create %1").arg(path));
    const QByteArray token = newToken();
    if (file.write(token + '\n') != token.size() + 1 || !file.flush())
        throw Rejection(kExitBadFile, QStringLiteral("Cannot write %1").arg(path));
    return token;
}

}  // namespace

QString defaultTokenPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("serve-token"));
}

QByteArray loadOrCreateToken(const QString& path) {
    QFile file(path);
    if (!file.exists()) return createToken(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Rejection(kExitBadFile, QStringLiteral("Cannot read %1").arg(path));
    const QByteArray token = file.readLine(4096).trimmed();
    if (token.isEmpty())
        throw Rejection(kExitBadFile, QStringLiteral("No token on the first line of %1").arg(path));
    return token;
}

}  // namespace cli::serve
