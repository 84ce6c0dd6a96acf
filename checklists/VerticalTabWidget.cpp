#include "checklists/VerticalTabWidget.h"

#include <QEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

#include <algorithm>

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

    // The strip is as wide as the widest caption; measuring Thai text is costly, so the width is
    // kept and measured again only when captions or the font change.
    void tabInserted(int index) override
    {
        QTabBar::tabInserted(index);
        if (m_widest >= 0)
            m_widest = std::max(m_widest, captionWidth(index));
    }
    void tabRemoved(int index) override
    {
        m_widest = -1;
        QTabBar::tabRemoved(index);
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange)
            m_widest = -1;
        QTabBar::changeEvent(event);
    }
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

    int captionWidth(int index) const
    {
        QFont bold = font();
        bold.setBold(true);
        return QFontMetrics(bold).horizontalAdvance(tabText(index));
    }

    int stripWidth() const
    {
        if (m_widest < 0) {
            m_widest = 0;
            for (int i = 0; i < count(); ++i)
                m_widest = std::max(m_widest, captionWidth(i));
        }
        return std::clamp(m_widest + 2 * TextPadding, 100, m_maxStripWidth);
    }

    int m_tabHeight;
    int m_maxStripWidth;
    mutable int m_widest = 0;
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
