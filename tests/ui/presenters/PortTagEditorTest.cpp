#include <gtest/gtest.h>

#include <vector>

#include "support/CaseName.h"
#include "ui/presenters/Dialogs.h"
#include "ui/presenters/porttag/PortTagEditor.h"

namespace {

using ui::PortTagEditor;
using Kind = PortTagEditor::Kind;

// The operator's answers to the boxes, and what the boxes said.
struct Answers final : ui::Dialogs {
    void information(const QString& text) override { informed.push_back(text); }
    void error(const QString& text) override { ADD_FAILURE() << text.toStdString(); }
    bool question(const QString& text) override {
        asked.push_back(text);
        return yes;
    }
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }

    bool yes = true;
    std::vector<QString> informed;
    std::vector<QString> asked;
};

TEST(PortTagEditor, TextsOfEachKind) {
    const PortTagEditor inputs(Kind::Inputs);
    const PortTagEditor outputs(Kind::Outputs);
    EXPECT_EQ(inputs.caption(), "Edit Input port tags");
    EXPECT_EQ(outputs.caption(), "Edit Output port tags");
    EXPECT_EQ(inputs.boxLabel(3), "Device name connect Input3");
    EXPECT_EQ(outputs.boxLabel(6), "Display name connect Output6");
    EXPECT_EQ(inputs.boxTag(2), 2);
    EXPECT_EQ(outputs.boxTag(2), 42);
}

TEST(PortTagEditor, HistoryIsSortedWithoutRegardToCase) {
    PortTagEditor editor(Kind::Inputs);
    editor.setHistory({"dvd", "Blu-ray", "Apple TV", "camera"});
    EXPECT_EQ(editor.history(), (QStringList{"Apple TV", "Blu-ray", "camera", "dvd"}));
}

TEST(PortTagEditor, MergeAddsOnlyNamesNotKnownInAnyCase) {
    PortTagEditor editor(Kind::Inputs);
    editor.setHistory({"DVD"});
    editor.mergeNames({"dvd", "", "Camera", "camera", "PC", ""});
    // "dvd" matches "DVD"; "camera" matches the "Camera" added just before it.
    EXPECT_EQ(editor.history(), (QStringList{"Camera", "DVD", "PC"}));
}

TEST(PortTagEditor, MergeKeepsBlanksInsideNames) {
    PortTagEditor editor(Kind::Outputs);
    editor.mergeNames({" TV [left]", "", "", "", "", ""});
    EXPECT_EQ(editor.history(), (QStringList{" TV [left]"}));
}

TEST(PortTagEditor, DeletingAnEmptyBoxAsksNothing) {
    PortTagEditor editor(Kind::Inputs);
    editor.setHistory({"DVD"});
    Answers answers;
    EXPECT_FALSE(editor.deleteName({"DVD", "", "", "", "", ""}, 2, answers));
    EXPECT_TRUE(answers.informed.empty());
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(editor.history(), (QStringList{"DVD"}));
}

struct InUseCase {
    Kind kind;
    PortTagEditor::Boxes boxes;
    int port;
    QString message;  // empty: not in use
};

class DeleteInUse : public testing::TestWithParam<InUseCase> {};

TEST_P(DeleteInUse, RefusesOnlyAnExactMatchInAnotherBox) {
    const InUseCase c = GetParam();
    PortTagEditor editor(c.kind);
    editor.setHistory({"DVD", "PC"});
    Answers answers;
    answers.yes = false;
    EXPECT_FALSE(editor.deleteName(c.boxes, c.port, answers));
    if (c.message.isEmpty()) {
        EXPECT_TRUE(answers.informed.empty());
        EXPECT_EQ(answers.asked.size(), 1u);
    } else {
        EXPECT_EQ(answers.informed, std::vector<QString>{c.message});
        EXPECT_TRUE(answers.asked.empty());
    }
    EXPECT_EQ(editor.history(), (QStringList{"DVD", "PC"}));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, DeleteInUse,
    testing::Values(InUseCase{Kind::Inputs,
                              {"DVD", "", "", "", "", "DVD"},
                              1,
                              "Input port tag in use, can't be deleted."},
                    InUseCase{Kind::Inputs,
                              {"DVD", "", "", "", "", "DVD"},
                              6,
                              "Input port tag in use, can't be deleted."},
                    InUseCase{Kind::Outputs,
                              {"", "PC", "PC", "", "", ""},
                              3,
                              "Output port tag in use, can't be deleted."},
                    // Another case is another name for this check.
                    InUseCase{Kind::Inputs, {"DVD", "dvd", "", "", "", ""}, 1, ""},
                    InUseCase{Kind::Outputs, {"PC", "", "", "", "", ""}, 1, ""}),
    testing_support::CaseNamer([](const InUseCase& c) {
        return std::string(c.kind == Kind::Inputs ? "input " : "output ") + std::to_string(c.port) +
               (c.message.isEmpty() ? " free" : " in use");
    }));

TEST(PortTagEditor, ConfirmedDeleteRemovesTheNameInAnyCase) {
    PortTagEditor editor(Kind::Outputs);
    editor.setHistory({"TV", "tv", "Projector"});
    Answers answers;
    EXPECT_TRUE(editor.deleteName({"", "", "Tv", "", "", ""}, 3, answers));
    EXPECT_EQ(answers.asked, std::vector<QString>{"Sure to delete Output port tag: [Tv] ?"});
    EXPECT_EQ(editor.history(), (QStringList{"Projector"}));
}

TEST(PortTagEditor, AnsweringNoKeepsTheName) {
    PortTagEditor editor(Kind::Inputs);
    editor.setHistory({"DVD"});
    Answers answers;
    answers.yes = false;
    EXPECT_FALSE(editor.deleteName({"DVD", "", "", "", "", ""}, 1, answers));
    EXPECT_EQ(answers.asked, std::vector<QString>{"Sure to delete Input port tag: [DVD] ?"});
    EXPECT_EQ(editor.history(), (QStringList{"DVD"}));
}

TEST(PortTagEditor, PortOutsideOneToSixDoesNothing) {
    PortTagEditor editor(Kind::Inputs);
    editor.setHistory({"DVD"});
    Answers answers;
    const PortTagEditor::Boxes boxes{"DVD", "DVD", "DVD", "DVD", "DVD", "DVD"};
    for (int port : {0, 7, -1}) EXPECT_FALSE(editor.deleteName(boxes, port, answers));
    EXPECT_TRUE(answers.informed.empty());
    EXPECT_TRUE(answers.asked.empty());
}

}  // namespace
