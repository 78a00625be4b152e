#pragma once

#include <memory>

#include "ui/platform/WindowServices.h"

namespace ui {

class TForm1;
class TfrmPreSettingEdit;
class TfrmShowInOutInfo;
class TfrmEditLAN;
class TfrmSearch;
class TfrmEnterYes;

// Every window of the program, created in this order and living until the end: the main
// window at start, the dialogs, which belong to it, once it has painted, so it shows sooner.
class ProgramWindows {
public:
    explicit ProgramWindows(TForm1Environment environment);
    ~ProgramWindows();

    TForm1& form1() const { return *form1_; }
    TfrmPreSettingEdit& preSettingEdit() const { return *preSettingEdit_; }
    TfrmShowInOutInfo& showInOutInfo() const { return *showInOutInfo_; }
    TfrmEditLAN& editLan() const { return *editLan_; }
    TfrmSearch& search() const { return *search_; }
    TfrmEnterYes& enterYes() const { return *enterYes_; }

private:
    void createDialogs();

    Dialogs& dialogs_;  // taken before the environment moves into the main window
    std::unique_ptr<TForm1> form1_;
    TfrmPreSettingEdit* preSettingEdit_ = nullptr;
    TfrmShowInOutInfo* showInOutInfo_ = nullptr;
    TfrmEditLAN* editLan_ = nullptr;
    TfrmSearch* search_ = nullptr;
    TfrmEnterYes* enterYes_ = nullptr;
};

}  // namespace ui
