#include "ui/platform/PortChangeWatcher.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cstdint>
#include <utility>

namespace ui {

namespace {

// Entries appearing, vanishing or moving; attribute and content changes leave the list alone.
constexpr std::uint32_t kEntryEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                       IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

PortChangeWatcher::PortChangeWatcher(QStringList folders)
    : folders_(std::move(folders)), fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    watchMissingFolders();
}

PortChangeWatcher::~PortChangeWatcher() {
    if (fd_ >= 0) ::close(fd_);
}

bool PortChangeWatcher::takeChange() {
    bool changed = std::exchange(changed_, false);
    changed |= drainEvents();
    changed |= watchMissingFolders();
    return changed;
}

bool PortChangeWatcher::drainEvents() {
    if (fd_ < 0) return true;
    bool any = false;
    alignas(inotify_event) char buffer[4096];
    ssize_t length = 0;
    while ((length = ::read(fd_, buffer, sizeof buffer)) > 0) {
        any = true;
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            // The folder went away (or moved): its watch is gone and must be set again.
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                if (event->mask & IN_MOVE_SELF) ::inotify_rm_watch(fd_, event->wd);
                watches_.erase(event->wd);
            }
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return any;
}

bool PortChangeWatcher::watchMissingFolders() {
    if (fd_ < 0) return true;
    bool unsure = false;
    for (const QString& folder : folders_) {
        const bool watched = std::any_of(watches_.begin(), watches_.end(),
                                         [&](const auto& entry) { return entry.second == folder; });
        if (watched) continue;
        // A folder watched anew may have gained entries while it was not watched.
        unsure = true;
        const int wd =
            ::inotify_add_watch(fd_, QFile::encodeName(folder).constData(), kEntryEvents);
        if (wd >= 0) watches_[wd] = folder;
    }
    return unsure;
}

}  // namespace ui
