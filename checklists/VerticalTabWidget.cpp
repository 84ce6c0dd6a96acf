#include "checklists/VerticalTabWidget.h"

#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

namespace {

class HorizontalTextTabBar : public QTabBar
{
public:
    HorizontalTextTabBar(int tabHeight, int maxStripWidth, QWidget* parent)
        : QTabBar(parent), m_tabHeight(tabHeight), m_maxStripWidth(maxStripWidth)
    {
        setExpanding(false);
    }

protected:
    QSize tabSizeHint(int) const override { return QSize(stripWidth(), m_tabHeight); }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        for (int i = 0; i < count(); ++i) {
            QStyleOptionTab tab;
            initStyleOption(&tab, i);
            const QString caption = tab.text;
            tab.text.clear(); // the style would write it turned on its side
            painter.drawControl(QStyle::CE_TabBarTabShape, tab);

            const QRect area = tab.rect.adjusted(TextPadding, 1, -TextPadding / 2, -1);
            QFont f = font();
            f.setBold(i == currentIndex());
            painter.setFont(f);
            painter.setPen(palette().color(isTabEnabled(i) ? QPalette::Active : QPalette::Disabled,
                                           QPalette::WindowText));
            const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
            const QFontMetrics metrics(f);
            const bool fits = metrics.boundingRect(area, flags, caption).height() <= area.height();
            painter.save();
            painter.setClipRect(area);
            if (fits)
                painter.drawText(area, flags, caption);
            else
                painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                                 metrics.elidedText(caption, Qt::ElideRight, area.width()));
            painter.restore();
        }
    }

private:
    static constexpr int TextPadding = 10;

    int stripWidth() const
    {
        QFont bold = font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        int widest = 0;
        for (int i = 0; i < count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(tabText(i)));
        return std::clamp(widest + 2 * TextPadding, 100, m_maxStripWidth);
    }

    int m_tabHeight;
    int m_maxStripWidth;
};

} // namespace

VerticalTabWidget::VerticalTabWidget(int tabHeight, int maxStripWidth, QWidget* parent)
    : QTabWidget(parent)
{
    setTabBar(new HorizontalTextTabBar(tabHeight, maxStripWidth, this));
    setTabPosition(QTabWidget::West);
}

int VerticalTabWidget::addPage(QWidget* page, const QString& caption)
{
    const int index = addTab(page, caption);
    setTabToolTip(index, caption);
    return index;
}
