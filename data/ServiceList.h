#pragma once
// The current patient's recorded services (rows of pp_special) as one in-memory list. Add item
// and the checklist forms add rows to it; only saveAll() writes it to the database.
#include "data/ClientDataSet.h"

#include <QDateTime>
#include <QVariant>

class TDSDM;

// Who gave a service, where and when: the main window's staff, place and date boxes.
struct QuickEntry
{
    QVariant doctor;
    QVariant place;
    QDateTime when;
};

struct SaveResult
{
    int written = 0;
    int failed = 0;
    QString firstError;
};

class ServiceList
{
public:
    // The patient's rows from every day and visit.
    void load(TDSDM& dm, const QString& hn);
    // Adds one row with a fresh pp_special_id, inserted at the current row.
    void addService(TDSDM& dm, const QString& vn, const QString& hn, const QVariant& typeId,
                    const QuickEntry& entry);
    // Writes the change log; the changes written leave the log, the others stay for the next
    // try and are counted in the result.
    SaveResult saveAll(TDSDM& dm, const QString& vn, const QString& hn);

    ClientDataSet pp_special_cds;
};
