#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "ui/presenters/Dialogs.h"

namespace testing_support {

// Records every box the windows show and answers them from a script.
class ScriptedDialogs final : public ui::Dialogs {
public:
    struct Shown {
        QString kind;  // "information", "error", "question", "open", "save"
        QString text;  // the message, or the filter of a file dialog
    };

    void information(const QString& text) override { shown.push_back({"information", text}); }
    void error(const QString& text) override { shown.push_back({"error", text}); }
    bool question(const QString& text) override;
    QString openFileName(const QString& filter) override;
    QString saveFileName(const QString& filter) override;

    QStringList texts(const QString& kind) const;

    std::vector<Shown> shown;
    std::deque<bool> answers;       // questions with no answer left are answered No
    std::deque<QString> fileNames;  // file dialogs with none left are cancelled

private:
    QString nextFileName();
};

}  // namespace testing_support
