#pragma once
// A tab's list as the user sees it: a tick box bound to the row's pp_special_code ("Check") and
// the read-only service name. A click can tick or empty a box, never make it dimmed again.
#include "data/DataSetModel.h"

class ChecklistTickModel : public DataSetModel
{
    Q_OBJECT
public:
    explicit ChecklistTickModel(ClientDataSet* table, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
};
