#pragma once
// Waiting for a registry key to change, also when another process changed
// it: the waitable object fires when a value of the key (with the subtree:
// of the key or any key below it) is set or deleted, or a subkey is added or
// removed, as the filter asks. Once fired it stays signalled until Reset.

#include "os/Registry.h"

#include <memory>
#include <string>
#include <vector>

inline constexpr Cardinal REG_NOTIFY_CHANGE_NAME = 0x1;       // subkeys added or removed
inline constexpr Cardinal REG_NOTIFY_CHANGE_ATTRIBUTES = 0x2; // (nothing on this platform)
inline constexpr Cardinal REG_NOTIFY_CHANGE_LAST_SET = 0x4;   // values set or deleted
inline constexpr Cardinal REG_NOTIFY_CHANGE_SECURITY = 0x8;   // (nothing on this platform)

namespace os {

namespace detail {
struct TRegKeyNode;
}

class TRegistryChangeNotification {
public:
    // Raises ERegistryException when the hive's folder cannot be watched.
    TRegistryChangeNotification(HKEY root, const String& key, bool watchSubtree, Cardinal filter);
    ~TRegistryChangeNotification();
    TRegistryChangeNotification(const TRegistryChangeNotification&) = delete;
    TRegistryChangeNotification& operator=(const TRegistryChangeNotification&) = delete;

    // Blocks until the key changed, Signal was called or the time (in ms; a
    // negative time waits without limit) passed; answers whether it is
    // signalled.
    bool Wait(int timeoutMs);
    // Signals at once; any thread may call it, also while another waits.
    void Signal();
    // Clears the signal and watches for changes after this moment.
    void Reset();

private:
    bool Changed() const;

    HKEY FRoot;
    std::vector<String> FPath;
    bool FWatchSubtree;
    Cardinal FFilter;
    std::string FHiveName;
    int FInotifyFd = -1;
    int FEventFd = -1;
    bool FSignalled = false;
    std::shared_ptr<const detail::TRegKeyNode> FSnapshot; // null: the key did not exist
};

} // namespace os
