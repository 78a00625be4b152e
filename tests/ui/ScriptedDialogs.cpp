#include "ScriptedDialogs.h"

namespace testing_support {

bool ScriptedDialogs::question(const QString& text) {
    shown.push_back({"question", text});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedDialogs::openFileName(const QString& filter) {
    shown.push_back({"open", filter});
    return nextFileName();
}

QString ScriptedDialogs::saveFileName(const QString& filter) {
    shown.push_back({"save", filter});
    return nextFileName();
}

QString ScriptedDialogs::nextFileName() {
    if (fileNames.empty()) return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QStringList ScriptedDialogs::texts(const QString& kind) const {
    QStringList result;
    for (const Shown& box : shown) {
        if (box.kind == kind) result << box.text;
    }
    return result;
}

}  // namespace testing_support
