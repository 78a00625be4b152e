#pragma once

#include <QWidget>
#include <array>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

namespace widgets {
class TLCD99;
}

namespace ui {

struct RouteArrowIcons;

// tsSetting: the routing view (a digit display, input buttons and arrows per output, the
// note and the input buttons' menu) and the pre-settings list.
class SettingPage final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kOutputs = 8;  // groups "Output7" and "Output8" stay hidden
    static constexpr int kInputs = 8;   // buttons "7" and "8" stay hidden

    explicit SettingPage(QWidget* parent = nullptr);

    std::array<QGroupBox*, kOutputs> outputGroups{};
    std::array<widgets::TLCD99*, kOutputs> leds{};
    // [output - 1][input - 1]
    std::array<std::array<QPushButton*, kInputs>, kOutputs> inputButtons{};
    // The input buttons and the arrows, each with its "GroupIndex" and "Tag".
    std::vector<QPushButton*> routeButtons;
    QLabel* lblNote;
    QMenu* pm;
    QAction* mnuAllOutputs;
    QTableWidget* lvPreSetting;
    QPushButton* btnPreEdit;
    QPushButton* btnSet;

private:
    QGroupBox* buildOutputGroup(int output, const RouteArrowIcons& arrows);
    void buildRouteMenu();
    QGroupBox* buildPresetGroup();
    static QTableWidget* buildPresetList(QWidget* group);
};

}  // namespace ui
