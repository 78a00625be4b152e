#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace config {

// An INI text held in memory: section and key names compare without regard to case,
// a key appears once per section, sections and keys keep the order they were first
// seen in, and sections erased and written again move to the end. Everything the
// program does not touch is written back as it was read.
class IniDocument {
public:
    IniDocument();
    // Reads any bytes: CRLF or LF, optional UTF-8 signature, text that is not UTF-8.
    explicit IniDocument(const QByteArray& bytes);
    ~IniDocument();
    IniDocument(IniDocument&&) noexcept;
    IniDocument& operator=(IniDocument&&) noexcept;

    // "key=value" lines, LF line ends, no UTF-8 signature.
    QByteArray toBytes() const;

    QStringList sections() const;
    QStringList keys(const QString& section) const;
    QStringList values(const QString& section) const;

    // The fallback is returned only when the key is missing, not when it is empty.
    QString value(const QString& section, const QString& key,
                  const QString& fallback = QString()) const;
    // Any integer counts, non-zero meaning true; a missing key or other text gives the fallback.
    bool boolValue(const QString& section, const QString& key, bool fallback) const;

    void setValue(const QString& section, const QString& key, const QString& value);
    void setBool(const QString& section, const QString& key, bool value);
    void eraseSection(const QString& section);

private:
    struct Store;
    std::unique_ptr<Store> store_;
};

}  // namespace config
