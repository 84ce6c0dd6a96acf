#include "data/SqlValue.h"

namespace {

// How the characters that must be escaped are written.
struct Escapes
{
    const char* singleQuote;
    const char* doubleQuote;
    const char* caret; // nullptr: a caret stays as it is
};

// MySQL escapes for a literal sent as written.
const Escapes Raw{"\\'", "\\\"", nullptr};
// The query layer turns every " into ' and then every ^^ into ". These are written so that after
// that conversion they are the MySQL escapes: a single quote becomes \" (sent as \'), a double
// quote \^^ (sent as \"), and a caret \^ (sent as \^, which the server reads as ^), so no ^^ can
// form from the value's own characters.
const Escapes Converted{"\\\"", "\\^^", "\\^"};

QString escaped(const QString& value, const Escapes& escapes)
{
    QString out;
    out.reserve(value.size() + 2);
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
            out += QLatin1String(escapes.singleQuote);
            break;
        case '"':
            out += QLatin1String(escapes.doubleQuote);
            break;
        case '^':
            if (escapes.caret)
                out += QLatin1String(escapes.caret);
            else
                out += c;
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

QString sqlEscaped(const QString& value)
{
    return escaped(value, Converted);
}

QString sqlValue(const QString& value)
{
    return QLatin1Char('"') + escaped(value, Converted) + QLatin1Char('"');
}

QString sqlRawValue(const QString& value)
{
    return QLatin1Char('\'') + escaped(value, Raw) + QLatin1Char('\'');
}
