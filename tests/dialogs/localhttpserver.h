#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A tiny HTTP server on 127.0.0.1 that answers every request with the same canned bytes,
// written in parts with a pause before each part, then closes the connection. It keeps the
// request it saw last.
class LocalHttpServer : public QObject {
public:
    LocalHttpServer() {
        connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    // The response, as it is written to the socket part by part.
    void setResponse(QList<QByteArray> parts, int pauseMs = 0) {
        m_parts = std::move(parts);
        m_pauseMs = pauseMs;
    }

    QString url(const QString &pathAndQuery) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(pathAndQuery);
    }
    QByteArray lastRequest() const { return m_lastRequest; }
    int requestCount() const { return m_requestCount; }

    // An ordinary text/plain answer with status 200 and the given body.
    static QByteArray okHeader() {
        return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n";
    }

private:
    void accept() {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    }

    void readRequest(QTcpSocket *socket) {
        QByteArray &buffer = m_pending[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        m_lastRequest = buffer;
        m_pending.remove(socket);
        ++m_requestCount;
        writePart(socket, 0);
    }

    void writePart(QPointer<QTcpSocket> socket, int index) {
        QTimer::singleShot(m_pauseMs, this, [this, socket, index] {
            if (!socket)
                return;
            if (index == m_parts.size()) {
                socket->disconnectFromHost();
                return;
            }
            socket->write(m_parts.at(index));
            socket->flush();
            writePart(socket, index + 1);
        });
    }

    QTcpServer m_server;
    QList<QByteArray> m_parts;
    int m_pauseMs = 0;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QByteArray m_lastRequest;
    int m_requestCount = 0;
};
