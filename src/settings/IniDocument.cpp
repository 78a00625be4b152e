#include "settings/IniDocument.h"

#include <QStringDecoder>
#include <string>

// Only the byte-for-byte char variant is used: text is kept as stored, so nothing is
// lost from a file that is not valid UTF-8.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

namespace ui {

namespace {

using Ini = CSimpleIniA;

constexpr char kUtf8Signature[] = "\xEF\xBB\xBF";

// A line break inside a name or value would start a new line in the file.
QByteArray storable(const QString& text) {
    QByteArray bytes = text.toUtf8();
    for (char& c : bytes) {
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    }
    return bytes;
}

// Files written by Windows programs are often in the ANSI code page, not UTF-8.
QString readable(const char* stored) {
    const QByteArray bytes(stored);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QStringList namesInFileOrder(Ini::TNamesDepend names) {
    names.sort(Ini::Entry::LoadOrder());
    QStringList result;
    for (const Ini::Entry& entry : names) result << readable(entry.pItem);
    return result;
}

}  // namespace

struct IniDocument::Store {
    Store() { ini.SetSpaces(false); }
    Ini ini{true, false, false};  // UTF-8 store, one value per key, no multi-line values
};

IniDocument::IniDocument() : store_(std::make_unique<Store>()) {}

IniDocument::IniDocument(const QByteArray& bytes) : IniDocument() {
    // A NUL byte would end the parse and drop the rest of the file.
    QByteArray text = bytes;
    text.replace('\0', ' ');
    store_->ini.LoadData(text.constData(), static_cast<size_t>(text.size()));
}

IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

QByteArray IniDocument::toBytes() const {
    std::string saved;
    store_->ini.Save(saved, false);
    QByteArray text(saved.data(), static_cast<qsizetype>(saved.size()));
    // A text that begins with the UTF-8 signature would lose it on reading.
    if (text.startsWith(kUtf8Signature)) text.prepend('\n');
    return text;
}

QStringList IniDocument::sections() const {
    Ini::TNamesDepend names;
    store_->ini.GetAllSections(names);
    return namesInFileOrder(names);
}

QStringList IniDocument::keys(const QString& section) const {
    Ini::TNamesDepend names;
    store_->ini.GetAllKeys(storable(section).constData(), names);
    return namesInFileOrder(names);
}

QStringList IniDocument::values(const QString& section) const {
    // Looked up by the stored key names, which need not be UTF-8.
    const QByteArray name = storable(section);
    Ini::TNamesDepend keys;
    store_->ini.GetAllKeys(name.constData(), keys);
    keys.sort(Ini::Entry::LoadOrder());
    QStringList result;
    for (const Ini::Entry& key : keys) {
        result << readable(store_->ini.GetValue(name.constData(), key.pItem, ""));
    }
    return result;
}

QString IniDocument::value(const QString& section, const QString& key,
                           const QString& fallback) const {
    const char* stored =
        store_->ini.GetValue(storable(section).constData(), storable(key).constData(), nullptr);
    return stored ? readable(stored) : fallback;
}

bool IniDocument::boolValue(const QString& section, const QString& key, bool fallback) const {
    bool isNumber = false;
    const qlonglong number = value(section, key).trimmed().toLongLong(&isNumber);
    return isNumber ? number != 0 : fallback;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    store_->ini.SetValue(storable(section).constData(), storable(key).constData(),
                         storable(value).constData());
}

void IniDocument::setBool(const QString& section, const QString& key, bool value) {
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniDocument::eraseSection(const QString& section) {
    store_->ini.Delete(storable(section).constData(), nullptr);
}

}  // namespace ui
