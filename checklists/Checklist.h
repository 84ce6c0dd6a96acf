#pragma once
// The tables behind one checklist form: one in-memory table per tab holding the tab's service
// codes, the tick state kept in each row's own pp_special_code, and the save that adds every
// ticked code to the service list unless the patient already has it on record today.
#include "checklists/ChecklistCatalogue.h"
#include "data/ClientDataSet.h"

#include <QDate>
#include <memory>
#include <vector>

class TDSDM;
class ServiceList;
struct Messages;
struct QuickEntry;

class Checklist
{
public:
    // pp_special_code of a row the user ticked, and of a row the user emptied again.
    static const QString Ticked;
    static const QString Unticked;
    static const QString AlreadyRecordedMessage;

    explicit Checklist(const ChecklistDefinition& definition);

    int tabCount() const { return int(m_tables.size()); }
    // pp_special_type1_cds for the first tab, and so on.
    ClientDataSet& table(int tab) { return *m_tables.at(tab); }
    // Receives the result of each same-day test.
    ClientDataSet pp_special_insert_cds;

    // Loads every tab with its code-set query, in tab order, rows in the order the server gives.
    void load(TDSDM& dm);

    // Goes through every tab and row in order; each row holding exactly "1" is tested against
    // the patient's rows of today and then added to the service list, or refused with a message.
    // A row's tick is cleared as soon as its row is in the service list, so that pressing save
    // again after a failure further on adds only what is still ticked.
    void save(TDSDM& dm, ServiceList& services, const QString& vn, const QString& hn,
              const QuickEntry& entry, Messages& messages);

    // Sets pp_special_code of every row of one tab.
    void setAllCodes(int tab, const QString& value);

    // What a tick box shows for a pp_special_code value: "1" ticked, "False" or NULL empty,
    // anything else (the service code of an untouched row, "0") dimmed.
    static Qt::CheckState tickState(const QVariant& code);
    // The same-day test: rows of pp_special for the visit, patient and service on that day.
    static QString duplicateTestSql(const QString& vn, const QString& hn, const QDate& day,
                                    const QString& typeId);

private:
    std::vector<std::unique_ptr<ClientDataSet>> m_tables;
    QVector<QString> m_queries;
};
