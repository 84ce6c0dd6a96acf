// The connection dialog driven through its widgets, found by objectName, with the settings
// file in a temporary folder and a recorder for messages and for what it hands on.
#include "settings/TConnecting_F.h"
#include "support/RecordingMessages.h"
#include "support/SettingsFixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

template <typename W> W* child(QWidget& dialog, const char* name)
{
    W* widget = dialog.findChild<W*>(QLatin1String(name));
    if (!widget)
        qWarning("no widget named %s", name);
    return widget;
}

QString describe(const ConnectionValues& v)
{
    return QStringList{v.host, v.user, v.password, v.db, v.port}.join(QLatin1String(" | "));
}

} // namespace

class TestTConnecting_F : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void showsPresetsWithoutFile();
    void fillsBoxesFromFile();
    void controlsCarryTheirCaptions_data();
    void controlsCarryTheirCaptions();
    void connectWritesNineEntriesAndHandsValuesOn_data();
    void connectWritesNineEntriesAndHandsValuesOn();
    void useUtf8IsStoredAndShownAgain_data();
    void useUtf8IsStoredAndShownAgain();
    void closeChangesNothing();
    void failedWriteKeepsDialogOpen();

private:
    // Builds and shows the dialog over m_path, recording what reaches onConnect.
    std::unique_ptr<TConnecting_F> openDialog();

    QTemporaryDir m_dir;
    QString m_path;
    RecordingMessages m_messages;
    QList<ConnectionValues> m_handedOn;
};

void TestTConnecting_F::init()
{
    m_path = m_dir.filePath(QStringLiteral("KORVALEN-WIN32.INI"));
    QFile::remove(m_path);
    m_messages = RecordingMessages();
    m_handedOn.clear();
}

std::unique_ptr<TConnecting_F> TestTConnecting_F::openDialog()
{
    auto dialog = std::make_unique<TConnecting_F>(
        m_path, m_messages, [this](const ConnectionValues& v) { m_handedOn << v; });
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get()))
        qWarning("the dialog was not shown");
    return dialog;
}

void TestTConnecting_F::showsPresetsWithoutFile()
{
    auto dialog = openDialog();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Connecting"));
    QCOMPARE(child<QLineEdit>(*dialog, "host_hosxp")->text(), QStringLiteral("127.0.0.1"));
    QCOMPARE(child<QLineEdit>(*dialog, "db_hosxp")->text(), QStringLiteral("hosxp_pcu"));
    QCOMPARE(child<QLineEdit>(*dialog, "user_hosxp")->text(), QStringLiteral("sa"));
    auto* password = child<QLineEdit>(*dialog, "password_hosxp");
    QCOMPARE(password->text().size(), 2);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(child<QSpinBox>(*dialog, "port_hosxp")->value(), 3306);
    QVERIFY(!child<QCheckBox>(*dialog, "use_UTF8")->isChecked());
    // The three defaults are carried, never shown.
    for (const char* name : {"open_printserver", "scale_opdcard", "mode_opdcard"})
        QVERIFY2(!child<QWidget>(*dialog, name)->isVisibleTo(dialog.get()), name);
    QVERIFY(!child<QCheckBox>(*dialog, "open_printserver")->isEnabled());
    QCOMPARE(child<QComboBox>(*dialog, "mode_opdcard")->currentText(), QStringLiteral("1.พยาบาล"));
    QCOMPARE(child<QComboBox>(*dialog, "scale_opdcard")->currentText(), QStringLiteral("1.4"));
    QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>(*dialog, "cxButton1"));
    QVERIFY(!QFile::exists(m_path));
    QVERIFY(m_messages.texts.isEmpty());
}

// The file lacks db_hosxp, so the database box shows the default, not the preset.
void TestTConnecting_F::fillsBoxesFromFile()
{
    QVERIFY(QFile::copy(fixture(QStringLiteral("db_key_missing.ini")), m_path));
    auto dialog = openDialog();
    QCOMPARE(child<QLineEdit>(*dialog, "host_hosxp")->text(), QStringLiteral("his-db.local"));
    QCOMPARE(child<QLineEdit>(*dialog, "db_hosxp")->text(), QStringLiteral("hos"));
    QCOMPARE(child<QLineEdit>(*dialog, "user_hosxp")->text(), QStringLiteral("nurse1"));
    QCOMPARE(child<QLineEdit>(*dialog, "password_hosxp")->text(), QStringLiteral("pw"));
    QCOMPARE(child<QSpinBox>(*dialog, "port_hosxp")->value(), 3307);
    QVERIFY(m_messages.texts.isEmpty());
}

void TestTConnecting_F::controlsCarryTheirCaptions_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("host") << QStringLiteral("host_hosxp") << QStringLiteral("HOST");
    QTest::newRow("db") << QStringLiteral("db_hosxp") << QStringLiteral("DB");
    QTest::newRow("user") << QStringLiteral("user_hosxp") << QStringLiteral("User");
    QTest::newRow("password") << QStringLiteral("password_hosxp") << QStringLiteral("Pass");
    QTest::newRow("port") << QStringLiteral("port_hosxp") << QStringLiteral("PORT");
    QTest::newRow("use UTF8") << QStringLiteral("use_UTF8") << QStringLiteral("use UTF8");
    QTest::newRow("connect") << QStringLiteral("cxButton1") << QStringLiteral("เชื่อมต่อ");
    QTest::newRow("close") << QStringLiteral("cxButton2") << QStringLiteral("Close");
    QTest::newRow("print server") << QStringLiteral("open_printserver")
                                  << QStringLiteral("เปิด Print Server หลังเข้าใช้งาน");
    QTest::newRow("scale") << QStringLiteral("scale_opdcard") << QStringLiteral("Scale OPDCARD");
    QTest::newRow("mode") << QStringLiteral("mode_opdcard") << QStringLiteral("Mode");
}

void TestTConnecting_F::controlsCarryTheirCaptions()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    auto dialog = openDialog();
    QWidget* widget = dialog->findChild<QWidget*>(objectName);
    QVERIFY2(widget, qPrintable(objectName));
    QCOMPARE(widget->accessibleName(), caption);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QCOMPARE(button->text(), caption);
}

// Expected stored texts from the independent Python tool (see TestSettingsCipher).
void TestTConnecting_F::connectWritesNineEntriesAndHandsValuesOn_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("storedPassword");
    QTest::newRow("empty password") << QString() << QByteArray();
    QTest::newRow("Thai password") << QStringLiteral("สมศรี") << QByteArray("q3HQuao=");
}

void TestTConnecting_F::connectWritesNineEntriesAndHandsValuesOn()
{
    QFETCH(QString, password);
    QFETCH(QByteArray, storedPassword);
    auto dialog = openDialog();
    child<QLineEdit>(*dialog, "db_hosxp")->setText(QStringLiteral("hos"));
    auto* passwordBox = child<QLineEdit>(*dialog, "password_hosxp");
    // QTest types Latin-1 only, so the Thai text is put in directly.
    passwordBox->setText(password);
    QTest::mouseClick(child<QPushButton>(*dialog, "cxButton1"), Qt::LeftButton);

    const QList<QByteArray> expected{"[SECURITY]",
                                     "host_hosxp=UIIvVE88kmLy",
                                     "user_hosxp=EtE=",
                                     "db_hosxp=Cd9r",
                                     "password_hosxp=" + storedPassword,
                                     "port_hosxp=UoMoTA==",
                                     "scale_opdcard=1.4",
                                     "mode_opdcard=1.\xbe\xc2\xd2\xba\xd2\xc5",
                                     "open_printserver=N",
                                     "use_UTF8=N"};
    QByteArray expectedBytes;
    for (const QByteArray& line : expected)
        expectedBytes += line + "\r\n";
    QCOMPARE(fileBytes(m_path), expectedBytes);

    QCOMPARE(m_handedOn.size(), 1);
    const ConnectionValues sent{QStringLiteral("127.0.0.1"), QStringLiteral("sa"), password,
                                QStringLiteral("hos"), QStringLiteral("3306")};
    QCOMPARE(describe(m_handedOn.first()), describe(sent));
    QVERIFY(!child<QCheckBox>(*dialog, "open_printserver")->isChecked());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());
    QVERIFY(m_messages.texts.isEmpty());
}

void TestTConnecting_F::useUtf8IsStoredAndShownAgain_data()
{
    QTest::addColumn<bool>("check");
    QTest::addColumn<QByteArray>("storedLine");
    QTest::newRow("checked") << true << QByteArray("use_UTF8=Y\r");
    QTest::newRow("unchecked") << false << QByteArray("use_UTF8=N\r");
}

void TestTConnecting_F::useUtf8IsStoredAndShownAgain()
{
    QFETCH(bool, check);
    QFETCH(QByteArray, storedLine);
    {
        auto dialog = openDialog();
        if (check) {
            // On the indicator: the box is wider than its indicator and caption.
            auto* box = child<QCheckBox>(*dialog, "use_UTF8");
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            QVERIFY(box->isChecked());
        }
        QTest::mouseClick(child<QPushButton>(*dialog, "cxButton1"), Qt::LeftButton);
    }
    QVERIFY(fileBytes(m_path).split('\n').contains(storedLine));
    auto reopened = openDialog();
    QCOMPARE(child<QCheckBox>(*reopened, "use_UTF8")->isChecked(), check);
    QVERIFY(m_messages.texts.isEmpty());
}

void TestTConnecting_F::closeChangesNothing()
{
    QVERIFY(QFile::copy(fixture(QStringLiteral("written_by_other_tool.ini")), m_path));
    const QByteArray before = fileBytes(m_path);
    auto dialog = openDialog();
    child<QLineEdit>(*dialog, "host_hosxp")->setText(QStringLiteral("elsewhere"));
    QTest::mouseClick(child<QPushButton>(*dialog, "cxButton2"), Qt::LeftButton);
    QCOMPARE(fileBytes(m_path), before);
    QVERIFY(m_handedOn.isEmpty());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!dialog->isVisible());
    QVERIFY(m_messages.texts.isEmpty());
}

void TestTConnecting_F::failedWriteKeepsDialogOpen()
{
    m_path = m_dir.filePath(QStringLiteral("no-such-folder/KORVALEN-WIN32.INI"));
    auto dialog = openDialog();
    QTest::mouseClick(child<QPushButton>(*dialog, "cxButton1"), Qt::LeftButton);
    QCOMPARE(m_messages.texts, QStringList{QStringLiteral("Unable to write to ") + m_path});
    QVERIFY(m_handedOn.isEmpty());
    QVERIFY(dialog->isVisible());
    QVERIFY(!QFile::exists(m_path));
}

QTEST_MAIN(TestTConnecting_F)
#include "TestTConnecting_F.moc"
