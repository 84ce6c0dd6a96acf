#pragma once
// The modal dialog in which the user enters the HIS database's host, database, user, password
// and port. Its connect button stores them in the settings file and hands them to the caller,
// which keeps them and tries the connection.
#include "data/ConnectionValues.h"

#include <QDialog>

#include <functional>

struct Messages;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Declares no signals, slots or properties of its own (its handlers are connected by
// pointer to member), so it needs no meta-object of its own.
class TConnecting_F : public QDialog
{
public:
    TConnecting_F(const QString& settingsFilePath, Messages& messages,
                  std::function<void(const ConnectionValues&)> onConnect,
                  QWidget* parent = nullptr);

    // Fills the boxes from the settings file; without a file every box keeps its preset.
    void FormCreate();
    // Writes the file, hands the values on, closes the dialog.
    void cxButton1Click();
    // Closes the dialog and changes nothing.
    void cxButton2Click();

private:
    void buildLayout();

    QString m_settingsFilePath;
    Messages& m_messages;
    std::function<void(const ConnectionValues&)> m_onConnect;

    QLineEdit* host_hosxp = nullptr;
    QLineEdit* db_hosxp = nullptr;
    QLineEdit* user_hosxp = nullptr;
    QLineEdit* password_hosxp = nullptr;
    QSpinBox* port_hosxp = nullptr;
    QCheckBox* use_UTF8 = nullptr;
    QPushButton* cxButton1 = nullptr;
    QPushButton* cxButton2 = nullptr;
    QGroupBox* defaultsGroup = nullptr;
    QCheckBox* open_printserver = nullptr;
    QComboBox* scale_opdcard = nullptr;
    QComboBox* mode_opdcard = nullptr;
};
