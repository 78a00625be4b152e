#pragma once

#include <QDialog>

namespace ui {

// Dialogs created at start whose contents arrive with their features; nothing opens them yet.
class TfrmEditLAN final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmEditLAN(QWidget* parent = nullptr);
};

class TfrmSearch final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSearch(QWidget* parent = nullptr);
};

}  // namespace ui
