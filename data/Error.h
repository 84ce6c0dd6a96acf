#pragma once
// The one error type of the program: a text someone can act on. Database failures carry the
// server's or the client library's own message unchanged.
#include <QByteArray>
#include <QString>
#include <exception>

class Error : public std::exception
{
public:
    explicit Error(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString& text() const { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
