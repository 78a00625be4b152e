#pragma once

#include <QDialog>
#include <QStringList>
#include <array>

#include "link/VKCOMControl.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace widgets {
class TVKGauge;
}

namespace ui {

// The search wizard behind "Search ...": a broadcast search first, then, if the wanted switcher
// is not among the answers, a search by the address the operator types. It hands back device
// entries. Ends with OK (Yes, Done), Cancel (Close after a stop or on the address page) or
// No (Close when nothing was found).
class TfrmSearch final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPageCount = 6;
    enum Result { Cancel = QDialog::Rejected, Ok = QDialog::Accepted, No = 7 };

    TfrmSearch(devlink::TVKCOMControl& link, QWidget* parent = nullptr);

    // Every entry found, for the main window to add after OK.
    const QStringList& results() const { return results_; }
    void clearResults() { results_.clear(); }
    // The link's search progress, shown while the searching page is up.
    void searchStatus(const QString& text);
    // The page showing, 1 to 6.
    int page() const { return page_; }

    // Only the wizard's own buttons end it; Esc does nothing.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* addPage(int n, const QString& caption);
    void buildSearchingPage();
    void buildFoundPage();
    void buildAddressPage();
    void buildCancelledPage();
    void buildCompletePage();
    void buildNothingFoundPage();
    void showPage(int n, const QString& caption = QString());
    void fillList(QComboBox* list, int page);

    void FormActivate();
    void btnStopClick();
    void btnGOClick();
    QString moduleEntry(int n, const QString& ip, bool sameSubnet) const;

    devlink::TVKCOMControl& link_;
    QStringList results_;
    bool firstActivation_ = false;
    bool stopped_ = false;
    int page_ = 1;

    std::array<QWidget*, kPageCount> pages_{};
    std::array<QGroupBox*, kPageCount> groups_{};
    widgets::TVKGauge* tsSearching_ = nullptr;
    QPushButton* btnStop_ = nullptr;
    QComboBox* cbMXDevice_ = nullptr;
    QPushButton* btnYES_ = nullptr;
    std::array<QLineEdit*, 4> ipFields_{};
    QPushButton* btnStopThenClose_ = nullptr;
    QComboBox* cbMXDevice1_ = nullptr;
    QPushButton* btnDone_ = nullptr;
    QPushButton* btnCloseOfEnd_ = nullptr;
};

}  // namespace ui
