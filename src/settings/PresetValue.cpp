#include "settings/PresetValue.h"

namespace config {

namespace {

constexpr int kOutputCount = 6;
constexpr QChar kQuote = u'"';
constexpr QChar kComma = u',';

bool isBlank(QChar c) {
    return c.unicode() <= u' ';
}

class ItemReader {
public:
    explicit ItemReader(const QString& text) : text_(text) { skipBlanks(); }

    bool atEnd() const { return pos_ >= text_.size(); }

    // Reads one item and the separator after it; a "," that ends the text adds an
    // empty last item.
    QStringList next() {
        QStringList items{peek() == kQuote ? quoted() : plain()};
        skipBlanks();
        if (peek() == kComma) {
            ++pos_;
            if (atEnd()) items << QString();
            skipBlanks();
        }
        return items;
    }

private:
    QChar peek() const { return atEnd() ? QChar() : text_[pos_]; }

    void skipBlanks() {
        while (!atEnd() && isBlank(text_[pos_])) ++pos_;
    }

    QString plain() {
        const qsizetype start = pos_;
        while (!atEnd() && !isBlank(text_[pos_]) && text_[pos_] != kComma) ++pos_;
        return text_.mid(start, pos_ - start);
    }

    // An unclosed quote runs to the end of the text.
    QString quoted() {
        QString item;
        ++pos_;
        while (!atEnd()) {
            const QChar c = text_[pos_++];
            if (c != kQuote) {
                item += c;
            } else if (peek() == kQuote) {
                item += kQuote;
                ++pos_;
            } else {
                break;
            }
        }
        return item;
    }

    const QString& text_;
    qsizetype pos_ = 0;
};

bool needsQuotes(const QString& cell) {
    if (cell.isEmpty()) return true;
    for (const QChar c : cell) {
        if (isBlank(c) || c == kComma || c == kQuote) return true;
    }
    return false;
}

}  // namespace

QStringList splitPresetValue(const QString& text) {
    QStringList cells;
    ItemReader reader(text);
    while (!reader.atEnd()) cells << reader.next();
    for (int input = 0; cells.size() < kOutputCount; ++input) {
        cells << QString::number(input % kOutputCount + 1);
    }
    return cells;
}

QString joinPresetValue(const QStringList& cells) {
    QStringList texts;
    for (const QString& cell : cells) {
        texts << (needsQuotes(cell)
                      ? kQuote + QString(cell).replace(kQuote, QStringLiteral("\"\"")) + kQuote
                      : cell);
    }
    return texts.join(kComma);
}

}  // namespace config
