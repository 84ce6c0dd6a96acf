#pragma once
// The checklist form for services to the elderly, eleven tabs. Above the list of tab 11, "11.
// ปกติ", "เลือกทั้งหมด" ticks every row of that tab and "ไม่เลือก" makes them all dimmed again.
#include "checklists/ChecklistForm.h"

class QCheckBox;

class TSpecial_pp_edit_2_f : public ChecklistForm
{
    Q_OBJECT
public:
    TSpecial_pp_edit_2_f(TDSDM& dm, Messages& messages, ServiceList& services,
                         const QuickEntry& entry, QWidget* parent = nullptr);

    // Run on every change of the box's tick; each acts on tab 11 alone.
    void CheckAllPropertiesChange();
    void UnCheckPropertiesChange();

private:
    QCheckBox* CheckAll;
    QCheckBox* UnCheck;
};
