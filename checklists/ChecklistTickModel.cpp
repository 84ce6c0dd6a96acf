#include "checklists/ChecklistTickModel.h"

#include "checklists/Checklist.h"

namespace {
enum Columns { CheckColumn, NameColumn };
}

ChecklistTickModel::ChecklistTickModel(ClientDataSet* table, QObject* parent)
    : DataSetModel(
          table,
          {
              {QStringLiteral("pp_special_code"), QStringLiteral("Check")},
              {QStringLiteral("pp_special_type_name"), QStringLiteral("pp_special_type_name")},
          },
          parent)
{
}

QVariant ChecklistTickModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != CheckColumn)
        return DataSetModel::data(index, role);
    const QVariant code = fieldValue(index.row(), CheckColumn);
    switch (role) {
    case Qt::CheckStateRole:
        return Checklist::tickState(code);
    case Qt::DisplayRole: // the box alone; the code it holds is not shown
        return QVariant();
    case Qt::AccessibleTextRole:
        switch (Checklist::tickState(code)) {
        case Qt::Checked:
            return QStringLiteral("เลือก");
        case Qt::Unchecked:
            return QStringLiteral("ไม่เลือก");
        default:
            return QStringLiteral("-");
        }
    default:
        return DataSetModel::data(index, role);
    }
}

bool ChecklistTickModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != CheckColumn)
        return false;
    switch (static_cast<Qt::CheckState>(value.toInt())) {
    case Qt::Checked:
        return setFieldValue(index.row(), CheckColumn, Checklist::Ticked);
    case Qt::Unchecked:
        return setFieldValue(index.row(), CheckColumn, Checklist::Unticked);
    default: // dimmed belongs to rows nobody has touched
        return false;
    }
}

Qt::ItemFlags ChecklistTickModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == CheckColumn)
        result |= Qt::ItemIsUserCheckable;
    return result;
}
