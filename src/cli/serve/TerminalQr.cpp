#include "cli/serve/TerminalQr.h"

#include <qrencode.h>

#include <memory>

namespace cli::serve {

namespace {

constexpr int kQuietZone = 2;

struct CodeFree {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

QString terminalQrCode(const QByteArray& text) {
    const std::unique_ptr<QRcode, CodeFree> code(
        QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_L));
    if (!code) return {};
    const int width = code->width;
    const auto light = [&](int row, int column) {
        if (row < 0 || column < 0 || row >= width || column >= width) return true;
        return (code->data[row * width + column] & 1) == 0;
    };
    QString drawing;
    for (int row = -kQuietZone; row < width + kQuietZone; row += 2) {
        for (int column = -kQuietZone; column < width + kQuietZone; ++column) {
            const bool top = light(row, column);
            const bool bottom = light(row + 1, column);
            drawing += top && bottom ? u'\u2588' : top ? u'\u2580' : bottom ? u'\u2584' : u' ';
        }
        drawing += u'\n';
    }
    return drawing;
}

}  // namespace cli::serve
