#pragma once
// Settings files kept as fixtures, and a file's bytes as written.
#include <QFile>
#include <QString>

inline QString fixture(const QString& name)
{
    return QStringLiteral(TEST_FIXTURES_DIR "/settings/") + name;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
