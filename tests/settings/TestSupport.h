#pragma once

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <ostream>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Helpers shared by the settings tests.
namespace config::test {

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Permission bits do not stop root, so tests of refused access skip then.
inline bool runningAsRoot() {
    return ::geteuid() == 0;
}

}  // namespace config::test
