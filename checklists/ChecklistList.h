#pragma once
// One tab's list: the grid over the tab's table with the "Check" and name columns kept at their
// proportions of the width, and a footer that counts the rows under "Check".
#include <QWidget>

class ClientDataSet;
class ChecklistTickModel;
class QLabel;
class QTableView;

class ChecklistList : public QWidget
{
    Q_OBJECT
public:
    // number: the tab's number from 1, which names the grid cxGrid<number>.
    ChecklistList(ClientDataSet& table, int number, int rowHeight, QWidget* parent = nullptr);

    QTableView* view() const { return m_view; }
    ChecklistTickModel* model() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOutColumns();
    void updateFooter();

    ClientDataSet& m_table;
    ChecklistTickModel* m_model;
    QTableView* m_view;
    QLabel* m_count;
};
