#pragma once
// Text to and from the single-byte ANSI code page of the settings file. The workstations run a
// Thai Windows, so elsewhere Windows-874 stands in for the system's code page.
#include <QByteArray>
#include <QString>

// A character the code page cannot represent becomes "?".
QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);
