#pragma once
// A combo box over a list dataset: it shows one column of the chosen row, its value is another.
#include <QComboBox>
#include <QVariant>

class ClientDataSet;

class LookupBox : public QComboBox
{
    Q_OBJECT
public:
    explicit LookupBox(QWidget* parent = nullptr);
    // Fills the box from the dataset's rows; nothing is chosen afterwards.
    void setList(const ClientDataSet& list, const QString& keyField, const QString& showField);
    // The key of the chosen row; invalid when nothing is chosen.
    QVariant keyValue() const;
    // Chooses the row whose key equals the value as text; nothing when there is none.
    void setKeyValue(const QVariant& key);
};

// Edits a grid column by choosing from a list dataset.
#include <QStyledItemDelegate>

class LookupDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    LookupDelegate(const ClientDataSet& list, QString keyField, QString showField, QObject* parent);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    const ClientDataSet& m_list;
    QString m_keyField;
    QString m_showField;
};
