#pragma once
// The checklist form for general health promotion and disease prevention across all groups, twenty
// tabs.
#include "checklists/ChecklistForm.h"

class TSpecial_pp_edit_f : public ChecklistForm
{
    Q_OBJECT
public:
    TSpecial_pp_edit_f(TDSDM& dm, Messages& messages, ServiceList& services,
                       const QuickEntry& entry, QWidget* parent = nullptr)
        : ChecklistForm(checklistDefinition(ChecklistKind::General), dm, messages, services, entry,
                        parent)
    {
    }
};
