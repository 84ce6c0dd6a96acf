// The five checklist forms as the catalogue describes them: every tab's caption and code-set
// query as the server receives it, the rows each tab lists, and each form's window.
#include "FormSession.h"
#include "checklists/ChecklistList.h"
#include "checklists/ChecklistTickModel.h"
#include "checklists/TSpecial_pp_edit_2_f.h"
#include "checklists/TSpecial_pp_edit_3_f.h"
#include "checklists/TSpecial_pp_edit_4_f.h"
#include "checklists/TSpecial_pp_edit_5_f.h"
#include "checklists/TSpecial_pp_edit_f.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

class TestChecklistCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void codeSetQueries_data();
    void codeSetQueries();
    void windows_data();
    void windows();
    void tabsStandDownTheLeftEdge();
    void listColumnsFillTheWidth();
    void onlyTheElderlyFormHasExtras_data();
    void onlyTheElderlyFormHasExtras();

private:
    // Each form is opened once; what the server received while it loaded is kept beside it.
    struct Opened
    {
        std::unique_ptr<ChecklistForm> form;
        QStringList statements;
    };
    template <typename Form> void open(const char* name)
    {
        m_session->statements.clear();
        Opened& o = m_opened[QLatin1String(name)];
        o.form = m_session->open<Form>();
        o.statements = m_session->statements;
    }
    ChecklistForm& form(const QString& name)
    {
        ChecklistForm* f = m_opened[name].form.get();
        if (!f)
            qFatal("form %s not opened", qPrintable(name));
        return *f;
    }

    std::unique_ptr<FormSession> m_session;
    std::map<QString, Opened> m_opened;
};

void TestChecklistCatalogue::initTestCase()
{
    m_session = std::make_unique<FormSession>();
    open<TSpecial_pp_edit_f>("TSpecial_pp_edit_f");
    open<TSpecial_pp_edit_2_f>("TSpecial_pp_edit_2_f");
    open<TSpecial_pp_edit_3_f>("TSpecial_pp_edit_3_f");
    open<TSpecial_pp_edit_4_f>("TSpecial_pp_edit_4_f");
    open<TSpecial_pp_edit_5_f>("TSpecial_pp_edit_5_f");
    QCOMPARE(m_session->messages.texts, QStringList());
}

void TestChecklistCatalogue::cleanupTestCase()
{
    m_opened.clear();
    m_session.reset();
}

void TestChecklistCatalogue::codeSetQueries_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("rows"); // of the fixture service_types.sql
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("query"); // as the server receives it
    const auto row = [](const char* form, int tab, int rows, const char* caption,
                        const char* query) {
        QTest::addRow("%s tab %d", form, tab)
            << QString::fromLatin1(form) << tab << rows << QString::fromUtf8(caption)
            << QString::fromUtf8(query);
    };
    row("TSpecial_pp_edit_f", 1, 15, "1.คัดกรองมะเร็งเต้านม มะเร็งปากมดลูก",
        "select * from pp_special_type  where (pp_special_code between '1B0030' and '1B0049' or    "
        "     pp_special_code between '1B30' and '1B41' ) ");
    row("TSpecial_pp_edit_f", 2, 6, "2.ประเมินภาวะซึมเศร้า/การฆ่าตัวตาย",
        "select * from pp_special_type  where pp_special_code between '1B0260' and '1B0279' ");
    row("TSpecial_pp_edit_f", 3, 9, "3.ตรวจคัดกรอง/ประเมินโรคซึมเศร้างความเครียดในผู้สูงอายุ",
        "select * from pp_special_type  where pp_special_code between '1B0280' and '1B0289' ");
    row("TSpecial_pp_edit_f", 4, 9, "4.คัดกรองการมองเห็น ได้ยิน สมรรถนะปอด",
        "select * from pp_special_type  where pp_special_code between '1B1130' and '1B1169' ");
    row("TSpecial_pp_edit_f", 5, 4, "5.ตรวจคัดกรองความเสี่ยงจากสารกำจัดศัตรูพืช",
        "select * from pp_special_type  where pp_special_code between '1B1170' and '1B1179' ");
    row("TSpecial_pp_edit_f", 6, 4, "6.คัดกรองภาวะหกลมในผู้สูงอายุ",
        "select * from pp_special_type  where pp_special_code between '1B1200' and '1B1209' ");
    row("TSpecial_pp_edit_f", 7, 13, "7.คัดกรองสมรรถภาพสมอง ความเสี่ยงโรคหัวใจ และหลอดเลือดในผู้สูงอายุ",
        "select * from pp_special_type  where pp_special_code between '1B1220' and '1B1239' ");
    row("TSpecial_pp_edit_f", 8, 15, "8.คัดกรองสายตา ข้อเข่า โรคจอประสาทตาในผู้สูงอายุ",
        "select * from pp_special_type  where pp_special_code between '1B1240' and '1B1259' ");
    row("TSpecial_pp_edit_f", 9, 15,
        "9.คัดกรองพฤติกรรมเสี่ยง การดูแลระยะยาว ข้อเข่า การทำกิจวัตรประจำวันในผู้สูงอายุ",
        "select * from pp_special_type  where pp_special_code between '1B1260' and '1B1289' ");
    row("TSpecial_pp_edit_f", 10, 5, "10.คัดกรองโรคซึมเศร้า ผู้ป่วยโรคเรื้อรัง หญิงตั้งครรภ์/หลังคลอด",
        "select * from pp_special_type  where pp_special_code between '1B130' and '1B149' ");
    row("TSpecial_pp_edit_f", 11, 4, "11.คัดกรองโรคซึมเศร้า ผู้มีปัญหาสุรา/สารเสพติด",
        "select * from pp_special_type  where pp_special_code between '1B150' and '1B169' ");
    row("TSpecial_pp_edit_f", 12, 3, "12.ตรวจคัดกรองโรคซึมเศร้าในผุ้ป่วยมีการทางกายเรื้อรัง",
        "select * from pp_special_type  where pp_special_code between '1B170' and '1B179' ");
    row("TSpecial_pp_edit_f", 13, 3, "13.คัดกรองโรคซึมเศร้าในกลุ่มผู้ที่มีการสูญเสีย",
        "select * from pp_special_type  where pp_special_code between '1B180' and '1B189' ");
    row("TSpecial_pp_edit_f", 14, 9, "14.คัดกรองพัฒนาการสมวัยด้านการเคลื่อนไหว",
        "select * from pp_special_type  where pp_special_code between '1B200' and '1B209' ");
    row("TSpecial_pp_edit_f", 15, 9, "15.คัดกรองพัฒนาการสมวัยด้านกล้ามเนื้อมัดเล็กและสติปัญญา",
        "select * from pp_special_type  where pp_special_code between '1B210' and '1B219' ");
    row("TSpecial_pp_edit_f", 16, 17, "16.คัดกรองพัฒนาสมวัยด้านการเข้าใจภาษา",
        "select * from pp_special_type  where pp_special_code between '1B220' and '1B239' ");
    row("TSpecial_pp_edit_f", 17, 9, "17.คัดกรองพัฒนาการสมวัยด้านการช่วยเหลือตนเองและสังคม",
        "select * from pp_special_type  where pp_special_code between '1B240' and '1B249' ");
    row("TSpecial_pp_edit_f", 18, 6, "18.ประเมินระบบประสาทและพัฒนาการเด็ก",
        "select * from pp_special_type  where pp_special_code between '1B250' and '1B259' ");
    row("TSpecial_pp_edit_f", 19, 11, "19.ผลการตรวจคัดกรอง",
        "select * from pp_special_type  where (pp_special_code between '1B30' and '1B41' or "
        "pp_special_code between '1B260' and '1B262') ");
    row("TSpecial_pp_edit_f", 20, 2, "20.คัดกรองมะเร็งลำใส้",
        "select * from pp_special_type  where pp_special_code between '1B0060' and '1B0061' ");
    row("TSpecial_pp_edit_2_f", 1, 3, "1. สมรรถนะผู้สูงอายุ (ADL)",
        "select * from pp_special_type  where pp_special_code in('1B1280','1B1281','1B1282') ");
    row("TSpecial_pp_edit_2_f", 2, 6, "2.ความเสี่ยงต่อโรคหลอดเลือดหัวใจ (เฉพาะ รพ.)",
        "select * from pp_special_type  where pp_special_code "
        "in('1B1230','1B1231','1B1232','1B1234','1B1235','1B1239') ");
    row("TSpecial_pp_edit_2_f", 3, 3, "3.สุขภาพช่องปาก",
        "select * from pp_special_type  where pp_special_code in('1B1260','1B1261','1B1269') ");
    row("TSpecial_pp_edit_2_f", 4, 15, "4.สายตาระยะใกล้",
        "select * from pp_special_type  where pp_special_code "
        "in('1B1240','1B1241','1B1242','1B1243','1B1244','1B1245','1B1250','1B1251','1B1252','"
        "1B1253','1B1254','1B1255','1B1256','1B1257','1B1258') ");
    row("TSpecial_pp_edit_2_f", 5, 7, "5.สมรรถภาพทางสมอง  AMT",
        "select * from pp_special_type  where pp_special_code "
        "in('1B1220','1B1221','1B1223','1B1224','1B1225','1B1226','1B1229') ");
    row("TSpecial_pp_edit_2_f", 6, 9, "6.โรคซึมเศร้า 2Q 9Q ST5",
        "select * from pp_special_type  where pp_special_code "
        "in('1B0280','1B0281','1B0282','1B0283','1B0284','1B0285','1B0286','1B0287','1B0289') ");
    row("TSpecial_pp_edit_2_f", 7, 3, "7.ปวดข้อเข่า",
        "select * from pp_special_type  where pp_special_code in('1B1270','1B1271','1B1272') ");
    row("TSpecial_pp_edit_2_f", 8, 4, "8.ภาวะหกล้ม",
        "select * from pp_special_type  where pp_special_code "
        "in('1B1200','1B1201','1B1202','1B1209') ");
    row("TSpecial_pp_edit_2_f", 9, 3, "9.การกลั้นปัสสาวะ",
        "select * from pp_special_type  where pp_special_code in('1B1283','1B1284','1B1285') ");
    row("TSpecial_pp_edit_2_f", 10, 3, "10. การตรวจคัดกรองสมรรถนะผู้สูงอายุเกี่ยวกับการดูแลระยะยาว",
        "select * from pp_special_type  where pp_special_code in('1B1273','1B1274','1B1275') ");
    row("TSpecial_pp_edit_2_f", 11, 18, "11. ปกติ",
        "select * from pp_special_type  where pp_special_code "
        "in('1B0030','1B1140','1B1150','1B1280','1B1230','1B1260','1B1240','1B1220','1B0280',  "
        "'1B1200','1B1284','1B1270','1B1273','1B1243','1B1250','1B1253','1B1256','1B0286') ");
    row("TSpecial_pp_edit_3_f", 1, 3, "1. ท่านสูบบุหรี่หรือไม่ (ในระยะเวลา 1 เดือนที่ผ่านมา)",
        "select * from pp_special_type  where pp_special_code in('1B50','1B51','1B52') ");
    row("TSpecial_pp_edit_3_f", 2, 3, "2. ท่านสูบบุหรี่กี่มวลต่อวัน",
        "select * from pp_special_type  where pp_special_code in('1B501','1B502','1B503') ");
    row("TSpecial_pp_edit_3_f", 3, 4, "3. ระยะเวลาที่ท่านสูบบุหรี่มวนแรกหลังตื่นนอน",
        "select * from pp_special_type  where pp_special_code "
        "in('1B504','1B505','1B506','1B509') ");
    row("TSpecial_pp_edit_3_f", 4, 3, "4. การให้บริการผู้ติดบุหรี่",
        "select * from pp_special_type  where pp_special_code in('1B530','1B531','1B532') ");
    row("TSpecial_pp_edit_3_f", 5, 12, "5. การติดตาม",
        "select * from pp_special_type  where pp_special_code in('1B54','1B540','1B541','1B542', "
        "'1B55','1B550','1B551','1B552', '1B56','1B560','1B561','1B562') ");
    row("TSpecial_pp_edit_4_f", 1, 3, "1.คัดกรองพัฒนาการเด็ก 9, 18, 30, 42 เดือน",
        "select * from pp_special_type  where pp_special_code in('1B260','1B261','1B262') ");
    row("TSpecial_pp_edit_4_f", 2, 15, "2.คัดกรองพัฒนาการเด็ก 9, 18, 30, 42 เดือน สงสัยล่าช้าและล่าช้า",
        "select * from pp_special_type  where pp_special_code "
        "in('1B200','1B201','1B202','1B210','1B211','1B212','1B220','1B221','1B222','1B230','1B231'"
        ",'1B232','1B240','1B241','1B242') ");
    row("TSpecial_pp_edit_4_f", 3, 14, "3.คัดกรองพัฒนาการเด็กผิดปกติ LCDLP ที่ทำ TEDA41",
        "select * from pp_special_type  where pp_special_code "
        "in('1B206','1B207','1B216','1B217','1B226'  "
        ",'1B227','1B236','1B237','1B246','1B247','1B256','1B257','1B258','1B259') ");
    row("TSpecial_pp_edit_4_f", 4, 6, "4.การกระตุ้นพัฒนาการเด็กล่าช้าโดยเครื่องมือ TEDA4I",
        "select * from pp_special_type  where pp_special_code "
        "in('1B270','1B271','1B272','1B273','1B274','1B275') ");
    row("TSpecial_pp_edit_4_f", 5, 15, "5.ตรวจเฝ้าระวังนอกเหนือ 4 ช่วงวัย",
        "select * from pp_special_type  where pp_special_code between '1B203' and '1B245' and  "
        "substring(pp_special_code,1,3)='1B2' and substring(pp_special_code,5,1) in('3','4','5') "
        " ");
    row("TSpecial_pp_edit_5_f", 1, 9, "1. ผู้มีปัญหาสุรา",
        "select * from pp_special_type  where pp_special_code "
        "in('1B600','1B601','1B602','1B603','1B604','1B609','1B610','1B611','1B612') ");
}

void TestChecklistCatalogue::codeSetQueries()
{
    QFETCH(QString, form);
    QFETCH(int, tab);
    QFETCH(int, rows);
    QFETCH(QString, caption);
    QFETCH(QString, query);
    const Opened& opened = m_opened[form];
    QCOMPARE(opened.statements.value(tab - 1), query);
    auto* tabs = opened.form->findChild<QTabWidget*>("cxPageControl1");
    QVERIFY(tabs);
    QCOMPARE(tabs->tabText(tab - 1), caption);
    QCOMPARE(tabs->widget(tab - 1)->accessibleName(), caption);

    // The tab lists what the server returns for its query, in the server's order, and counts it.
    ClientDataSet& table = opened.form->checklist().table(tab - 1);
    QCOMPARE(table.objectName(), QString("pp_special_type%1_cds").arg(tab));
    const DataPacket expected = m_session->db.query(query);
    QCOMPARE(table.rowCount(), rows);
    QCOMPARE(expected.rows.size(), rows);
    for (int r = 0; r < rows; ++r)
        QCOMPARE(table.value(r, table.fieldIndex("pp_special_type_id")), expected.rows[r][0]);
    QCOMPARE(opened.form->list(tab - 1)->view()->model()->rowCount(), rows);
    auto* count = opened.form->findChild<QLabel*>(QString("cxGrid%1Count").arg(tab));
    QVERIFY(count);
    QCOMPARE(count->text(), QString::number(rows));
}

void TestChecklistCatalogue::windows_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("tabHeight");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("general") << "TSpecial_pp_edit_f"
                             << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค"
                             << "งานที่ให้บริการ" << 20 << "maximised" << QSize() << 28 << 50;
    QTest::newRow("elderly") << "TSpecial_pp_edit_2_f"
                             << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (ผู้สูงอายุ)"
                             << "งานที่ให้บริการผู้สูงอายุ" << 11 << "resizable" << QSize(926, 628) << 40
                             << 40;
    QTest::newRow("smoking") << "TSpecial_pp_edit_3_f"
                             << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (การสูบบุหรี่)"
                             << "การบันทึกพฤติกรรมสูบบุหรี่" << 5 << "fixed" << QSize(1013, 666) << 50
                             << 40;
    QTest::newRow("child development")
        << "TSpecial_pp_edit_4_f"
        << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (พัฒนาการเด็ก)"
        << "การบันทึกพัฒนาการเด็ก" << 5 << "resizable" << QSize(1008, 657) << 50 << 40;
    QTest::newRow("alcohol") << "TSpecial_pp_edit_5_f"
                             << "บันทึกข้อมูลส่งเสริมสุขภาพป้องกันโรค (คัดกรองสุรา)"
                             << "การบันทึกปัญหาสุรา" << 1 << "resizable" << QSize(1001, 653) << 50
                             << 40;
}

void TestChecklistCatalogue::windows()
{
    QFETCH(QString, form);
    QFETCH(QString, caption);
    QFETCH(QString, group);
    QFETCH(int, tabs);
    QFETCH(QString, frame);
    QFETCH(QSize, size);
    QFETCH(int, tabHeight);
    QFETCH(int, rowHeight);
    ChecklistForm& f = this->form(form);
    QCOMPARE(f.metaObject()->className(), qPrintable(form));
    QCOMPARE(f.windowTitle(), caption);
    QCOMPARE(f.accessibleName(), caption);
    auto* box = f.findChild<QGroupBox*>("cxGroupBox1");
    QVERIFY(box);
    QCOMPARE(box->title(), group);

    // Showing the form loaded its tabs and nothing else, and left the first tab in front.
    QCOMPARE(m_opened[form].statements.size(), tabs);
    auto* pages = f.findChild<QTabWidget*>("cxPageControl1");
    QVERIFY(pages);
    QCOMPARE(pages->count(), tabs);
    QCOMPARE(pages->currentIndex(), 0);
    for (int t = 0; t < tabs; ++t) {
        QCOMPARE(pages->tabBar()->tabRect(t).height(), tabHeight);
        QTableView* view = f.list(t)->view();
        QCOMPARE(view->objectName(), QString("cxGrid%1").arg(t + 1));
        QCOMPARE(view->verticalHeader()->defaultSectionSize(), rowHeight);
        if (view->model()->rowCount() > 0)
            QCOMPARE(view->rowHeight(0), rowHeight);
    }

    if (frame == "maximised") {
        QVERIFY(f.isMaximized());
    } else {
        QVERIFY(!f.isMaximized());
        QCOMPARE(f.size(), size);
        QCOMPARE(f.minimumSize() == f.maximumSize(), frame == "fixed");
    }
    auto* top = f.findChild<QWidget*>("Panel1");
    auto* bottom = f.findChild<QWidget*>("Panel2");
    QVERIFY(top && bottom);
    QCOMPARE(top->height(), 25);
    QCOMPARE(bottom->height(), 41);
    QCOMPARE(top->geometry().top(), 0);
    QCOMPARE(bottom->geometry().bottom(), f.height() - 1);

    // "บันทึก" keeps to the bottom right corner.
    auto* save = f.findChild<QPushButton*>("cxButton2");
    QVERIFY(save);
    QCOMPARE(save->text(), QString("บันทึก"));
    QCOMPARE(save->accessibleName(), QString("บันทึก"));
    const QPoint corner = save->mapTo(&f, QPoint(save->width(), save->height()));
    QVERIFY2(f.width() - corner.x() < 20 && f.height() - corner.y() < 20,
             qPrintable(QString("save button ends at %1,%2").arg(corner.x()).arg(corner.y())));
}

void TestChecklistCatalogue::tabsStandDownTheLeftEdge()
{
    // The smoking form: five tabs, all in sight.
    ChecklistForm& f = form("TSpecial_pp_edit_3_f");
    auto* pages = f.findChild<QTabWidget*>("cxPageControl1");
    QTabBar* bar = pages->tabBar();
    QCOMPARE(pages->tabPosition(), QTabWidget::West);
    for (int t = 0; t < pages->count(); ++t) {
        const QRect tab = bar->tabRect(t);
        QVERIFY2(tab.width() > tab.height(), "a horizontal caption makes a tab wider than high");
        if (t > 0)
            QCOMPARE(tab.top(), bar->tabRect(t - 1).bottom() + 1);
    }
    QVERIFY(bar->mapTo(&f, QPoint(bar->width(), 0)).x() <=
            pages->currentWidget()->mapTo(&f, QPoint()).x());

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
    QCOMPARE(pages->currentIndex(), 3);
    QVERIFY(f.list(3)->isVisible());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    QCOMPARE(pages->currentIndex(), 0);
}

void TestChecklistCatalogue::listColumnsFillTheWidth()
{
    ChecklistForm& f = form("TSpecial_pp_edit_5_f");
    QTableView* view = f.list(0)->view();
    QCOMPARE(view->model()->headerData(0, Qt::Horizontal).toString(), QString("Check"));
    QCOMPARE(view->model()->headerData(1, Qt::Horizontal).toString(),
             QString("pp_special_type_name"));
    const int check = view->columnWidth(0);
    const int name = view->columnWidth(1);
    QCOMPARE(check + name, view->viewport()->width());
    QVERIFY2(qAbs(check * 385 - name * 44) <= 429 * 2,
             qPrintable(QString("%1 : %2").arg(check).arg(name)));
    // The count stands under "Check".
    auto* count = f.findChild<QLabel*>("cxGrid1Count");
    const int countMiddle = count->mapTo(&f, count->rect().center()).x();
    const int checkLeft =
        view->viewport()->mapTo(&f, QPoint(view->columnViewportPosition(0), 0)).x();
    QVERIFY(countMiddle > checkLeft && countMiddle < checkLeft + check);
    // The names show, the codes do not.
    QCOMPARE(view->model()->index(0, 1).data().toString(), QString("ปัญหาการดื่มสุรา 1B600"));
    QCOMPARE(view->model()->index(0, 0).data(), QVariant());
}

void TestChecklistCatalogue::onlyTheElderlyFormHasExtras_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("extras");
    QTest::newRow("general") << "TSpecial_pp_edit_f" << false;
    QTest::newRow("elderly") << "TSpecial_pp_edit_2_f" << true;
    QTest::newRow("smoking") << "TSpecial_pp_edit_3_f" << false;
    QTest::newRow("child development") << "TSpecial_pp_edit_4_f" << false;
    QTest::newRow("alcohol") << "TSpecial_pp_edit_5_f" << false;
}

void TestChecklistCatalogue::onlyTheElderlyFormHasExtras()
{
    QFETCH(QString, form);
    QFETCH(bool, extras);
    ChecklistForm& f = this->form(form);
    auto* checkAll = f.findChild<QCheckBox*>("CheckAll");
    auto* unCheck = f.findChild<QCheckBox*>("UnCheck");
    auto* formula = f.findChild<QPushButton*>("cxButton1");
    QCOMPARE(checkAll != nullptr, extras);
    QCOMPARE(unCheck != nullptr, extras);
    QCOMPARE(formula != nullptr, extras);
    if (!extras)
        return;
    QCOMPARE(checkAll->text(), QString("เลือกทั้งหมด"));
    QCOMPARE(unCheck->text(), QString("ไม่เลือก"));
    QVERIFY(!checkAll->isChecked() && !unCheck->isChecked());
    QCOMPARE(unCheck->x(), 128);
    QVERIFY(checkAll->x() < unCheck->x());
    // The strip stands above tab 11's list, on tab 11 alone.
    auto* page = f.findChild<QWidget*>("cxTabSheet11");
    QVERIFY(page->isAncestorOf(checkAll) && page->isAncestorOf(unCheck));
    f.findChild<QTabWidget*>("cxPageControl1")->setCurrentWidget(page);
    QCOMPARE(checkAll->parentWidget()->height(), 33);
    QCOMPARE(checkAll->parentWidget()->geometry().bottom() + 1, f.list(10)->geometry().top());
    QCOMPARE(f.list(10)->geometry().bottom(), page->height() - 1);

    QCOMPARE(formula->text(), QString("บันทึก ICD10 (สูตร)"));
    QVERIFY(!formula->isEnabled());
    QCOMPARE(formula->width(), 163);
    auto* save = f.findChild<QPushButton*>("cxButton2");
    QCOMPARE(formula->height(), save->height());
    QVERIFY(formula->x() < save->x());
    m_session->statements.clear();
    QTest::mouseClick(formula, Qt::LeftButton);
    QVERIFY(f.isVisible());
    QCOMPARE(m_session->statements, QStringList());
}

QTEST_MAIN(TestChecklistCatalogue)
#include "TestChecklistCatalogue.moc"
