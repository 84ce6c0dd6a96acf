#include "data/SqlValue.h"

#include "data/DbConnection.h"

// The query layer turns every " into ' and then every ^^ into ". The escaped text is written so
// that after that conversion it is a correct MySQL literal body: a single quote becomes \" (sent
// as \'), a double quote \^^ (sent as \"), and a caret \^ (sent as \^, which the server reads as
// ^), so no ^^ can form from the value's own characters.
QString sqlEscaped(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case 0:
            out += QLatin1String("\\0");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case 0x1a:
            out += QLatin1String("\\Z");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\'':
            out += QLatin1String("\\\"");
            break;
        case '"':
            out += QLatin1String("\\^^");
            break;
        case '^':
            out += QLatin1String("\\^");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString sqlValue(const QString& value)
{
    return QLatin1Char('"') + sqlEscaped(value) + QLatin1Char('"');
}

QString sqlRawValue(const QString& value)
{
    return DbConnection::literal(value);
}
