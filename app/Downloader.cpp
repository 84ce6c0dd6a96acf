#include "app/Downloader.h"

#include "data/Error.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace {

bool isHttp(const QUrl& url)
{
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

int statusOf(const QNetworkReply& reply)
{
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

QString statusFailure(const QNetworkReply& reply)
{
    return QStringLiteral("Download failed, the server answered HTTP %1 %2: %3")
        .arg(statusOf(reply))
        .arg(reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
             reply.url().toString());
}

} // namespace

Downloader::Downloader(int stallTimeoutMs, QObject* parent)
    : QObject(parent), m_stallTimeoutMs(stallTimeoutMs)
{
}

QByteArray Downloader::get(const QString& address)
{
    QUrl url(address);
    if (!isHttp(url))
        throw Error(
            QStringLiteral("Address refused, only http and https addresses are downloaded: ") +
            address);
    // Redirects are followed here rather than by the network layer, so each one is checked
    // and gets a request of its own.
    for (int redirects = 0;; ++redirects) {
        const std::unique_ptr<QNetworkReply> reply = fetch(url);
        const int status = statusOf(*reply);
        if (reply->error() == QNetworkReply::NoError && isRedirect(status) &&
            reply->hasRawHeader("Location")) {
            const QUrl target = url.resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
            const bool downgrade =
                url.scheme() == QLatin1String("https") && target.scheme() != QLatin1String("https");
            if (!isHttp(target) || downgrade)
                throw Error(QStringLiteral("Download failed, redirect refused from %1 to %2")
                                .arg(url.toString(), target.toString()));
            if (redirects == MaxRedirects)
                throw Error(QStringLiteral("Download failed, more than %1 redirects: %2")
                                .arg(MaxRedirects)
                                .arg(address));
            url = target;
            continue;
        }
        if (status >= 300)
            throw Error(statusFailure(*reply));
        const QString cutShort =
            QStringLiteral("Download failed, the connection closed before the whole file "
                           "arrived: ") +
            url.toString();
        if (isSuccess(status) && reply->error() == QNetworkReply::RemoteHostClosedError)
            throw Error(cutShort);
        if (reply->error() != QNetworkReply::NoError)
            throw Error(QStringLiteral("Download failed: ") + reply->errorString());
        if (!isSuccess(status))
            throw Error(QStringLiteral("Download failed, no complete answer from the server: ") +
                        url.toString());
        QByteArray body = reply->readAll();
        // The network layer may take a connection closed early for the end of the body.
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && body.size() != length.toLongLong())
            throw Error(cutShort);
        return body;
    }
}

std::unique_ptr<QNetworkReply> Downloader::fetch(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    // Uncompressed, so the announced length is the length of the body received.
    request.setRawHeader("Accept-Encoding", "identity");
    std::unique_ptr<QNetworkReply> reply(m_manager.get(request));

    bool stalled = false;
    QEventLoop loop;
    QTimer stall;
    stall.setSingleShot(true);
    stall.setInterval(m_stallTimeoutMs);
    connect(&stall, &QTimer::timeout, reply.get(), [&] {
        stalled = true;
        reply->abort();
    });
    // The body of a redirect or of an error page is not what was asked for: no progress.
    bool wanted = false;
    connect(reply.get(), &QNetworkReply::metaDataChanged, reply.get(), [&] {
        stall.start();
        if (wanted || !isSuccess(statusOf(*reply)))
            return;
        wanted = true;
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        emit workBegin(WorkMode::Read, length.isValid() ? length.toLongLong() : 0);
    });
    connect(reply.get(), &QNetworkReply::downloadProgress, reply.get(), [&](qint64 received) {
        stall.start();
        if (wanted)
            emit work(WorkMode::Read, received);
    });
    connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    stall.start();
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    stall.stop();
    if (stalled)
        throw Error(QStringLiteral("Download failed, no data arrived for %1 s: %2")
                        .arg(m_stallTimeoutMs / 1000.0)
                        .arg(url.toString()));
    return reply;
}
