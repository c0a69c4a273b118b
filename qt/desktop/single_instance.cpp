#include "qt/desktop/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace kargolo {
namespace {

constexpr int kHandOverTimeout = 3000;  // milliseconds

}  // namespace

SingleInstance::SingleInstance(const QString& lockPath, const QString& serverName)
    : m_lock(lockPath), m_serverName(serverName) {
    m_lock.setStaleLockTime(0);  // stale only when its process is gone
}

bool SingleInstance::acquire() { return m_lock.tryLock(0); }

QString SingleInstance::defaultLockPath() {
    return QDir::temp().filePath(QStringLiteral("КАРГОЛО 2.lock"));
}

// A name without a folder: the socket lies in the temporary folder, beside the lock.
QString SingleInstance::defaultServerName() { return QStringLiteral("kargolo-2-files"); }

bool SingleInstance::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_serverName);  // left by a program that died; the lock is ours
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::receive);
    return m_server->listen(m_serverName);
}

// One path per connection, UTF-8, answered with one byte once it is taken.
void SingleInstance::receive() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            const QString path = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->write("1");
            socket->flush();
            emit fileHandedOver(path);
        });
    }
}

bool SingleInstance::handOver(const QString& path, const QString& serverName) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kHandOverTimeout)) return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kHandOverTimeout) || !socket.waitForReadyRead(kHandOverTimeout)) return false;
    return socket.read(1) == "1";
}

}  // namespace kargolo
