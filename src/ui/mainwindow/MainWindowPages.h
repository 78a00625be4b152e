#pragma once

class QWidget;

namespace ui {

// The pages of pcContainer, in tab order; each is a page named after its control.
QWidget* buildGeneralPage();
QWidget* buildPortTagPage();
QWidget* buildSettingPage();
QWidget* buildEdidPage();
QWidget* buildAdvancedPage();
QWidget* buildFwUpgradePage();

// The diagnostic column right of the page control; hidden and disabled for the whole run.
QWidget* buildDiagnosticColumn();

}  // namespace ui
