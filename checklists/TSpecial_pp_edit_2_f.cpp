#include "checklists/TSpecial_pp_edit_2_f.h"

#include "app/Guard.h"

#include <QCheckBox>

TSpecial_pp_edit_2_f::TSpecial_pp_edit_2_f(TDSDM& dm, Messages& messages, ServiceList& services,
                                           const QuickEntry& entry, QWidget* parent)
    : ChecklistForm(checklistDefinition(ChecklistKind::Elderly), dm, messages, services, entry,
                    parent),
      CheckAll(findChild<QCheckBox*>(QStringLiteral("CheckAll"))),
      UnCheck(findChild<QCheckBox*>(QStringLiteral("UnCheck")))
{
    connect(CheckAll, &QCheckBox::toggled, this,
            [this] { guarded(this->messages(), [this] { CheckAllPropertiesChange(); }); });
    connect(UnCheck, &QCheckBox::toggled, this,
            [this] { guarded(this->messages(), [this] { UnCheckPropertiesChange(); }); });
}

void TSpecial_pp_edit_2_f::CheckAllPropertiesChange()
{
    if (!CheckAll->isChecked())
        return;
    UnCheck->setChecked(false);
    checklist().setAllCodes(definition().tickAllTab, Checklist::Ticked);
}

void TSpecial_pp_edit_2_f::UnCheckPropertiesChange()
{
    if (!UnCheck->isChecked())
        return;
    CheckAll->setChecked(false);
    checklist().setAllCodes(definition().tickAllTab, QStringLiteral("0"));
}
