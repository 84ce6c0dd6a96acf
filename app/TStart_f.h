#pragma once
// The main window: start-up chain, header, navigation bar, status bar, and the working area
// where staff, place, date and services are picked and the patient's service list is saved.
#include "app/Downloader.h"
#include "data/ClientDataSet.h"
#include "data/ServiceList.h"
#include "data/TDSDM.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>

class DataSetModel;
class DateBox;
class LookupBox;
class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QToolButton;
struct Messages;
struct Platform;

class TStart_f : public QMainWindow
{
    Q_OBJECT
public:
    TStart_f(Messages& messages, Platform& platform, QWidget* parent = nullptr);
    ~TStart_f() override;

    // Connection values, read from the settings file or given by the connection dialog.
    QString host_value;
    QString user_value;
    QString password_value;
    QString db_value;
    QString port_value;
    QString fhn; // the current patient's HN
    int lc = 0;  // step of the navigation bar's slide; never reset

    TDSDM& DSDM() { return *m_dm; }
    ServiceList& serviceList() { return m_serviceList; }
    ClientDataSet doctor_cds;
    ClientDataSet pp_special_service_place_type_cds;
    ClientDataSet pp_special_type_cds;

    QString panelText(int panel) const;
    // Shown, no start-up step armed and no handler running: the start-up chain is over.
    bool isIdle() const;

    // Start-up chain.
    void FormShow();
    void recheckTimer();
    void Timer1Timer();
    void Timer_startTimer();
    void LoadSessionUser();
    QTimer recheck;
    QTimer Timer1;
    QTimer Timer_start;
    QTimer CloseTimer;

    // Header and navigation bar.
    void Image1Click();
    void Image2Click();
    void CloseTimerTimer();
    void dxNavBar1Item8Click();

    // Working area.
    void cxButton5Click();
    void cxButton4Click();
    void cxButton7Click();
    void cxButton11Click();
    void cxButton17Click();
    void cxButton12Click();
    void cxButton16Click();
    void cxButton3Click();

    // The staff, place and date chosen now.
    QuickEntry quickEntry() const;

    // Self-update: offers, downloads and starts the updater, then closes the window. Returns
    // without doing anything when offline or declined; throws Error when it fails.
    void update_now();
    // Progress of the updater's download on ProgressBar1 (reading only).
    void IdHTTP1WorkBegin(WorkMode mode, qint64 count);
    void IdHTTP1Work(WorkMode mode, qint64 count);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void buildHeader(QWidget* parent);
    QWidget* buildNavBar();
    QWidget* buildWorkingArea();
    QWidget* buildGrid();
    QWidget* buildBottomBar();
    void buildStatusBar();
    void setPanel(int panel, const QString& text);
    void showConnectionPanels();
    void visitContextStep();
    void presetStaff();
    void fillLookups();
    void openConnectionDialog();
    // The required-box test: false (after its message) when a needed box is empty.
    bool requiredBoxesFilled(bool needService);
    // Opens a checklist form modally for the current patient and visit, then destroys it.
    template <typename Form> void openChecklist();
    void terminate();
    void layOutGridColumns();
    void updateGridFooter();
    void deleteGridRow();
    // Runs an event handler under the top-level error report.
    template <typename Handler> void handle(Handler handler);

    Messages& m_messages;
    Platform& m_platform;
    std::unique_ptr<TDSDM> m_dm;
    ServiceList m_serviceList;
    bool m_shown = false;
    bool m_updaterStarted = false; // the window is closing for the updater
    int m_handlerDepth = 0;

    QLabel* hospital_name = nullptr;
    QWidget* dxNavBar1 = nullptr;
    QList<QLabel*> m_panels;
    LookupBox* cxLookupComboBox1 = nullptr;
    LookupBox* cxLookupComboBox2 = nullptr;
    LookupBox* cxLookupComboBox3 = nullptr;
    DateBox* cxDateEdit1 = nullptr;
    QTableView* m_grid = nullptr;
    DataSetModel* m_gridModel = nullptr;
    QLabel* m_gridFooter = nullptr;
    QCheckBox* Auto_close = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};
