#pragma once
// The checklist form for alcohol problems, one tab.
#include "checklists/ChecklistForm.h"

class TSpecial_pp_edit_5_f : public ChecklistForm
{
    Q_OBJECT
public:
    TSpecial_pp_edit_5_f(TDSDM& dm, Messages& messages, ServiceList& services,
                         const QuickEntry& entry, QWidget* parent = nullptr)
        : ChecklistForm(checklistDefinition(ChecklistKind::Alcohol), dm, messages, services, entry,
                        parent)
    {
    }
};
