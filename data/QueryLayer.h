#pragma once
// Every statement of the program goes through these functions, on the data module's main
// connection. Callers write string literals in double quotes; the layer turns each " into '
// and each ^^ into " before sending. Values from outside go in through sqlValue().
#include "data/ClientDataSet.h"
#include "data/DataPacket.h"
#include "data/Error.h"

#include <QRecursiveMutex>
#include <QString>
#include <QVariant>
#include <QVector>

class TDSDM;

// Replaces every occurrence of find, left to right, without scanning a replacement again.
QString ReplaceAllText(const QString& text, const QString& find, const QString& replacement);
// " becomes ', then ^^ becomes ".
QString ConvertQuotes(const QString& text);
// Whether the text as written starts with UPDATE, DROP, CREATE, ALTER, DELETE or INSERT.
bool IsCommandText(const QString& sql);

// The lock around every round trip of QueryData; the owning thread may take it again.
QRecursiveMutex& QueryLock();

// Runs a statement; a query's whole result comes back, a command gives an empty packet.
// Lets the message queue run first. Errors reach the caller as Error.
DataPacket QueryData(TDSDM& dm, const QString& sql);
// The first column of the first row; an invalid QVariant when there is no row, sqlNull() for
// a NULL.
QVariant QueryValue(TDSDM& dm, const QString& sql);

struct ApplyResult
{
    int failed = 0;           // changes not written
    QVector<quint64> written; // ids of the changes that were written (for acceptChanges)
    QString firstError;       // the server's text for the first change that failed
};

// An error outside the row-by-row writing; carries what had been written before it.
class ApplyDeltaError : public Error
{
public:
    ApplyDeltaError(const QString& text, ApplyResult partial)
        : Error(text), result(std::move(partial))
    {
    }
    ApplyResult result;
};

// Writes a change log to the table named in the FROM clause of tableSql. A first pass finds
// modified and deleted rows by their primary key; the changes that failed there are tried once
// more against the rows tableSql returns, found by all their original values. Nothing is
// written twice. Throws ApplyDeltaError when tableSql itself cannot be run.
ApplyResult ApplyDelta(TDSDM& dm, const ChangeLog& log, const QString& tableSql);
