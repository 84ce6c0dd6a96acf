#pragma once
// The checklist form for child development, five tabs.
#include "checklists/ChecklistForm.h"

class TSpecial_pp_edit_4_f : public ChecklistForm
{
    Q_OBJECT
public:
    TSpecial_pp_edit_4_f(TDSDM& dm, Messages& messages, ServiceList& services,
                         const QuickEntry& entry, QWidget* parent = nullptr)
        : ChecklistForm(checklistDefinition(ChecklistKind::ChildDevelopment), dm, messages,
                        services, entry, parent)
    {
    }
};
