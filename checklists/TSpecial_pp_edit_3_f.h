#pragma once
// The checklist form for smoking behaviour, five tabs.
#include "checklists/ChecklistForm.h"

class TSpecial_pp_edit_3_f : public ChecklistForm
{
    Q_OBJECT
public:
    TSpecial_pp_edit_3_f(TDSDM& dm, Messages& messages, ServiceList& services,
                         const QuickEntry& entry, QWidget* parent = nullptr)
        : ChecklistForm(checklistDefinition(ChecklistKind::Smoking), dm, messages, services, entry,
                        parent)
    {
    }
};
