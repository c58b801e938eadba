#include "os/RegistryNotify.h"

#include "RegistryHive.h"
#include "RegistryStore.h"
#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "rtl/Encoding.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace os {

namespace {

using detail::TRegKeyNode;

// The part of a key that the filter watches: its values, the names of its
// subkeys and, with the subtree, the same of every key below (a key below
// that holds nothing watched is left out unless names are watched).
std::shared_ptr<const TRegKeyNode> Watched(const TRegKeyNode* key, bool subtree, Cardinal filter) {
    if (!key) return nullptr;
    const bool names = filter & REG_NOTIFY_CHANGE_NAME;
    auto part = std::make_shared<TRegKeyNode>();
    part->Name = key->Name;
    if (filter & REG_NOTIFY_CHANGE_LAST_SET) part->Values = key->Values;
    for (const auto& sub : key->SubKeys) {
        if (subtree) {
            auto child = Watched(&sub, true, filter);
            if (names || !child->Values.empty() || !child->SubKeys.empty()) part->SubKeys.push_back(*child);
        } else if (names) {
            part->SubKeys.push_back(TRegKeyNode{sub.Name, {}, {}});
        }
    }
    return part;
}

} // namespace

TRegistryChangeNotification::TRegistryChangeNotification(HKEY root, const String& key, bool watchSubtree,
                                                         Cardinal filter)
    : FRoot(root), FPath(detail::SplitKeyPath(key)), FWatchSubtree(watchSubtree), FFilter(filter) {
    const String hive = RegistryHiveFileName(root);
    FHiveName = Utf8(ExtractFileName(hive));
    const String folder = ExtractFilePath(hive);
    FInotifyFd = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    FEventFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    // Every write replaces the hive file, so the folder is watched for a new file of its name.
    if (FInotifyFd < 0 || FEventFd < 0 || !ForceDirectories(folder) ||
        inotify_add_watch(FInotifyFd, Utf8(folder).c_str(), IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE) < 0) {
        if (FInotifyFd >= 0) close(FInotifyFd);
        if (FEventFd >= 0) close(FEventFd);
        throw ERegistryException(u"Unable to watch the registry file \"" + hive + u"\".");
    }
    Reset();
}

TRegistryChangeNotification::~TRegistryChangeNotification() {
    close(FInotifyFd);
    close(FEventFd);
}

bool TRegistryChangeNotification::Changed() const {
    auto now = Watched(detail::ReadHive(FRoot)->Find(FPath), FWatchSubtree, FFilter);
    if (!now || !FSnapshot) return now != FSnapshot;
    return !(*now == *FSnapshot);
}

void TRegistryChangeNotification::Reset() {
    FSignalled = false;
    // Events up to now are of no interest any more.
    char buffer[4096];
    while (read(FInotifyFd, buffer, sizeof buffer) > 0) {
    }
    FSnapshot = Watched(detail::ReadHive(FRoot)->Find(FPath), FWatchSubtree, FFilter);
}

void TRegistryChangeNotification::Signal() {
    const std::uint64_t one = 1;
    while (write(FEventFd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool TRegistryChangeNotification::Wait(int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    while (!FSignalled) {
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
            if (left < 0) break;
            wait = static_cast<int>(left);
        }
        pollfd fds[2] = {{FInotifyFd, POLLIN, 0}, {FEventFd, POLLIN, 0}};
        if (poll(fds, 2, wait) < 0 && errno != EINTR) break;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count = 0;
            if (read(FEventFd, &count, sizeof count) > 0) FSignalled = true;
        }
        if (fds[0].revents & POLLIN) {
            bool hiveEvent = false;
            alignas(inotify_event) char buffer[4096];
            ssize_t got;
            while ((got = read(FInotifyFd, buffer, sizeof buffer)) > 0) {
                for (char* p = buffer; p < buffer + got;) {
                    auto* event = reinterpret_cast<inotify_event*>(p);
                    if (event->len > 0 && FHiveName == event->name) hiveEvent = true;
                    p += sizeof(inotify_event) + event->len;
                }
            }
            if (hiveEvent && Changed()) FSignalled = true;
        }
    }
    return FSignalled;
}

} // namespace os
