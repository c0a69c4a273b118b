#pragma once

// One running program per user: a lock file named for "КАРГОЛО 2" in the temporary folder. A
// lock left by a program that died is taken over. The running program listens on a local
// socket beside it, through which a second start hands over the file it was given.

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

namespace kargolo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath(),
                            const QString& serverName = defaultServerName());
    // True when this process is the only instance.
    bool acquire();
    // In the running program: receives the files later starts hand over.
    bool listen();
    // In a later start: hands the file to the running program; true when it took it.
    static bool handOver(const QString& path, const QString& serverName = defaultServerName());

    static QString defaultLockPath();
    static QString defaultServerName();

signals:
    void fileHandedOver(const QString& path);

private:
    void receive();

    QLockFile m_lock;
    QString m_serverName;
    QLocalServer* m_server = nullptr;  // owned by this object
};

}  // namespace kargolo
