#include "app/QtMessages.h"
#include "app/SystemPlatform.h"
#include "app/TStart_f.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("PP Special"));
    QtMessages messages;
    SystemPlatform platform;
    TStart_f Start_f(messages, platform);
    Start_f.show();
    return QApplication::exec();
}
