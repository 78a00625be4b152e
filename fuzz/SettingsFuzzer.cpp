// A hand-edited Settings.ini: loaded, every setting read, written back and saved. What a
// save writes must load again to the very same bytes.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "settings/IniDocument.h"
#include "settings/PortTagSections.h"
#include "settings/SettingsFile.h"

using namespace ui;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IniDocument document(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const SettingsData settings = readSettings(document);
    const bool isCom = size % 2 == 0;
    const QString mac = QStringLiteral("00-1A-2B-3C-4D-5E");
    const PortTags tags = loadPortTags(document, isCom, mac);
    writeSettings(document, settings, {isCom, mac, tags});
    const QByteArray saved = document.toBytes();
    if (IniDocument(saved).toBytes() != saved) std::abort();
    return 0;
}
