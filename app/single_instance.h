#pragma once

// One running program per user: a lock file named for "КАРГОЛО 2" in the temporary folder. A
// lock left by a program that died is taken over.

#include <QLockFile>
#include <QString>

namespace kargolo {

class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    // True when this process is the only instance.
    bool acquire();
    static QString defaultLockPath();

private:
    QLockFile m_lock;
};

}  // namespace kargolo
