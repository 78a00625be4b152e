#pragma once

#include <QWidget>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ui {

// tsFWUpgrade: the firmware file, the upgrade button, its progress and the message log.
class FwUpgradePage final : public QWidget {
    Q_OBJECT

public:
    explicit FwUpgradePage(QWidget* parent = nullptr);

    QLineEdit* edtFWFile;
    QPushButton* btnOpenFW;
    QPushButton* btnUpgrade;
    QProgressBar* tsgFWProgress;
    QPlainTextEdit* mmoMessage;

private:
    QGroupBox* buildUpgradeGroup();
    QGroupBox* buildMergeGroup();
    QGroupBox* buildMessagesGroup();
};

// The diagnostic column right of the page control; hidden and disabled for the whole run.
QWidget* buildDiagnosticColumn();

}  // namespace ui
