#include "ui/mainwindow/ProgramWindows.h"

#include "ui/dialogs/EditLAN.h"
#include "ui/dialogs/EnterYes.h"
#include "ui/dialogs/PreSettingEdit.h"
#include "ui/dialogs/SearchWizard.h"
#include "ui/dialogs/ShowInOutInfo.h"
#include "ui/mainwindow/MainWindow.h"

namespace ui {

ProgramWindows::ProgramWindows(TForm1Environment environment)
    : dialogs_(*environment.dialogs), form1_(std::make_unique<TForm1>(std::move(environment))) {
    QObject::connect(
        form1_.get(), &TForm1::painted, form1_.get(), [this] { createDialogs(); },
        Qt::SingleShotConnection);
}

void ProgramWindows::createDialogs() {
    preSettingEdit_ = new TfrmPreSettingEdit(form1_.get());
    showInOutInfo_ = new TfrmShowInOutInfo(form1_.get());
    editLan_ = new TfrmEditLAN(dialogs_, form1_.get());
    search_ = new TfrmSearch(*form1_->Link(), form1_.get());
    enterYes_ = new TfrmEnterYes(form1_.get());
}

ProgramWindows::~ProgramWindows() = default;

}  // namespace ui
