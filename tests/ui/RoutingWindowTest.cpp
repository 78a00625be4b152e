#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>

#include "SettingWindow.h"
#include "support/CaseName.h"
#include "ui/dialogs/ShowInOutInfo.h"
#include "widgets/Lcd99.h"

namespace {

using testing_support::kPowerOffText;
using testing_support::SentRoute;
using testing_support::SettingWindow;

const QStringList kDesignDigits{"6", "6", "6", "6", "6", "6"};

TEST(RoutingWindow, DesignStateUntilTheWindowIsShown) {
    testing_support::WindowHarness h;
    h.buildEveryPage();
    EXPECT_EQ(h.find<widgets::TLCD99>("LED1")->digitNum(), 4);
    EXPECT_EQ(h.form().findChild<QAction*>("mnuAllOutputs")->property("Tag").toInt(), 8);
    h.show();
    for (int output = 1; output <= 8; ++output) {
        auto* led = h.find<widgets::TLCD99>(QStringLiteral("LED%1").arg(output));
        EXPECT_EQ(led->digitNum(), 1);
        EXPECT_EQ(led->size(), QSize(81, 89));
        EXPECT_EQ(led->value(), output <= 6 ? "6" : "8");
    }
    EXPECT_EQ(h.form().findChild<QAction*>("mnuAllOutputs")->property("Tag").toInt(), 6);
    EXPECT_TRUE(h.find<QWidget>("sbSetInput")->isEnabled());
    EXPECT_TRUE(h.find<QWidget>("GroupBox7")->isHidden());
    EXPECT_TRUE(h.find<QWidget>("SpeedButton7")->isHidden());  // output 1, input 7
}

TEST(RoutingWindow, ShowingThePageReadsEveryRoute) {
    SettingWindow w;
    w.h.sim.state().routes = {3, 1, 4, 1, 5, 2};
    w.showSettingPage();
    EXPECT_EQ(w.digits(), (QStringList{"3", "1", "4", "1", "5", "2"}));
    EXPECT_EQ(w.downButtons(), (std::vector<int>{3, 1, 4, 1, 5, 2}));
    EXPECT_EQ(w.routeReadsSent(), 6);
    EXPECT_EQ(w.h.panel(2), "Done");
}

TEST(RoutingWindow, ShowingThePageWhilePoweredOffReadsNothing) {
    SettingWindow w;
    w.setPower(false);
    w.showSettingPage();
    EXPECT_EQ(w.routeReadsSent(), 0);
    EXPECT_EQ(w.digits(), kDesignDigits);
    EXPECT_TRUE(w.h.dialogs.shown.empty());
}

TEST(RoutingWindow, ClickSwitchesTheOutputEvenToTheInputItShows) {
    SettingWindow w;
    w.inputButton(3, 5)->click();
    w.inputButton(1, 6)->click();
    EXPECT_EQ(w.routesSent(), (std::vector<SentRoute>{{3, 5}, {1, 6}}));
    EXPECT_EQ(w.switcherRoutes(), (std::vector<int>{6, 2, 5, 4, 5, 6}));
    EXPECT_EQ(w.digits(), (QStringList{"6", "6", "5", "6", "6", "6"}));
    EXPECT_EQ(w.downButtons(), (std::vector<int>{6, 6, 5, 6, 6, 6}));
    EXPECT_EQ(w.h.panel(2), "Done");
}

TEST(RoutingWindow, RefusedSwitchRevertsButtonAndDigits) {
    SettingWindow w;
    w.inputButton(2, 4)->click();
    w.refuseRoutesTo(2);
    w.inputButton(2, 1)->click();
    EXPECT_EQ(w.digits()[1], "4");
    EXPECT_EQ(w.downButtons()[1], 4);
    EXPECT_TRUE(w.routeFailed());
    EXPECT_EQ(w.switcherRoutes()[1], 4);
    EXPECT_TRUE(w.h.alertShown());
}

TEST(RoutingWindow, PowerOffRefusesEveryClickAndChangesNothing) {
    SettingWindow w;
    w.setPower(false);
    w.inputButton(4, 2)->click();
    w.arrow(7)->click();
    EXPECT_EQ(w.h.dialogs.texts("information"), (QStringList{kPowerOffText, kPowerOffText}));
    EXPECT_TRUE(w.routesSent().empty());
    EXPECT_EQ(w.digits(), kDesignDigits);
    EXPECT_EQ(w.downButtons(), std::vector<int>(6, 6));
}

struct ArrowCase {
    int output;
    int showing;
    bool next;
    int expected;
};

std::string nameOf(const ArrowCase& c) {
    return "Output" + std::to_string(c.output) + "Input" + std::to_string(c.showing) +
           (c.next ? "Next" : "Previous");
}

void PrintTo(const ArrowCase& c, std::ostream* os) {
    *os << nameOf(c) << " gives Input" << c.expected;
}

class RoutingArrows : public testing::TestWithParam<ArrowCase> {};

TEST_P(RoutingArrows, StepAndWrapWithinSixInputs) {
    const ArrowCase c = GetParam();
    SettingWindow w;
    w.inputButton(c.output, c.showing)->click();
    w.h.transport->written.clear();
    w.arrow(2 * c.output - (c.next ? 0 : 1))->click();
    EXPECT_EQ(w.routesSent(), (std::vector<SentRoute>{{c.output, c.expected}}));
    EXPECT_EQ(w.digits()[c.output - 1], QString::number(c.expected));
    EXPECT_EQ(w.downButtons()[c.output - 1], c.expected);
}

INSTANTIATE_TEST_SUITE_P(Arrows, RoutingArrows,
                         testing::Values(ArrowCase{1, 1, false, 6}, ArrowCase{6, 6, true, 1},
                                         ArrowCase{3, 4, false, 3}, ArrowCase{2, 4, true, 5}),
                         [](const auto& info) { return nameOf(info.param); });

struct MenuCase {
    const char* item;
    int output;  // of the hovered button
    int input;
    std::vector<SentRoute> sent;
};

void PrintTo(const MenuCase& c, std::ostream* os) {
    *os << c.item << " over Output" << c.output << " Input" << c.input;
}

class RoutingMenu : public testing::TestWithParam<MenuCase> {};

TEST_P(RoutingMenu, SwitchesItsRangeInAscendingOrder) {
    const MenuCase& c = GetParam();
    SettingWindow w;
    w.hover(w.inputButton(c.output, c.input));
    w.chooseMenuItem(c.item);
    EXPECT_EQ(w.routesSent(), c.sent);
    for (const SentRoute& route : c.sent) {
        EXPECT_EQ(w.digits()[route.output - 1], QString::number(route.input));
    }
    EXPECT_FALSE(w.routeFailed());
}

INSTANTIATE_TEST_SUITE_P(
    Items, RoutingMenu,
    testing::Values(
        MenuCase{"mnuAllOutputs", 4, 2, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}},
        MenuCase{"mnu1Output", 5, 3, {{5, 3}}}, MenuCase{"mnu2Outputs", 6, 1, {{6, 1}}},
        MenuCase{"mnu3Outputs", 2, 4, {{2, 4}, {3, 4}, {4, 4}}},
        MenuCase{"mnu5Outputs", 3, 1, {{3, 1}, {4, 1}, {5, 1}, {6, 1}}},
        MenuCase{"mnuPortToPort", 5, 3, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}}),
    testing_support::CaseNamer([](const auto& c) { return std::string(c.item); }));

TEST(RoutingWindow, BatchStopsAtTheFirstRefusedOutput) {
    SettingWindow w;
    w.refuseRoutesTo(3);
    w.hover(w.inputButton(5, 2));
    w.chooseMenuItem("mnuAllOutputs");
    EXPECT_EQ(w.routesSent(), (std::vector<SentRoute>{{1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(w.digits(), (QStringList{"2", "2", "6", "6", "6", "6"}));
    EXPECT_EQ(w.downButtons(), (std::vector<int>{2, 2, 6, 6, 6, 6}));
    EXPECT_EQ(w.switcherRoutes(), (std::vector<int>{2, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(w.routeFailed());
}

TEST(RoutingWindow, HoverWritesTheNoteWithTags) {
    SettingWindow w("[Tag of Input - COM]\nIn2=DVD\n[Tag of Output - COM]\nOut4=TV\n");
    auto* note = w.h.find<QLabel>("lblNote");
    w.hover(w.inputButton(4, 2));
    EXPECT_EQ(note->text(), "Output4 - [TV] from Input2 - [DVD]");
    w.hover(w.inputButton(1, 3));
    EXPECT_EQ(note->text(), "Output1 from Input3");
    w.hover(w.arrow(8));  // output 4's next arrow: the input its display shows
    EXPECT_EQ(note->text(), "Output4 - [TV] from Input6");
    w.leave(w.arrow(8));
    EXPECT_EQ(note->text(), "Output from Input");
}

struct PopupCase {
    QByteArray tags;
    bool displayTags;
    bool arrow;
    bool shown;
};

std::string nameOf(const PopupCase& c) {
    return std::string(c.tags.isEmpty() ? "Untagged" : "Tagged") +
           (c.displayTags ? "Ticked" : "Unticked") + (c.arrow ? "OverArrow" : "OverInput");
}

void PrintTo(const PopupCase& c, std::ostream* os) {
    *os << nameOf(c) << (c.shown ? " shows" : " hides");
}

class TagPopup : public testing::TestWithParam<PopupCase> {};

TEST_P(TagPopup, ShowsOnlyForTaggedPortsWhenTickedOverInputButtons) {
    const PopupCase& c = GetParam();
    SettingWindow w(c.tags);
    w.h.find<QCheckBox>("cbDisplayTag")->setChecked(c.displayTags);
    auto& popup = w.h.windows->showInOutInfo();
    QAbstractButton* button = c.arrow ? w.arrow(3) : w.inputButton(2, 5);
    w.hover(button);
    EXPECT_EQ(popup.isVisible(), c.shown);
    w.leave(button);
    EXPECT_FALSE(popup.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagPopup,
    testing::Values(PopupCase{"[Tag of Input - COM]\nIn5=PC\n", true, false, true},
                    PopupCase{"[Tag of Input - COM]\nIn5=PC\n", false, false, false},
                    PopupCase{"[Tag of Input - COM]\nIn5=PC\n", true, true, false},
                    PopupCase{"", true, false, false}),
    [](const auto& info) { return nameOf(info.param); });

TEST(RoutingWindow, TagPopupListsEveryPortBelowTheMouse) {
    SettingWindow w("[Tag of Output - COM]\nOut1=TV\n[Display tag]\nValue=1\n");
    auto& popup = w.h.windows->showInOutInfo();
    w.hover(w.inputButton(1, 1));
    ASSERT_TRUE(popup.isVisible());
    const QString text = popup.lblInfo()->text();
    EXPECT_TRUE(text.startsWith("Output1 - [TV]\nOutput2 - No tag\n")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("\nInput6 - No tag")) << text.toStdString();
    const QFontMetrics metrics(popup.lblInfo()->font());
    // At least the height of its lines; the label itself decides the rest (its line spacing).
    EXPECT_GE(popup.height(), 12 * metrics.height() + 10);
    int widest = 0;
    for (const QString& line : text.split('\n')) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    EXPECT_EQ(popup.width(), widest + 10);
    // Opening the input buttons' menu closes it.
    emit w.h.form().findChild<QMenu*>("pm")->aboutToShow();
    EXPECT_FALSE(popup.isVisible());
}

}  // namespace
