// A hand-edited Settings.ini, fuzzed apart as the things the program does with it; the input's
// length picks one, so none pays for the others and no file is touched.
// A multiple of 4: the window reads every setting. 2 more: it reads the tags of a COM or a TCP
// connection. Odd: a save writes it out, and what it writes must load again to the very same
// bytes.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "settings/IniDocument.h"
#include "settings/PortTagSections.h"
#include "settings/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const config::IniDocument document(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (size % 4 == 0) {
        config::readSettings(document);
    } else if (size % 4 == 2) {
        const bool isCom = size % 8 == 2;
        config::loadPortTags(document, isCom, QStringLiteral("00-1A-2B-3C-4D-5E"));
    } else {
        const QByteArray saved = document.toBytes();
        if (config::IniDocument(saved).toBytes() != saved) std::abort();
    }
    return 0;
}
