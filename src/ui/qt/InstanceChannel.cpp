#include "ui/qt/InstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>

namespace orvane {

namespace {

// A caller that never finishes its message is dropped after this long.
constexpr int kReadLimitMs = 5000;

}  // namespace

InstanceServer::InstanceServer(const std::string& socketPath, Receiver received, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), received_(std::move(received)) {
    const QString path = QString::fromStdString(socketPath);
    // The caller holds the instance lock: a socket left here is a crashed editor's.
    QLocalServer::removeServer(path);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket the editor still runs; a second start then finds
    // nobody listening and says so.
    if (server_->listen(path)) connect(server_, &QLocalServer::newConnection, this, &InstanceServer::Accept);
}

void InstanceServer::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kReadLimitMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            *buffer += socket->readAll();
            if (size_t(buffer->size()) > kMaxHandOverBytes) {
                socket->abort();
                return;
            }
            const auto files = DecodeHandOver(std::string_view(buffer->constData(), size_t(buffer->size())));
            if (!files) return;  // more to come
            disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
            socket->write(QByteArray(1, kHandOverReceived));
            socket->flush();
            received_(*files);
        });
    }
}

Delivery DeliverTo(const std::string& socketPath, const std::string& message) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(socketPath));
    if (!socket.waitForConnected(1000)) return Delivery::NotListening;
    socket.write(message.data(), qint64(message.size()));
    if (!socket.waitForBytesWritten(2000)) return Delivery::NoAnswer;
    if (!socket.waitForReadyRead(3000)) return Delivery::NoAnswer;
    char answer = 0;
    if (!socket.getChar(&answer) || answer != kHandOverReceived) return Delivery::NoAnswer;
    socket.disconnectFromServer();
    return Delivery::Delivered;
}

}  // namespace orvane
