#include "settings/IniDocument.h"

#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace config {

namespace {

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
QString readable(const QByteArray& stored) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(stored);
    return utf8.hasError() ? QString::fromLatin1(stored) : text;
}

// Names compare without regard to ASCII case, as the Windows profile functions do.
QByteArray folded(const QByteArray& name) {
    return name.toLower();
}

bool isComment(const QByteArray& line) {
    return line.startsWith(';') || line.startsWith('#');
}

struct Entry {
    QByteArray comment;  // comment lines written before the entry, each ending in LF
    QByteArray name;
    QByteArray value;
};

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(const QByteArray& a, const QByteArray& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

// Every lookup is one hash probe or a scan of a few keys, so loading and saving take time in
// proportion to the file, however many sections or keys it holds. Small sections, nearly
// all of them, do without a hash of their own: it would cost more memory than their keys.
struct Section {
    static constexpr qsizetype kHashedFrom = 16;

    Entry header;
    QList<Entry> keys;
    QHash<QByteArray, qsizetype> index;  // folded key name -> position, once there are many

    qsizetype position(const QByteArray& name) const {
        if (!index.isEmpty()) return index.value(folded(name), -1);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (sameName(keys[i].name, name)) return i;
        }
        return -1;
    }
    void set(const QByteArray& name, const QByteArray& value, const QByteArray& comment = {}) {
        if (const qsizetype at = position(name); at >= 0) {
            keys[at].value = value;
            return;
        }
        keys.append({comment, name, value});
        if (keys.size() == kHashedFrom) {
            for (qsizetype i = 0; i < keys.size(); ++i) index.insert(folded(keys[i].name), i);
        } else if (!index.isEmpty()) {
            index.insert(folded(name), keys.size() - 1);
        }
    }
    const Entry* find(const QByteArray& name) const {
        const qsizetype at = position(name);
        return at < 0 ? nullptr : &keys[at];
    }
};

}  // namespace

struct IniDocument::Store {
    // Erased sections leave an empty slot, so later positions stay valid.
    QList<std::optional<Section>> sections;
    QHash<QByteArray, qsizetype> index;  // folded section name -> position in sections
    QByteArray trailer;                  // comment lines after the last entry

    const Section* find(const QString& name) const {
        const auto found = index.constFind(folded(storable(name)));
        return found == index.constEnd() ? nullptr : &*sections[*found];
    }
    Section& obtain(const QByteArray& name, const QByteArray& comment = {}) {
        const auto found = index.constFind(folded(name));
        if (found != index.constEnd()) return *sections[*found];
        index.insert(folded(name), sections.size());
        sections.append(Section{{comment, name, {}}, {}, {}});
        return *sections.back();
    }
    void parse(const QByteArray& text);
};

void IniDocument::Store::parse(const QByteArray& text) {
    Section* current = nullptr;
    QByteArray comment;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty()) continue;
        if (isComment(line)) {
            comment += line + '\n';
        } else if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            if (close < 0) continue;  // not a section header: skipped
            const QByteArray name = line.mid(1, close - 1).trimmed();
            // The nameless section is written without a header line, so a comment above
            // "[]" stays with the key that follows it.
            current = &obtain(name, name.isEmpty() ? QByteArray() : comment);
            if (!name.isEmpty()) comment.clear();
        } else {
            const qsizetype equals = line.indexOf('=');
            if (equals <= 0) continue;  // no key name: skipped
            // Keys before the first section belong to the nameless one, written first.
            if (!current) current = &obtain(QByteArray(), QByteArray());
            current->set(line.left(equals).trimmed(), line.mid(equals + 1).trimmed(), comment);
            comment.clear();
        }
    }
    trailer = comment;
}

IniDocument::IniDocument() : store_(std::make_unique<Store>()) {}

IniDocument::IniDocument(const QByteArray& bytes) : IniDocument() {
    QByteArray text = bytes.startsWith(kUtf8Signature) ? bytes.mid(3) : bytes;
    // A NUL byte is no line content; it reads as a blank.
    text.replace('\0', ' ');
    text.replace('\r', '\n');
    store_->parse(text);
}

IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

QByteArray IniDocument::toBytes() const {
    QByteArray text;
    const auto write = [&text](const Section& section) {
        if (!text.isEmpty()) text += "\n\n";
        text += section.header.comment;
        if (!section.header.name.isEmpty()) text += '[' + section.header.name + "]\n";
        for (const Entry& key : section.keys) {
            // A commented key stands apart from the one before it.
            if (!key.comment.isEmpty()) text += '\n' + key.comment;
            text += key.name + '=' + key.value + '\n';
        }
    };
    // The nameless section has no header line, so it can only come first.
    if (const Section* nameless = store_->find(QString())) write(*nameless);
    for (const auto& section : store_->sections) {
        if (section && !section->header.name.isEmpty()) write(*section);
    }
    text += store_->trailer;
    // A text that begins with the UTF-8 signature would lose it on reading.
    if (text.startsWith(kUtf8Signature)) text.prepend('\n');
    return text;
}

QStringList IniDocument::sections() const {
    QStringList names;
    for (const auto& section : store_->sections) {
        if (section) names << readable(section->header.name);
    }
    return names;
}

QStringList IniDocument::keys(const QString& section) const {
    QStringList names;
    if (const Section* found = store_->find(section)) {
        for (const Entry& key : found->keys) names << readable(key.name);
    }
    return names;
}

QStringList IniDocument::values(const QString& section) const {
    QStringList result;
    if (const Section* found = store_->find(section)) {
        for (const Entry& key : found->keys) result << readable(key.value);
    }
    return result;
}

QString IniDocument::value(const QString& section, const QString& key,
                           const QString& fallback) const {
    const Section* found = store_->find(section);
    const Entry* entry = found ? found->find(storable(key)) : nullptr;
    return entry ? readable(entry->value) : fallback;
}

bool IniDocument::boolValue(const QString& section, const QString& key, bool fallback) const {
    bool isNumber = false;
    const qlonglong number = value(section, key).trimmed().toLongLong(&isNumber);
    return isNumber ? number != 0 : fallback;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    store_->obtain(storable(section)).set(storable(key), storable(value));
}

void IniDocument::setBool(const QString& section, const QString& key, bool value) {
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniDocument::eraseSection(const QString& section) {
    const auto found = store_->index.constFind(folded(storable(section)));
    if (found == store_->index.constEnd()) return;
    store_->sections[*found].reset();
    store_->index.erase(found);
}

}  // namespace config
