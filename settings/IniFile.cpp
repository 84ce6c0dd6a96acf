#include "settings/IniFile.h"

#include "data/Error.h"
#include "settings/AnsiCodePage.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

namespace {

// Lines are kept as the file's own bytes, so that a rewrite leaves every line it does not
// change exactly as it was, even bytes the code page does not map.
struct Lines
{
    QList<QByteArray> lines;
    bool readable = true;
};

Lines readLines(const QString& path)
{
    Lines result;
    QFile file(path);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.readable = false;
        return result;
    }
    const QByteArray content = file.readAll();
    if (content.isEmpty())
        return result;
    result.lines = content.split('\n');
    if (content.endsWith('\n'))
        result.lines.removeLast();
    for (QByteArray& line : result.lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return result;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Only spaces and tabs count as blanks; a no-break space (0xA0 in the code page) is text.
QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

std::optional<QString> sectionName(const QString& line)
{
    const QString text = trimBlanks(line);
    if (!text.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimBlanks(text.mid(1, close - 1));
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section's lines lie: the header's index and the index just past its last line.
struct SectionRange
{
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionRange findSection(const QList<QByteArray>& lines, const QString& section)
{
    SectionRange range;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionName(fromAnsi(lines[i]));
        if (!name)
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (sameName(*name, section))
            range.header = i;
    }
    if (range.header >= 0)
        range.end = lines.size();
    return range;
}

// The key's line inside the section, with its value; the first of several equal keys counts.
struct Entry
{
    qsizetype line = -1;
    QString value;
};

Entry findEntry(const QList<QByteArray>& lines, SectionRange range, const QString& key)
{
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const QString text = fromAnsi(lines[i]);
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        if (sameName(trimBlanks(text.left(equals)), key))
            return {i, text.mid(equals + 1)};
    }
    return {};
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::exists() const
{
    return QFileInfo(m_path).isFile();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Lines file = readLines(m_path);
    const SectionRange range = findSection(file.lines, section);
    if (range.header < 0)
        return std::nullopt;
    const Entry entry = findEntry(file.lines, range, key);
    if (entry.line < 0)
        return std::nullopt;
    return trimBlanks(entry.value).left(maxValueLength);
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString unableToWrite = QStringLiteral("Unable to write to %1").arg(m_path);
    Lines file = readLines(m_path);
    if (!file.readable)
        throw Error(unableToWrite);

    // Other sections, unknown keys and blank lines stay as they are: the file may be shared
    // with other tools, and only the one entry changes.
    QList<QByteArray>& lines = file.lines;
    const QByteArray entryLine = toAnsi(key + QLatin1Char('=') + value);
    const SectionRange range = findSection(lines, section);
    if (range.header < 0) {
        lines << toAnsi(QStringLiteral("[%1]").arg(section)) << entryLine;
    } else if (const Entry entry = findEntry(lines, range, key); entry.line >= 0) {
        lines[entry.line] = entryLine;
    } else {
        // After the section's last non-blank line, so blank lines before the next header stay.
        qsizetype at = range.end;
        while (at > range.header + 1 && trimBlanks(fromAnsi(lines[at - 1])).isEmpty())
            --at;
        lines.insert(at, entryLine);
    }

    QByteArray content;
    for (const QByteArray& line : lines)
        content += line + "\r\n";
    // Written beside and renamed over the old file, so a failure leaves the old file whole; a
    // folder that allows no new file but a writable file is written directly.
    QSaveFile out(m_path);
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit())
        throw Error(unableToWrite);
}
