#include "checklists/ChecklistList.h"

#include "checklists/ChecklistTickModel.h"
#include "data/ClientDataSet.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Relative widths of "Check" and the name column.
constexpr int CheckWidth = 44;
constexpr int NameWidth = 385;

// Draws the tick box in the middle of its cell and turns a click anywhere in the cell, or the
// space bar, into one tick or untick.
class TickDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        cell.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

        QStyleOptionButton box;
        if (widget)
            box.initFrom(widget);
        const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &box, widget);
        const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &box, widget);
        box.rect = QRect(option.rect.center() - QPoint(w / 2, h / 2), QSize(w, h));
        box.state = QStyle::State_Enabled;
        switch (index.data(Qt::CheckStateRole).value<Qt::CheckState>()) {
        case Qt::Checked:
            box.state |= QStyle::State_On;
            break;
        case Qt::Unchecked:
            box.state |= QStyle::State_Off;
            break;
        default:
            box.state |= QStyle::State_NoChange;
        }
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        if (!(index.flags() & Qt::ItemIsUserCheckable))
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            return mouse->button() == Qt::LeftButton &&
                   option.rect.contains(mouse->position().toPoint());
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton ||
                !option.rect.contains(mouse->position().toPoint()))
                return false;
            return toggle(model, index);
        }
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Space && key != Qt::Key_Select)
                return false;
            return toggle(model, index);
        }
        default:
            return false;
        }
    }

private:
    static bool toggle(QAbstractItemModel* model, const QModelIndex& index)
    {
        const bool ticked = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        model->setData(index, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return true;
    }
};

} // namespace

ChecklistList::ChecklistList(ClientDataSet& table, int number, int rowHeight, QWidget* parent)
    : QWidget(parent), m_table(table)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_model = new ChecklistTickModel(&table, this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("cxGrid%1").arg(number));
    m_view->setModel(m_model);
    m_view->setItemDelegateForColumn(0, new TickDelegate(m_view));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(true);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->viewport()->installEventFilter(this);
    column->addWidget(m_view, 1);

    auto* footer = new QFrame(this);
    footer->setObjectName(QStringLiteral("cxGrid%1Footer").arg(number));
    footer->setFrameShape(QFrame::StyledPanel);
    footer->setFixedHeight(22);
    m_count = new QLabel(QStringLiteral("0"), footer);
    m_count->setObjectName(QStringLiteral("cxGrid%1Count").arg(number));
    m_count->setAccessibleName(QStringLiteral("จำนวนรายการ"));
    m_count->setAlignment(Qt::AlignCenter);
    column->addWidget(footer);

    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        layOutColumns();
        updateFooter();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &ChecklistList::updateFooter);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &ChecklistList::updateFooter);
    layOutColumns();
    updateFooter();
}

bool ChecklistList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        layOutColumns();
    return QWidget::eventFilter(watched, event);
}

void ChecklistList::layOutColumns()
{
    const int available = m_view->viewport()->width();
    const int check = std::max(available * CheckWidth / (CheckWidth + NameWidth), 24);
    m_view->setColumnWidth(0, check);
    m_view->setColumnWidth(1, std::max(available - check, 40));
    // The count stands under "Check", whatever its width.
    m_count->setGeometry(m_view->frameWidth() + m_view->columnViewportPosition(0), 2,
                         std::max(m_view->columnWidth(0) - 4, 20), 18);
}

void ChecklistList::updateFooter()
{
    // The values of the key pp_special_type_id: one per row.
    int count = 0;
    const int key = m_table.fieldIndex(QStringLiteral("pp_special_type_id"));
    for (int row = 0; key >= 0 && row < m_table.rowCount(); ++row)
        if (!isSqlNull(m_table.value(row, key)))
            ++count;
    m_count->setText(QString::number(count));
}
