#pragma once

#include <QDialog>

namespace ui {

// A dialog created at start whose contents arrive with its feature; nothing opens it yet.
class TfrmSearch final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSearch(QWidget* parent = nullptr);
};

}  // namespace ui
