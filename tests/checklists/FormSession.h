#pragma once
// A checklist form's surroundings without the main window: the data module connected to a test
// database with every checklist code, the current patient's service list, the staff, place and
// date, recorded messages and every statement the program sends.
#include "checklists/ChecklistForm.h"
#include "data/TDSDM.h"
#include "support/FakePlatform.h"
#include "support/RecordingMessages.h"
#include "support/TestDatabase.h"

#include <QAbstractButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

struct FormSession
{
    static inline const QString Hn = QStringLiteral("000012345");
    static inline const QString Vn = QStringLiteral("000000000000");

    FormSession() : db(QStringLiteral("his_basic.sql")), dm(messages, platform)
    {
        db.runFile(QStringLiteral("service_types.sql"));
        dm.DSDBConnection.setParams(db.params());
        dm.DSDBConnection.setOption(QStringLiteral("MySQL.CharSet"), QStringLiteral("UTF8"));
        dm.DSDBConnection.open();
        dm.session.HospitalCode = QStringLiteral("10669");
        dm.session.CurrentVn = Vn;
        services.load(dm, Hn);
        entry = QuickEntry{QStringLiteral("0001"), 1,
                           QDateTime(QDate::currentDate(), QTime(10, 15, 30))};
        dm.DSDBConnection.setObserver([this](const QString& sql) {
            statements << sql;
            if (onStatement)
                onStatement(sql);
        });
    }

    // Creates the form for the patient and visit above and shows it, which loads its tabs.
    template <typename Form>
    std::unique_ptr<Form> open(const QString& hn = Hn, const QString& vn = Vn)
    {
        auto form = std::make_unique<Form>(dm, messages, services, entry);
        form->fhn = hn;
        form->fvn = vn;
        form->show();
        return form;
    }

    // The statements of the same-day test, in the order sent.
    QStringList duplicateTests() const
    {
        return statements.filter(
            QRegularExpression(QStringLiteral("^select \\* from pp_special where vn=")));
    }

    // The rows the form added to the service list, in the order they were added.
    QList<QVariant> added(const QString& field) const
    {
        const ClientDataSet& list = services.pp_special_cds;
        QList<QVariant> values;
        for (const Change& change : list.changeLog().changes)
            if (change.kind == ChangeKind::Inserted)
                values << change.current.value(list.fieldIndex(field));
        return values;
    }
    QList<int> addedNumbers(const QString& field) const
    {
        QList<int> numbers;
        for (const QVariant& v : added(field))
            numbers << v.toInt();
        return numbers;
    }
    QList<int> addedTypes() const { return addedNumbers(QStringLiteral("pp_special_type_id")); }

    TestDatabase db;
    RecordingMessages messages;
    FakePlatform platform;
    TDSDM dm;
    ServiceList services;
    QuickEntry entry;
    QStringList statements;
    std::function<void(const QString&)> onStatement;
};

// The row of a tab's table holding the service, -1 when it is not listed.
inline int rowOfType(ClientDataSet& table, int typeId)
{
    const int key = table.fieldIndex(QStringLiteral("pp_special_type_id"));
    for (int row = 0; row < table.rowCount(); ++row)
        if (table.value(row, key).toInt() == typeId)
            return row;
    return -1;
}

inline QString codeOf(ClientDataSet& table, int row)
{
    const QVariant v = table.value(row, table.fieldIndex(QStringLiteral("pp_special_code")));
    return isSqlNull(v) ? QStringLiteral("NULL") : v.toString();
}

// Brings the tab forward and clicks the tick box of the row, as the user does.
inline void clickTick(ChecklistForm& form, int tab, int row)
{
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("cxPageControl1"));
    QVERIFY(tabs);
    tabs->setCurrentIndex(tab);
    auto* view = form.findChild<QTableView*>(QStringLiteral("cxGrid%1").arg(tab + 1));
    QVERIFY(view);
    const QModelIndex box = view->model()->index(row, 0);
    QVERIFY(box.isValid());
    view->scrollTo(box);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(box).center());
}

// Ticks the service on the tab: finds its row, then clicks it.
inline void tickType(ChecklistForm& form, int tab, int typeId)
{
    const int row = rowOfType(form.checklist().table(tab), typeId);
    QVERIFY2(row >= 0,
             qPrintable(QStringLiteral("type %1 not on tab %2").arg(typeId).arg(tab + 1)));
    clickTick(form, tab, row);
}

inline void clickSave(ChecklistForm& form)
{
    auto* save = form.findChild<QAbstractButton*>(QStringLiteral("cxButton2"));
    QVERIFY(save);
    QTest::mouseClick(save, Qt::LeftButton);
}
