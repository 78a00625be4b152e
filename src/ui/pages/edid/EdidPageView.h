#pragma once

#include <array>

#include "ui/mainwindow/StatusWriter.h"
#include "ui/presenters/edid/EdidView.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace ui {

// The controls of the "EDID control" tab as the EDID presenter sees them.
class EdidPageView final : public EdidView {
public:
    // page: tsEDIDCtrl, holding the six lists, the two path fields, the grid and its summary.
    EdidPageView(const QWidget& page, StatusWriter showStatus);

    void setListEntries(EdidList list, const QStringList& entries) override;
    QStringList listEntries(EdidList list) const override;
    int selectedIndex(EdidList list) const override;
    void setSelectedIndex(EdidList list, int index) override;

    void setGridHeaders(const QStringList& columns, const QStringList& rows) override;
    void setGridCells(const QStringList& cells) override;
    QStringList gridCells() const override;
    void setSummary(const QString& text) override;

    QString savePath() const override;
    void setSavePath(const QString& path) override;
    QString openPath() const override;
    void setOpenPath(const QString& path) override;

    void showStatus(int panel, const QString& text, bool alert) override;

private:
    QComboBox* list(EdidList list) const;

    StatusWriter showStatus_;
    std::array<QComboBox*, 6> lists_;  // in the order of EdidList
    QTableWidget* grid_;
    QLabel* summary_;
    QLineEdit* savePath_;
    QLineEdit* openPath_;
};

}  // namespace ui
