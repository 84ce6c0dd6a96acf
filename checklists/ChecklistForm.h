#pragma once
// The one window behind all five checklist forms, built from a catalogue entry: a group box
// with the tabs down the left edge, one tick list per tab, and the save button "บันทึก" that adds
// the ticked codes to the main window's service list.
#include "checklists/Checklist.h"
#include "checklists/ChecklistCatalogue.h"
#include "data/ServiceList.h"

#include <QDialog>

class ChecklistList;
class QPushButton;
class TDSDM;
class VerticalTabWidget;
struct Messages;

class ChecklistForm : public QDialog
{
    Q_OBJECT
public:
    // services, and the staff, place and date in entry, are the opener's; the form adds to
    // services and reads nothing else of the opener.
    ChecklistForm(const ChecklistDefinition& definition, TDSDM& dm, Messages& messages,
                  ServiceList& services, const QuickEntry& entry, QWidget* parent = nullptr);

    QString fhn; // the patient, set by the opener before the form is shown
    QString fvn; // the visit, likewise

    // Selects the first tab and loads every tab; runs each time the form is shown.
    void FormShow();
    // The save: adds the ticked codes, then closes. A press while a save runs is ignored.
    void cxButton2Click();

    const ChecklistDefinition& definition() const { return m_definition; }
    Checklist& checklist() { return m_checklist; }
    ChecklistList* list(int tab) const { return m_lists.value(tab); }
    bool isSaving() const { return m_saving; }

    // The close box and Esc drop the ticks; while a save runs they wait for it.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    Messages& messages() { return m_messages; }

private:
    QWidget* buildTabs();
    QWidget* buildBottomBar();
    void placeWindow();

    const ChecklistDefinition& m_definition;
    TDSDM& m_dm;
    Messages& m_messages;
    ServiceList& m_services;
    QuickEntry m_entry;
    Checklist m_checklist;
    bool m_saving = false;

    VerticalTabWidget* cxPageControl1 = nullptr;
    QList<ChecklistList*> m_lists;
    QPushButton* cxButton2 = nullptr;
};
