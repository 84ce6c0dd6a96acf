#include "support/LocalHttpServer.h"

#include <QTcpSocket>
#include <memory>

namespace {

QByteArray head(int status, const QByteArray& reason, const QByteArray& headers)
{
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n" + headers +
           "Connection: close\r\n\r\n";
}

QByteArray lengthHeader(const QByteArray& body)
{
    return "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
}

} // namespace

LocalHttpServer::LocalHttpServer()
{
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("The test web server cannot listen on 127.0.0.1: %s",
               qPrintable(m_server.errorString()));
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            auto received = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
                *received += socket->readAll();
                const qsizetype end = received->indexOf("\r\n\r\n");
                if (end >= 0 && !socket->property("answered").toBool()) {
                    socket->setProperty("answered", true);
                    answer(socket, received->left(end));
                }
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

// The sockets are the server's children and close with it.
LocalHttpServer::~LocalHttpServer() = default;

QStringList LocalHttpServer::pathsAsked() const
{
    QStringList paths = requests;
    paths.removeDuplicates();
    return paths;
}

QString LocalHttpServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

void LocalHttpServer::answer(QTcpSocket* socket, const QByteArray& request)
{
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    const QString path = QString::fromLatin1(words.value(1));
    requests << path;
    const auto found = m_replies.constFind(path);
    if (found == m_replies.constEnd()) {
        socket->write(head(404, "Not Found", "Content-Length: 0\r\n"));
        socket->disconnectFromHost();
        return;
    }
    socket->write(found->bytes);
    if (!found->keepOpen)
        socket->disconnectFromHost();
}

void LocalHttpServer::serve(const QString& path, const QByteArray& body)
{
    m_replies[path] = {head(200, "OK", lengthHeader(body)) + body};
}

void LocalHttpServer::serveChunked(const QString& path, const QByteArray& body)
{
    QByteArray bytes = head(200, "OK", "Transfer-Encoding: chunked\r\n");
    for (qsizetype at = 0; at < body.size(); at += 1000) {
        const QByteArray chunk = body.mid(at, 1000);
        bytes += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
    }
    m_replies[path] = {bytes + "0\r\n\r\n"};
}

void LocalHttpServer::serveUntilClose(const QString& path, const QByteArray& body)
{
    m_replies[path] = {head(200, "OK", QByteArray()) + body};
}

void LocalHttpServer::serveStatus(const QString& path, int status, const QByteArray& reason)
{
    const QByteArray body = "<html><body>" + reason + "</body></html>";
    m_replies[path] = {head(status, reason, lengthHeader(body)) + body};
}

void LocalHttpServer::redirect(const QString& path, const QString& location, int status)
{
    const QByteArray body = "moved";
    m_replies[path] = {
        head(status, "Redirect", "Location: " + location.toUtf8() + "\r\n" + lengthHeader(body)) +
        body};
}

void LocalHttpServer::dropAfter(const QString& path, const QByteArray& body, int sent)
{
    m_replies[path] = {head(200, "OK", lengthHeader(body)) + body.left(sent)};
}

void LocalHttpServer::stallAfter(const QString& path, const QByteArray& body, int sent)
{
    m_replies[path] = {head(200, "OK", lengthHeader(body)) + body.left(sent), true};
}
