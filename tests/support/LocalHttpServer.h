#pragma once
// A web server on 127.0.0.1 for download tests: every path answers with a canned reply, and
// each request's path is recorded. Unknown paths answer 404.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

class LocalHttpServer : public QObject
{
public:
    LocalHttpServer();
    ~LocalHttpServer() override;

    // "http://127.0.0.1:<port><path>"
    QString url(const QString& path) const;

    // 200 with a Content-Length.
    void serve(const QString& path, const QByteArray& body);
    // 200 in chunks, without a length.
    void serveChunked(const QString& path, const QByteArray& body);
    // 200 with neither length nor chunks: the body ends when the connection closes.
    void serveUntilClose(const QString& path, const QByteArray& body);
    // An error status with a short text body.
    void serveStatus(const QString& path, int status, const QByteArray& reason);
    // A redirect to an absolute address.
    void redirect(const QString& path, const QString& location, int status = 302);
    // Announces the whole body, sends its first `sent` bytes and closes the connection.
    void dropAfter(const QString& path, const QByteArray& body, int sent);
    // Announces the whole body, sends its first `sent` bytes and then nothing, keeping the
    // connection open.
    void stallAfter(const QString& path, const QByteArray& body, int sent);

    QStringList requests; // the path of every request, in order

    // The paths asked for, each once, in the order first asked. Qt Network may send a request
    // again on a new connection when a server closed the previous one early.
    QStringList pathsAsked() const;

private:
    struct Reply
    {
        QByteArray bytes;
        bool keepOpen = false;
    };
    void answer(QTcpSocket* socket, const QByteArray& request);

    QTcpServer m_server;
    QHash<QString, Reply> m_replies;
};
