#pragma once

#include <QString>
#include <QStringList>
#include <map>

namespace ui {

// Tells cheaply whether the serial port list may have changed, so the expensive scan runs only
// then: inotify watches on the folders where port nodes and links come and go. Events are read
// without blocking when asked, so an idle window is not woken by them.
class PortChangeWatcher {
public:
    explicit PortChangeWatcher(QStringList folders);
    ~PortChangeWatcher();
    PortChangeWatcher(const PortChangeWatcher&) = delete;
    PortChangeWatcher& operator=(const PortChangeWatcher&) = delete;

    // True on the first call, after an entry of a watched folder was added, removed or renamed,
    // and on every call while a folder cannot be watched (it may be missing, or inotify is not
    // there at all).
    bool takeChange();

private:
    bool drainEvents();
    bool watchMissingFolders();

    QStringList folders_;
    int fd_ = -1;
    std::map<int, QString> watches_;  // watch descriptor -> folder
    bool changed_ = true;
};

}  // namespace ui
