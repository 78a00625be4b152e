#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/PortTagSections.h"

namespace config {
namespace {

const QString kMacA = "00-1A-2B-3C-4D-5E";
const QString kMacB = "AA-BB-CC-DD-EE-FF";

PortTags tagsNamed(const QString& prefix) {
    PortTags tags;
    for (int i = 0; i < kTaggedPortCount; ++i) {
        tags.inputs[i] = prefix + " in " + QString::number(i + 1);
        tags.outputs[i] = prefix + " out " + QString::number(i + 1);
    }
    return tags;
}

TEST(PortTagSectionsTest, EachConnectionKeepsItsOwnTags) {
    IniDocument doc;
    savePortTags(doc, false, kMacA, tagsNamed("A"));
    savePortTags(doc, false, kMacB, tagsNamed("B"));
    savePortTags(doc, true, kMacA, tagsNamed("C"));
    EXPECT_EQ(doc.sections(),
              (QStringList{"Tag of Input - TCP:" + kMacA, "Tag of Output - TCP:" + kMacA,
                           "Tag of Input - TCP:" + kMacB, "Tag of Output - TCP:" + kMacB,
                           "Tag of Input - COM", "Tag of Output - COM"}));
    EXPECT_EQ(doc.keys("Tag of Input - COM"),
              (QStringList{"In1", "In2", "In3", "In4", "In5", "In6"}));
    EXPECT_EQ(doc.value("Tag of Output - TCP:" + kMacB, "Out6"), "B out 6");
    EXPECT_EQ(loadPortTags(doc, false, kMacA), tagsNamed("A"));
    EXPECT_EQ(loadPortTags(doc, false, kMacB.toLower()), tagsNamed("B"));
    EXPECT_EQ(loadPortTags(doc, true, kMacB), tagsNamed("C"));
    EXPECT_EQ(loadPortTags(doc, false, "11-11-11-11-11-11"), PortTags());
}

TEST(PortTagSectionsTest, ClearedTagsRemoveTheirSectionsOnly) {
    IniDocument doc;
    savePortTags(doc, false, kMacA, tagsNamed("A"));
    savePortTags(doc, false, kMacB, tagsNamed("B"));
    PortTags outputsOnly = tagsNamed("A");
    outputsOnly.inputs.fill("  ");
    savePortTags(doc, false, kMacA, outputsOnly);
    EXPECT_EQ(doc.sections(),
              (QStringList{"Tag of Output - TCP:" + kMacA, "Tag of Input - TCP:" + kMacB,
                           "Tag of Output - TCP:" + kMacB}));
    savePortTags(doc, false, kMacA, PortTags());
    EXPECT_EQ(doc.sections(),
              (QStringList{"Tag of Input - TCP:" + kMacB, "Tag of Output - TCP:" + kMacB}));
}

TEST(PortTagSectionsTest, NoDeviceWritesNothing) {
    for (const QString& mac : {QString(kNoDeviceMac), QString()}) {
        IniDocument doc("[Other]\nK=1\n");
        savePortTags(doc, false, mac, tagsNamed("X"));
        EXPECT_EQ(doc.toBytes(), QByteArray("[Other]\nK=1\n")) << mac.toStdString();
    }
}

TEST(PortTagSectionsTest, TidyErasesBlankSectionsNamedTagOfCaseSensitively) {
    IniDocument doc(
        "[Tag of Input - TCP:11-11-11-11-11-11]\nIn1=  \nIn2=\n"
        "[Tag of Output - TCP:11-11-11-11-11-11]\nOut3=Projector\n"
        "[My Tag of things]\n"
        "[tag of lower case]\nK=\n"
        "[Blank but unrelated]\nK=\n");
    savePortTags(doc, true, kMacA, PortTags());
    EXPECT_EQ(doc.sections(), (QStringList{"Tag of Output - TCP:11-11-11-11-11-11",
                                           "tag of lower case", "Blank but unrelated"}));
}

}  // namespace
}  // namespace config
