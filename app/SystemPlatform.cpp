#include "app/SystemPlatform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QNetworkInformation>
#include <QProcess>
#include <QSysInfo>
#include <QUrl>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

QString SystemPlatform::computerName()
{
    return QSysInfo::machineHostName();
}

HostLookup SystemPlatform::lookUpHost()
{
#ifdef _WIN32
    WSADATA wsa;
    WSAStartup(MAKEWORD(1, 1), &wsa);
#endif
    HostLookup result;
    char name[128] = {};
    if (gethostname(name, sizeof name - 1) == 0) {
        result.name = QString::fromLocal8Bit(name);
        addrinfo hints = {};
        hints.ai_family = AF_INET;
        hints.ai_flags = AI_CANONNAME;
        addrinfo* found = nullptr;
        if (getaddrinfo(name, nullptr, &hints, &found) == 0 && found) {
            if (found->ai_canonname)
                result.name = QString::fromLocal8Bit(found->ai_canonname);
            char dotted[INET_ADDRSTRLEN] = {};
            const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
            if (inet_ntop(AF_INET, &in->sin_addr, dotted, sizeof dotted))
                result.address = QString::fromLatin1(dotted);
            freeaddrinfo(found);
        }
    }
#ifdef _WIN32
    WSACleanup();
#endif
    return result;
}

QString SystemPlatform::tempFolder()
{
    return QDir::toNativeSeparators(QDir::tempPath() + QLatin1Char('/'));
}

QString SystemPlatform::executablePath()
{
    return QCoreApplication::applicationFilePath();
}

bool SystemPlatform::runProgram(const QString& verb, const QString& file, const QString& parameters,
                                const QString& folder)
{
    Q_UNUSED(verb); // the shell's "open": a program is started, anything else goes to its viewer
    const QUrl url(file);
    if (url.scheme().startsWith(QLatin1String("http")))
        return QDesktopServices::openUrl(url);
    const QFileInfo info(file);
    if (info.isExecutable() && !info.isDir())
        return QProcess::startDetached(file, QProcess::splitCommand(parameters), folder);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool SystemPlatform::internetAvailable()
{
    // Reachability as the system reports it; without a backend the machine counts as online,
    // and the download then reports its own failure.
    if (!QNetworkInformation::instance() &&
        !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return true;
    return QNetworkInformation::instance()->reachability() !=
           QNetworkInformation::Reachability::Disconnected;
}
