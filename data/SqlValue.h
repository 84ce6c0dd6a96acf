#pragma once
// The one way an outside value (HN, login, computer name, code, id) goes into SQL text. A quote,
// a backslash or "^^" inside the value reaches the server as part of the value and cannot end
// its literal. An ordinary value comes out exactly as plain concatenation would give it, so the
// statement texts stay as the HIS knows them.

#include <QString>

// For SQL handed to the query layer (which turns " into ' and ^^ into "): the value between
// double quotes, e.g. sqlValue("1234") == "\"1234\"".
QString sqlValue(const QString& value);
// The same without the surrounding quotes, for texts that quote the value themselves.
QString sqlEscaped(const QString& value);
// For SQL sent as written, without quote conversion: the value between single quotes.
QString sqlRawValue(const QString& value);
