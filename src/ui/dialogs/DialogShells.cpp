#include "ui/dialogs/DialogShells.h"

namespace ui {

namespace {

void shapeDialog(QDialog* dialog, const char* name, const QString& caption) {
    dialog->setObjectName(QLatin1String(name));
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
}

}  // namespace

TfrmSearch::TfrmSearch(QWidget* parent) : QDialog(parent) {
    shapeDialog(this, "TfrmSearch", QString());
}

}  // namespace ui
