#pragma once
// Fetches one http or https address into memory on the calling thread and reports the bytes
// as they arrive. While it waits the thread runs only a local event loop that takes no user
// input, so the window stays painted but cannot be used.
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <memory>

class QNetworkReply;
class QUrl;

// Which way the bytes of a progress report go.
enum class WorkMode { Read, Write };

class Downloader : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultStallTimeoutMs = 60000;
    static constexpr int MaxRedirects = 5;

    // stallTimeoutMs: how long the transfer may go without any byte arriving.
    explicit Downloader(int stallTimeoutMs = DefaultStallTimeoutMs, QObject* parent = nullptr);

    // The whole body of a successful (2xx) answer, after following at most MaxRedirects
    // redirects to http or https (never from https down to http). Throws Error, with the reason
    // and the address in its text, when the address is not http or https (nothing is sent
    // then), on a network failure, an error status, a refused redirect, or a stall.
    QByteArray get(const QString& address);

signals:
    // The body's expected size as the server announces it; 0 when it announces none.
    void workBegin(WorkMode mode, qint64 expected);
    // Bytes of the body received so far.
    void work(WorkMode mode, qint64 done);

private:
    // One request, run to its end in the local event loop; throws Error on a stall.
    std::unique_ptr<QNetworkReply> fetch(const QUrl& url);

    QNetworkAccessManager m_manager;
    int m_stallTimeoutMs;
};
