#include "settings/TConnecting_F.h"

#include "app/Guard.h"

#include "app/Messages.h"
#include "data/Error.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <typename W> W* named(W* widget, const char* objectName, const QString& caption)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(caption);
    return widget;
}

} // namespace

TConnecting_F::TConnecting_F(const QString& settingsFilePath, Messages& messages,
                             std::function<void(const ConnectionValues&)> onConnect,
                             QWidget* parent)
    : QDialog(parent), m_settingsFilePath(settingsFilePath), m_messages(messages),
      m_onConnect(std::move(onConnect))
{
    buildLayout();
    connect(cxButton1, &QPushButton::clicked, this, &TConnecting_F::cxButton1Click);
    connect(cxButton2, &QPushButton::clicked, this, &TConnecting_F::cxButton2Click);
    FormCreate();
}

void TConnecting_F::buildLayout()
{
    setObjectName(QStringLiteral("TConnecting_F"));
    setWindowTitle(QStringLiteral("Connecting"));
    setAccessibleName(windowTitle());
    // A title bar without buttons: the dialog closes only through its own two buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    setModal(true);
    setFixedSize(555, 273);

    auto* header = named(new QLabel(QStringLiteral("Connection Setting"), this), "header",
                         QStringLiteral("Connection Setting"));
    header->setStyleSheet(QStringLiteral(
        "QLabel { background-color: #1f4e79; color: white; font-weight: bold; padding: 8px; }"));

    host_hosxp = named(new QLineEdit(QStringLiteral("127.0.0.1"), this), "host_hosxp",
                       QStringLiteral("HOST"));
    db_hosxp =
        named(new QLineEdit(QStringLiteral("hosxp_pcu"), this), "db_hosxp", QStringLiteral("DB"));
    user_hosxp =
        named(new QLineEdit(QStringLiteral("sa"), this), "user_hosxp", QStringLiteral("User"));
    password_hosxp =
        named(new QLineEdit(QStringLiteral("pw"), this), "password_hosxp", QStringLiteral("Pass"));
    password_hosxp->setEchoMode(QLineEdit::Password);
    password_hosxp->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    port_hosxp = named(new QSpinBox(this), "port_hosxp", QStringLiteral("PORT"));
    port_hosxp->setRange(1, 65535);
    port_hosxp->setValue(3306);
    // Plain digits whatever the user's locale, as the file and the connection expect.
    port_hosxp->setLocale(QLocale::c());
    use_UTF8 = named(new QCheckBox(QStringLiteral("use UTF8"), this), "use_UTF8",
                     QStringLiteral("use UTF8"));

    auto* connectionGroup = named(new QGroupBox(QStringLiteral("ฐาน HOSxP V3, XE4"), this),
                                  "connectionGroup", QStringLiteral("ฐาน HOSxP V3, XE4"));
    auto* form = new QFormLayout(connectionGroup);
    const auto addRow = [&](const QString& caption, QWidget* box) {
        auto* label = new QLabel(caption, connectionGroup);
        label->setAccessibleName(caption);
        label->setBuddy(box);
        form->addRow(label, box);
    };
    addRow(QStringLiteral("HOST"), host_hosxp);
    addRow(QStringLiteral("DB"), db_hosxp);
    addRow(QStringLiteral("User"), user_hosxp);
    addRow(QStringLiteral("Pass"), password_hosxp);
    addRow(QStringLiteral("PORT"), port_hosxp);
    form->addRow(QString(), use_UTF8);

    cxButton1 = named(new QPushButton(QStringLiteral("เชื่อมต่อ"), this), "cxButton1",
                      QStringLiteral("เชื่อมต่อ"));
    cxButton2 =
        named(new QPushButton(QStringLiteral("Close"), this), "cxButton2", QStringLiteral("Close"));
    for (QPushButton* button : {cxButton1, cxButton2})
        button->setMinimumHeight(40);
    auto* buttonPanel = new QVBoxLayout;
    buttonPanel->addWidget(cxButton1);
    buttonPanel->addWidget(cxButton2);
    buttonPanel->addStretch();

    // Carried in the file for the HIS's own settings; the user never sees them.
    defaultsGroup = named(new QGroupBox(QStringLiteral("กำหนดค่าเริ่มต้น"), this), "defaultsGroup",
                          QStringLiteral("กำหนดค่าเริ่มต้น"));
    open_printserver =
        named(new QCheckBox(QStringLiteral("เปิด Print Server หลังเข้าใช้งาน"), defaultsGroup),
              "open_printserver", QStringLiteral("เปิด Print Server หลังเข้าใช้งาน"));
    open_printserver->setEnabled(false);
    scale_opdcard =
        named(new QComboBox(defaultsGroup), "scale_opdcard", QStringLiteral("Scale OPDCARD"));
    mode_opdcard = named(new QComboBox(defaultsGroup), "mode_opdcard", QStringLiteral("Mode"));
    // Editable, so whatever the file holds is shown and written back unchanged.
    scale_opdcard->setEditable(true);
    scale_opdcard->addItem(QStringLiteral("1.4"));
    mode_opdcard->setEditable(true);
    mode_opdcard->addItems({QStringLiteral("1.พยาบาล"), QStringLiteral("2.แพทย์")});
    auto* scaleLabel = new QLabel(QStringLiteral("Scale OPDCARD"), defaultsGroup);
    scaleLabel->setBuddy(scale_opdcard);
    scaleLabel->hide();
    scale_opdcard->hide();
    auto* modeLabel = new QLabel(QStringLiteral("Mode"), defaultsGroup);
    modeLabel->setBuddy(mode_opdcard);
    auto* defaultsRow = new QHBoxLayout(defaultsGroup);
    defaultsRow->addWidget(open_printserver);
    defaultsRow->addWidget(scaleLabel);
    defaultsRow->addWidget(scale_opdcard);
    defaultsRow->addWidget(modeLabel);
    defaultsRow->addWidget(mode_opdcard);
    defaultsGroup->hide();

    auto* middle = new QHBoxLayout;
    middle->addWidget(connectionGroup, 1);
    middle->addLayout(buttonPanel);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(header);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(9, 0, 9, 9);
    body->addLayout(middle);
    body->addWidget(defaultsGroup);
    outer->addLayout(body);

    setTabOrder(cxButton1, cxButton2);
    setTabOrder(cxButton2, host_hosxp);
    setTabOrder(host_hosxp, db_hosxp);
    setTabOrder(db_hosxp, user_hosxp);
    setTabOrder(user_hosxp, password_hosxp);
    setTabOrder(password_hosxp, port_hosxp);
    setTabOrder(port_hosxp, use_UTF8);
    cxButton1->setFocus();
}

void TConnecting_F::FormCreate()
{
    guarded(m_messages, [&] {
        const std::optional<DialogSettings> settings = readDialogSettings(m_settingsFilePath);
        if (!settings)
            return;
        password_hosxp->setText(settings->connection.password);
        user_hosxp->setText(settings->connection.user);
        host_hosxp->setText(settings->connection.host);
        db_hosxp->setText(settings->connection.db);
        // A port that is no number keeps the preset: the spin box can show digits only.
        bool isNumber = false;
        const int port = settings->connection.port.toInt(&isNumber);
        if (isNumber)
            port_hosxp->setValue(port);
        scale_opdcard->setCurrentText(settings->scale);
        mode_opdcard->setCurrentText(settings->mode);
        open_printserver->setChecked(false);
        use_UTF8->setChecked(settings->useUtf8);
    });
}

void TConnecting_F::cxButton1Click()
{
    guarded(m_messages, [&] {
        SettingsEntries entries;
        entries.host = host_hosxp->text();
        entries.user = user_hosxp->text();
        entries.db = db_hosxp->text();
        entries.password = password_hosxp->text();
        entries.port = port_hosxp->value();
        entries.scale = scale_opdcard->currentText();
        entries.mode = mode_opdcard->currentText();
        entries.useUtf8 = use_UTF8->isChecked();
        writeSettings(m_settingsFilePath, entries);
        open_printserver->setChecked(false);

        ConnectionValues values;
        values.password = password_hosxp->text();
        values.user = user_hosxp->text();
        values.host = host_hosxp->text();
        values.db = db_hosxp->text();
        values.port = port_hosxp->text();
        if (m_onConnect)
            m_onConnect(values);
        // Closed whether or not the connection opened; the caller has reported any failure.
        accept();
    });
}

void TConnecting_F::cxButton2Click()
{
    guarded(m_messages, [&] { reject(); });
}
