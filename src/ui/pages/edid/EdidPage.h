#pragma once

#include <QWidget>

#include "ui/presenters/edid/EdidView.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ui {

// tsEDIDCtrl: EDID modes, copies, the EDID grid and its files, as the EDID presenter sees them.
class EdidPage final : public QWidget, public EdidView {
    Q_OBJECT

public:
    explicit EdidPage(QWidget* parent = nullptr);

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

    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override;

signals:
    void statusShown(devlink::StatusPanel panel, const QString& text, bool alert);
    // The operator's requests, one per button.
    void setModeRequested();
    void copyRequested();
    void readRequested();
    void downloadRequested();
    void saveRequested();
    void openRequested();
    void clearRequested();

private:
    QComboBox* cbEDIDMode;
    QComboBox* cbSetEDIDModeInput;
    QPushButton* btnSetEDIDMode;
    QComboBox* cbCopyEDIDOutput;
    QComboBox* cbCopyEDIDInput;
    QPushButton* btnCopyEDID;
    QComboBox* cbReadEDIDDataOutput;
    QPushButton* btnReadEDIDData;
    QLineEdit* edtSaveEDID;
    QPushButton* btnSaveEDID;
    QComboBox* cbDownloadEDIDInput;
    QPushButton* btnDownloadEDID;
    QLineEdit* edtOpenEDID;
    QPushButton* BitBtn1;
    QTableWidget* sgEDIDContent;
    QLabel* lblEdidSummary;
    QPushButton* btnClearEDIDContent;

    QGroupBox* buildModeGroup();
    QGroupBox* buildDataGroup();
    QGroupBox* buildContentGroup();
    QComboBox* list(EdidList list) const;
};

}  // namespace ui
