#pragma once

#include "ui/presenters/Dialogs.h"

namespace ui {

// Message boxes and file dialogs over the active window.
class WidgetDialogs final : public Dialogs {
public:
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool question(const QString& text) override;
    QString openFileName(const QString& filter) override;
    QString saveFileName(const QString& filter) override;
};

}  // namespace ui
