#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads of files chosen by the operator, which may be anything: a directory, a FIFO,
// a device or a sparse file of gigabytes. The type and size are checked before anything is
// read, and no more than the limit is ever loaded.
namespace device {

enum class FileReadStatus { Ok, Missing, NotARegularFile, TooLarge, CannotRead };

struct FileReadResult {
    QByteArray bytes;  // the whole file; empty unless Ok
    FileReadStatus status = FileReadStatus::Ok;
    qint64 size = 0;  // as the file system reports it

    bool ok() const { return status == FileReadStatus::Ok; }
};

FileReadResult ReadWholeFile(const QString& path, qint64 limit);

// What follows the path in a message line: " does not exist", " is not a regular file",
// " is larger than M bytes" or " cannot be read"; empty when Ok.
QString FileProblemSuffix(const FileReadResult& result, qint64 limit);

}  // namespace device
