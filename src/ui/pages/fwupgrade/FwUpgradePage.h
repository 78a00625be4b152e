#pragma once

#include <QWidget>

#include "ui/presenters/fwupgrade/FwUpgradeView.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace widgets {
class TVKGauge;
}

namespace ui {

class Dialogs;

// tsFWUpgrade: the firmware file, the upgrade button, its progress and the message log.
class FwUpgradePage final : public QWidget, public FwUpgradeView {
    Q_OBJECT

public:
    explicit FwUpgradePage(QWidget* parent = nullptr);

    // A value the progress gauge refuses is an error the operator is told of.
    void reportProgressErrorsTo(Dialogs& dialogs);

    QString firmwarePath() const override;
    void setFirmwarePath(const QString& path) override;
    void setFileSummary(const QString& text) override;
    void addMessage(const QString& line) override;
    void showProgress(const QString& caption, int percent) override;
    void setUpgrading(bool upgrading) override;
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override;
    void addRebootLine(const QString& text, bool mayReplaceRebooting) override;

signals:
    void statusShown(devlink::StatusPanel panel, const QString& text, bool alert);
    // The operator's requests.
    void openRequested();
    void upgradeRequested();
    void pathEdited();

private:
    QLineEdit* edtFWFile;
    QPushButton* btnOpenFW;
    QPushButton* btnUpgrade;
    QLabel* lblFWSummary;
    widgets::TVKGauge* tsgFWProgress;
    QPlainTextEdit* mmoMessage;

    QGroupBox* buildUpgradeGroup();
    QGroupBox* buildMergeGroup();
    QGroupBox* buildMessagesGroup();
};

// The diagnostic column right of the page control; hidden and disabled for the whole run.
QWidget* buildDiagnosticColumn();

}  // namespace ui
