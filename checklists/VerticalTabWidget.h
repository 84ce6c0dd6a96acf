#pragma once
// A tab widget whose tabs stand one under the other down the left edge, each caption written
// horizontally and aligned left (Qt's own west tabs turn the text on its side).
#include <QTabWidget>

class VerticalTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    // tabHeight: the height of every tab; maxStripWidth: the widest the tab strip may grow for
    // long captions, which then wrap or are cut short (the whole caption is the tab's tooltip).
    VerticalTabWidget(int tabHeight, int maxStripWidth, QWidget* parent = nullptr);

    // Adds a page whose caption is also its tooltip.
    int addPage(QWidget* page, const QString& caption);
};
