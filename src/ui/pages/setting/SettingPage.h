#pragma once

#include <QWidget>
#include <array>
#include <memory>

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

class PresetList;
class RoutingPanel;
class TabWindow;
struct RouteArrowIcons;

// The routing view's widgets, as the routing panel drives them.
struct RoutingWidgets {
    static constexpr int kOutputs = 8;  // groups "Output7" and "Output8" stay hidden
    static constexpr int kInputs = 8;   // buttons "7" and "8" stay hidden

    std::array<QGroupBox*, kOutputs> outputGroups{};
    std::array<widgets::TLCD99*, kOutputs> leds{};
    // [output - 1][input - 1]
    std::array<std::array<QPushButton*, kInputs>, kOutputs> inputButtons{};
    QLabel* lblNote = nullptr;
    QAction* mnuAllOutputs = nullptr;
};

// tsSetting: the routing view (a digit display, input buttons and arrows per output, the
// note and the input buttons' menu) and the pre-settings list. The routing panel and the
// pre-settings list are the views the tab's presenters drive; the operator's requests come
// out as signals.
class SettingPage final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kOutputs = RoutingWidgets::kOutputs;
    static constexpr int kInputs = RoutingWidgets::kInputs;

    explicit SettingPage(TabWindow& window, QWidget* parent = nullptr);
    ~SettingPage() override;

    RoutingPanel& routingPanel() { return *panel_; }
    PresetList& presetList() { return *list_; }
    // Window show: one digit per display, fixed list columns.
    void windowShown();

signals:
    // An input button (output 1 to 8) or an arrow (output 0) was clicked; tag as designed.
    void routeButtonClicked(int output, int tag);
    // The mouse is over a route button, or has left them.
    void routeButtonHovered(int output, int tag);
    void routeButtonsLeft();
    void routeMenuOpened();
    void routeMenuChosen(int tag);
    void presetSelected(int row);  // 1 to 8, 0 for none
    void presetEditRequested();
    void presetSetRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildOutputGroup(int output, const RouteArrowIcons& arrows);
    void buildRouteMenu();
    QGroupBox* buildPresetGroup();
    static QTableWidget* buildPresetList(QWidget* group);
    void bindRouteButton(QPushButton* button);
    void hover(const QObject* button);

    RoutingWidgets routing_;
    QMenu* pm = nullptr;
    QTableWidget* lvPreSetting = nullptr;
    QPushButton* btnPreEdit = nullptr;
    QPushButton* btnSet = nullptr;
    std::unique_ptr<RoutingPanel> panel_;
    std::unique_ptr<PresetList> list_;
};

}  // namespace ui
