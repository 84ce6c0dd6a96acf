#pragma once
// A profile (INI) text file read and written one entry at a time: "[SECTION]" header lines,
// "key=value" lines, CR LF line ends, text in the ANSI code page. Section and key names compare
// without regard to case. Nothing is cached: every read opens the file anew and every write
// rewrites it at once.
#include <QString>

#include <optional>

class IniFile
{
public:
    // Longest value a read returns, in characters; the rest of a longer value is dropped.
    static constexpr int maxValueLength = 2047;

    explicit IniFile(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;

    // The value without surrounding blanks, or nothing when the file, the section or the key is
    // absent. Reading never creates the file.
    std::optional<QString> value(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

    // Replaces the value of the key's line in place, or appends a line to the section; creates
    // the file and the section when needed. Throws Error("Unable to write to <path>").
    void writeString(const QString& section, const QString& key, const QString& value);

private:
    QString m_path;
};
