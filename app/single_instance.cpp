#include "app/single_instance.h"

#include <QDir>

namespace kargolo {

SingleInstance::SingleInstance(const QString& lockPath) : m_lock(lockPath) {
    m_lock.setStaleLockTime(0);  // stale only when its process is gone
}

bool SingleInstance::acquire() { return m_lock.tryLock(0); }

QString SingleInstance::defaultLockPath() {
    return QDir::temp().filePath(QStringLiteral("КАРГОЛО 2.lock"));
}

}  // namespace kargolo
