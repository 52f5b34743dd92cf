#pragma once
// An exclusive advisory lock on a folder, held for the life of the object, so
// that processes replacing a file in that folder take turns: each reads the
// newest file, changes it and puts it back before the next one reads. The
// system drops the lock when the process ends, however it ends.
#include <string>

class CFolderLock
{
public:
    // Waits a bounded time for the lock; a process that holds it for longer
    // (stopped in a debugger, say) must not hang this one.
    explicit CFolderLock(const std::string& folder);
    ~CFolderLock();
    CFolderLock(const CFolderLock&) = delete;
    CFolderLock& operator=(const CFolderLock&) = delete;

    bool IsHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
