#pragma once

#include <QString>

namespace ui {

// Every modal box and file dialog of the windows goes through here, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // A Yes/No confirmation; Esc and the close box answer No.
    virtual bool question(const QString& text) = 0;
    // The filter is written "Description(*.ext)|*.ext"; an empty result means cancelled.
    virtual QString openFileName(const QString& filter) = 0;
    virtual QString saveFileName(const QString& filter) = 0;
};

}  // namespace ui
