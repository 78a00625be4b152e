#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/CaseName.h"
#include "ui/dialogs/EnterYes.h"
#include "ui/dialogs/ShowInOutInfo.h"

namespace {

struct Typed {
    const char* text;
    bool accepted;
};

void PrintTo(const Typed& t, std::ostream* os) {
    *os << '"' << t.text << (t.accepted ? "\" accepted" : "\" refused");
}

class EnterYesTyping : public ::testing::TestWithParam<Typed> {};

TEST_P(EnterYesTyping, OnlyExactYesEndsTheDialog) {
    ui::TfrmEnterYes dialog;
    dialog.open();
    auto* edit = dialog.findChild<QLineEdit*>("edtYes");
    QTest::keyClicks(edit, QLatin1String(GetParam().text));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.isVisible(), !GetParam().accepted);
    if (GetParam().accepted) {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    dialog.reject();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EnterYesTyping,
    ::testing::Values(Typed{"yes", false}, Typed{" Yes", false}, Typed{"Yes ", false},
                      Typed{"YES", false}, Typed{"", false}, Typed{"Yes", true}),
    testing_support::CaseNamer([](const auto& c) { return std::string(c.text); }));

TEST(EnterYes, CaptionAndButtons) {
    ui::TfrmEnterYes dialog;
    EXPECT_EQ(dialog.windowTitle(), "Confirm to Reset");
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnYes")->text(), "Yes");
    EXPECT_TRUE(dialog.findChild<QPushButton*>("btnYes")->isDefault());
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnNo")->text(), "No");
    EXPECT_NE(dialog.findChild<QLabel*>(), nullptr);
}

TEST(EnterYes, ReopenedDialogIsEmpty) {
    ui::TfrmEnterYes dialog;
    dialog.open();
    auto* edit = dialog.findChild<QLineEdit*>("edtYes");
    QTest::keyClicks(edit, "Ye");
    dialog.reject();
    dialog.open();
    EXPECT_EQ(edit->text(), "");
    dialog.reject();
}

TEST(EnterYes, NoAndEscapeAnswerNo) {
    ui::TfrmEnterYes dialog;
    for (const auto& dismiss : std::vector<std::function<void()>>{
             [&] { dialog.findChild<QPushButton*>("btnNo")->click(); },
             [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }, [&] { dialog.close(); }}) {
        dialog.open();
        QTest::keyClicks(dialog.findChild<QLineEdit*>("edtYes"), "Yes");
        dismiss();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

TEST(EnterYes, ConfirmReturnsTrueForYes) {
    ui::TfrmEnterYes dialog;
    QTimer::singleShot(0, &dialog, [&] {
        auto* edit = dialog.findChild<QLineEdit*>("edtYes");
        QTest::keyClicks(edit, "Yes");
        QTest::keyClick(edit, Qt::Key_Enter);
    });
    EXPECT_TRUE(dialog.confirm());
}

class InfoPopupClick : public ::testing::TestWithParam<const char*> {};

TEST_P(InfoPopupClick, ClickAnywhereCloses) {
    ui::TfrmShowInOutInfo popup;
    popup.resize(200, 40);
    popup.show();
    QWidget* target = *GetParam() ? popup.findChild<QWidget*>(GetParam()) : &popup;
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(popup.isVisible());
}

// "" clicks the pop-up itself.
INSTANTIATE_TEST_SUITE_P(Parts, InfoPopupClick, ::testing::Values("", "Panel1", "lblInfo"),
                         testing_support::CaseNamer([](const char* part) {
                             return std::string(*part ? part : "Popup");
                         }));

TEST(InfoPopup, EveryLineOfTheTagListFitsInside) {
    ui::TfrmShowInOutInfo popup;
    QStringList lines{"Input port tags:"};
    for (int port = 1; port <= 6; ++port) lines << QStringLiteral("Input%1 - No tag").arg(port);
    popup.showLines(lines);
    popup.show();
    const QLabel* label = popup.lblInfo();
    const QRect text = label->contentsRect().translated(label->mapTo(&popup, QPoint(0, 0)));
    EXPECT_TRUE(popup.rect().contains(text))
        << "label " << text.bottom() << " popup " << popup.rect().bottom();
    EXPECT_GE(text.height(), label->sizeHint().height());
}

TEST(InfoPopup, LabelIsBoldTimesAtFourFour) {
    ui::TfrmShowInOutInfo popup;
    const QLabel* label = popup.lblInfo();
    EXPECT_EQ(label->objectName(), "lblInfo");
    EXPECT_EQ(label->text(), "Output from Input");
    EXPECT_EQ(label->pos(), QPoint(4, 4));
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pixelSize(), 19);
    EXPECT_EQ(label->font().family(), "Times New Roman");
    EXPECT_TRUE(popup.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(popup.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
