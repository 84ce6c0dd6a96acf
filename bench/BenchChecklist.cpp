// The general checklist form: shown and loaded (twenty tabs) against a bare Qt dialog with twenty
// tab grids of the same rows and the twenty selects sent by plain Connector/C; and a save of 100
// ticked codes against the same statements (same-day tests, serial numbers) sent by plain
// Connector/C.
#include "BenchSupport.h"

#include "checklists/Checklist.h"
#include "checklists/TSpecial_pp_edit_f.h"
#include "data/ServiceList.h"
#include "data/TDSDM.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString database = QStringLiteral("bench_checklist");
    bench::buildDatabase(database,
                         {QStringLiteral("his_schema.sql"), QStringLiteral("his_basic.sql"),
                          QStringLiteral("service_types.sql")});
    const ConnectionParams params = bench::serverParams(database);
    bench::Session session(database);
    TDSDM& dm = session.dm;
    Messages& messages = session.messages;
    bench::RawConnection raw(params);
    const QuickEntry entry{QStringLiteral("0001"), 1, QDateTime::currentDateTime()};
    const int runs = 7;

    // Opening: construction, the twenty loads and the first paint.
    QList<QByteArray> selects;
    QVector<int> rowsPerTab;
    QVector<double> openTimes, bareTimes, selectTimes;
    for (int run = 0; run < runs; ++run) {
        ServiceList services;
        services.load(dm, QStringLiteral("OPEN"));
        dm.DSDBConnection.setObserver([&](const QString& sql) {
            if (run == 0)
                selects << sql.toUtf8();
        });
        QElapsedTimer clock;
        clock.start();
        {
            TSpecial_pp_edit_f form(dm, messages, services, entry);
            form.resize(1100, 700);
            form.show();
            form.repaint();
            QApplication::processEvents();
            openTimes << clock.nsecsElapsed() / 1e6;
            if (run == 0)
                for (int t = 0; t < form.checklist().tabCount(); ++t)
                    rowsPerTab << form.checklist().table(t).rowCount();
        }
        dm.DSDBConnection.setObserver(nullptr);

        clock.restart();
        {
            QDialog bare;
            auto* layout = new QVBoxLayout(&bare);
            auto* tabs = new QTabWidget(&bare);
            tabs->setTabPosition(QTabWidget::West);
            for (int t = 0; t < rowsPerTab.size(); ++t) {
                auto* model = new QStandardItemModel(rowsPerTab[t], 2, tabs);
                for (int r = 0; r < rowsPerTab[t]; ++r) {
                    auto* tick = new QStandardItem;
                    tick->setCheckable(true);
                    model->setItem(r, 0, tick);
                    model->setItem(r, 1,
                                   new QStandardItem(QStringLiteral("คัดกรองมะเร็งเต้านม 1B0030")));
                }
                auto* view = new QTableView(tabs);
                view->setModel(model);
                tabs->addTab(view, QStringLiteral("%1.คัดกรองมะเร็งเต้านม มะเร็งปากมดลูก").arg(t + 1));
            }
            layout->addWidget(tabs);
            bare.resize(1100, 700);
            bare.show();
            bare.repaint();
            QApplication::processEvents();
            bareTimes << clock.nsecsElapsed() / 1e6;
        }
        selectTimes << bench::medianMicros(1, 1, [&] {
                           for (const QByteArray& s : selects)
                               raw.run(s);
                       }) / 1000.0;
    }

    // Saving 100 ticked codes for a patient with no rows today.
    QVector<double> saveTimes, saveFloor;
    for (int run = 0; run < runs; ++run) {
        const QString hn = QStringLiteral("TICK%1").arg(run);
        ServiceList services;
        services.load(dm, hn);
        TSpecial_pp_edit_f form(dm, messages, services, entry);
        form.fhn = hn;
        form.fvn = QStringLiteral("000000000000");
        form.FormShow();
        Checklist& checklist = form.checklist();
        int ticked = 0;
        for (int t = 0; t < checklist.tabCount() && ticked < 100; ++t) {
            ClientDataSet& table = checklist.table(t);
            for (int r = 0; r < table.rowCount() && ticked < 100; ++r, ++ticked) {
                table.setRecNo(r);
                table.edit();
                table.setValue(QStringLiteral("pp_special_code"), Checklist::Ticked);
                table.post();
            }
        }
        QList<QByteArray> statements;
        dm.DSDBConnection.setObserver([&](const QString& sql) { statements << sql.toUtf8(); });
        QElapsedTimer clock;
        clock.start();
        checklist.save(dm, services, form.fvn, hn, entry, messages);
        saveTimes << clock.nsecsElapsed() / 1e6;
        dm.DSDBConnection.setObserver(nullptr);
        if (services.pp_special_cds.changeCount() != 100)
            qFatal("the save added %d rows, not 100", services.pp_special_cds.changeCount());
        saveFloor << bench::medianMicros(1, 1, [&] {
                         for (const QByteArray& s : statements)
                             raw.run(s);
                     }) / 1000.0;
    }

    const double open = bench::median(openTimes), bare = bench::median(bareTimes),
                 sql = bench::median(selectTimes);
    bench::header();
    bench::report(QStringLiteral("general form open (floor: 1.3x(bare+SQL))"), open,
                  1.3 * (bare + sql), QStringLiteral("ms"));
    bench::note(QStringLiteral("  bare dialog, twenty tab grids"), bare, QStringLiteral("ms"));
    bench::note(QStringLiteral("  twenty selects, plain client"), sql, QStringLiteral("ms"));
    bench::report(QStringLiteral("save of 100 ticked codes"), bench::median(saveTimes),
                  bench::median(saveFloor), QStringLiteral("ms"));
    return 0;
}
