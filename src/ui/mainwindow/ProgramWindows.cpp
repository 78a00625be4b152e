#include "ProgramWindows.h"

#include "DialogShells.h"
#include "EnterYes.h"
#include "MainWindow.h"
#include "PreSettingEdit.h"
#include "ShowInOutInfo.h"

namespace ui {

ProgramWindows::ProgramWindows(TForm1Environment environment)
    : form1_(std::make_unique<TForm1>(std::move(environment))),
      preSettingEdit_(new TfrmPreSettingEdit(form1_.get())),
      showInOutInfo_(new TfrmShowInOutInfo(form1_.get())),
      editLan_(new TfrmEditLAN(form1_.get())),
      search_(new TfrmSearch(form1_.get())),
      enterYes_(new TfrmEnterYes(form1_.get())) {}

ProgramWindows::~ProgramWindows() = default;

}  // namespace ui
