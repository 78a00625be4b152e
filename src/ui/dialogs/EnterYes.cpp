#include "ui/dialogs/EnterYes.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/pages/FormParts.h"

namespace ui {

TfrmEnterYes::TfrmEnterYes(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmEnterYes"));
    setWindowTitle(QStringLiteral("Confirm to Reset"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Confirmation"), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(new QLabel(
        QStringLiteral("Enter 'Yes' in the following edit box to confirm Reset Default process."),
        group));
    edtYes_ = makeControl<QLineEdit>(group, "edtYes");
    groupLayout->addWidget(edtYes_);
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* yes = makeControl<QPushButton>(this, "btnYes", QStringLiteral("Yes"));
    yes->setDefault(true);
    auto* no = makeControl<QPushButton>(this, "btnNo", QStringLiteral("No"));
    no->setAutoDefault(false);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(yes, &QPushButton::clicked, this, &TfrmEnterYes::btnYesClick);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmEnterYes::confirm() {
    return exec() == QDialog::Accepted;
}

void TfrmEnterYes::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edtYes_->clear();
    edtYes_->setFocus();
}

void TfrmEnterYes::btnYesClick() {
    if (edtYes_->text() == QStringLiteral("Yes")) {
        accept();
        return;
    }
    edtYes_->setFocus();
}

}  // namespace ui
