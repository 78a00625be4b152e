#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/IniDocument.h"

namespace config {
namespace {

TEST(IniDocumentTest, ReadsWindowsFileWithSignatureCrlfAndAnyCase) {
    const IniDocument doc(
        "\xEF\xBB\xBF[control MODE]\r\nmode=0\r\n\r\n[Pre-setting NAME]\r\nsetting2=Two\r\n"
        "SETTING1=One\r\n");
    EXPECT_EQ(doc.sections(), (QStringList{"control MODE", "Pre-setting NAME"}));
    EXPECT_EQ(doc.value("Control mode", "Mode"), "0");
    EXPECT_EQ(doc.keys("PRE-SETTING name"), (QStringList{"setting2", "SETTING1"}));
    EXPECT_EQ(doc.values("pre-setting name"), (QStringList{"Two", "One"}));
}

TEST(IniDocumentTest, DuplicateKeyKeepsLastValueAtFirstPosition) {
    const IniDocument doc("[S]\nA=first\nB=b\na=last\n");
    EXPECT_EQ(doc.keys("S"), (QStringList{"A", "B"}));
    EXPECT_EQ(doc.value("S", "A"), "last");
}

TEST(IniDocumentTest, WritesKeyEqualsValueKeepingStoredSpelling) {
    IniDocument doc("[control MODE]\nmode = 0\n");
    doc.setBool("Control mode", "Mode", true);
    doc.setValue("New", "Key", "v a l");
    EXPECT_EQ(doc.toBytes(), QByteArray("[control MODE]\nmode=1\n\n\n[New]\nKey=v a l\n"));
}

TEST(IniDocumentTest, ErasedAndRewrittenSectionMovesToEnd) {
    IniDocument doc("[A]\nk=1\n[B]\nk=2\n[C]\nk=3\n");
    doc.eraseSection("a");
    doc.setValue("A", "k", "4");
    EXPECT_EQ(doc.sections(), (QStringList{"B", "C", "A"}));
    EXPECT_EQ(doc.value("A", "k"), "4");
}

TEST(IniDocumentTest, ErasedSectionWithoutNewKeysIsGone) {
    IniDocument doc("[A]\nk=1\n[B]\nk=2\n");
    doc.eraseSection("B");
    EXPECT_EQ(doc.toBytes(), QByteArray("[A]\nk=1\n"));
}

TEST(IniDocumentTest, MissingKeyGivesFallbackButEmptyValueDoesNot) {
    const IniDocument doc("[S]\nEmpty=\n");
    EXPECT_EQ(doc.value("S", "Missing", "dflt"), "dflt");
    EXPECT_EQ(doc.value("Nope", "Empty", "dflt"), "dflt");
    EXPECT_EQ(doc.value("S", "Empty", "dflt"), "");
}

TEST(IniDocumentTest, BooleansReadAsIntegersWithFallback) {
    const struct {
        const char* stored;
        bool fallback;
        bool expected;
    } cases[] = {
        {"B=1", false, true},    {"B=0", true, false},    {"B= 7 ", false, true},
        {"B=-1", false, true},   {"B=00", true, false},   {"B=abc", true, true},
        {"B=abc", false, false}, {"B=", true, true},      {"B=1x", false, false},
        {"B=yes", false, false}, {"Other=0", true, true}, {"B=99999999999", false, true},
    };
    for (const auto& c : cases) {
        const IniDocument doc(QByteArray("[S]\n") + c.stored + "\n");
        EXPECT_EQ(doc.boolValue("S", "B", c.fallback), c.expected) << c.stored;
    }
}

TEST(IniDocumentTest, LineBreaksInNamesAndValuesStayOnOneLine) {
    IniDocument doc;
    doc.setValue("S", "K", "a\r\n[Evil]\nx=1");
    EXPECT_EQ(doc.toBytes(), QByteArray("[S]\nK=a  [Evil] x=1\n"));
    EXPECT_EQ(IniDocument(doc.toBytes()).sections(), QStringList{"S"});
}

TEST(IniDocumentTest, ValuesRoundTripAsUtf8) {
    IniDocument doc;
    doc.setValue("S", "K", QString::fromUtf8("Caf\xC3\xA9 \xE2\x86\x92 TV"));
    EXPECT_EQ(doc.toBytes(), QByteArray("[S]\nK=Caf\xC3\xA9 \xE2\x86\x92 TV\n"));
    EXPECT_EQ(IniDocument(doc.toBytes()).value("S", "K"),
              QString::fromUtf8("Caf\xC3\xA9 \xE2\x86\x92 TV"));
}

TEST(IniDocumentTest, TextThatIsNotUtf8ReadsAsLatin1AndIsKeptAsStored) {
    const QByteArray stored(
        "[S]\nPath=C:\\Donn\xE9"
        "es\\a.bin\n[U]\nRaw=\xFF\xFE\x80\n");
    IniDocument doc(stored);
    EXPECT_EQ(doc.value("S", "Path"), QString::fromUtf8("C:\\Donn\xC3\xA9"
                                                        "es\\a.bin"));
    doc.setValue("S", "Other", "x");
    EXPECT_TRUE(doc.toBytes().contains("[U]\nRaw=\xFF\xFE\x80\n"));
}

TEST(IniDocumentTest, NulBytesDoNotCutTheFileShort) {
    const char text[] = "[A]\nK=x\0y\n[B]\nK=2\n";
    const IniDocument doc(QByteArray(text, sizeof text - 1));
    EXPECT_EQ(doc.value("A", "K"), "x y");
    EXPECT_EQ(doc.value("B", "K"), "2");
}

TEST(IniDocumentTest, VeryLongLineLoads) {
    const QByteArray longValue(100 * 1024, 'x');
    const IniDocument doc("[S]\nLong=" + longValue + "\nAfter=1\n");
    EXPECT_EQ(doc.value("S", "Long").size(), longValue.size());
    EXPECT_EQ(doc.value("S", "After"), "1");
}

// Found by fuzzing: what a save writes must read back to the very same text.
TEST(IniDocumentTest, SavedTextReadsBackUnchanged) {
    const QByteArray cases[] = {
        "; above the nameless section\n[]\nk=1\n[A]\nx=1\n",
        "[]\n\xEF\xBB\xBFk=1\n",
        // An unclosed "[" is no section header: it must not swallow the lines after it.
        "; notes\r\n[contro-44-55]-[??\n[TCP control device \x80\nCaf\xE9=\xFF\r\n",
    };
    for (const QByteArray& text : cases) {
        const QByteArray saved = IniDocument(text).toBytes();
        EXPECT_EQ(IniDocument(saved).toBytes(), saved) << text.toStdString();
    }
}

TEST(IniDocumentTest, BinaryGarbageLoadsWithoutCrashing) {
    QByteArray garbage;
    quint32 seed = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.append(static_cast<char>(seed >> 24));
    }
    IniDocument doc(garbage);
    doc.setValue("S", "K", "v");
    const IniDocument reloaded(doc.toBytes());
    EXPECT_EQ(reloaded.value("S", "K"), "v");
}

}  // namespace
}  // namespace config
