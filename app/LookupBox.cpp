#include "app/LookupBox.h"

#include "data/ClientDataSet.h"

LookupBox::LookupBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(20);
}

void LookupBox::setList(const ClientDataSet& list, const QString& keyField,
                        const QString& showField)
{
    clear();
    const int key = list.fieldIndex(keyField);
    const int show = list.fieldIndex(showField);
    if (key >= 0 && show >= 0)
        for (int row = 0; row < list.rowCount(); ++row)
            addItem(list.value(row, show).toString(), list.value(row, key));
    setCurrentIndex(-1);
}

QVariant LookupBox::keyValue() const
{
    return currentIndex() < 0 ? QVariant() : currentData();
}

void LookupBox::setKeyValue(const QVariant& key)
{
    const QString wanted = key.toString();
    for (int i = 0; i < count(); ++i)
        if (itemData(i).toString() == wanted) {
            setCurrentIndex(i);
            return;
        }
    setCurrentIndex(-1);
}

LookupDelegate::LookupDelegate(const ClientDataSet& list, QString keyField, QString showField,
                               QObject* parent)
    : QStyledItemDelegate(parent), m_list(list), m_keyField(std::move(keyField)),
      m_showField(std::move(showField))
{
}

QWidget* LookupDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const
{
    auto* box = new LookupBox(parent);
    box->setList(m_list, m_keyField, m_showField);
    return box;
}

void LookupDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<LookupBox*>(editor)->setKeyValue(index.data(Qt::EditRole));
}

void LookupDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const
{
    const QVariant key = static_cast<LookupBox*>(editor)->keyValue();
    if (key.isValid())
        model->setData(index, key, Qt::EditRole);
}
