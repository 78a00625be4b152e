#pragma once

#include <QDialog>

class QLineEdit;

namespace ui {

// The typed confirmation before a reset: ends with Yes (accepted) only when the operator typed
// exactly "Yes"; No, Esc and the close box end it with No (rejected).
class TfrmEnterYes final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmEnterYes(QWidget* parent = nullptr);

    // Shows the dialog modally; true for Yes.
    bool confirm();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnYesClick();

    QLineEdit* edtYes_ = nullptr;
};

}  // namespace ui
