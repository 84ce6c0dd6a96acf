#include "checklists/ChecklistForm.h"

#include "app/Guard.h"
#include "checklists/ChecklistList.h"
#include "checklists/VerticalTabWidget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int TopStripHeight = 25;
constexpr int BottomBarHeight = 41;
constexpr int TickAllStripHeight = 33;
constexpr int ButtonHeight = 31;

} // namespace

ChecklistForm::ChecklistForm(const ChecklistDefinition& definition, TDSDM& dm, Messages& messages,
                             ServiceList& services, const QuickEntry& entry, QWidget* parent)
    : QDialog(parent), m_definition(definition), m_dm(dm), m_messages(messages),
      m_services(services), m_entry(entry), m_checklist(definition)
{
    setObjectName(definition.className);
    setWindowTitle(definition.windowCaption);
    setAccessibleName(definition.windowCaption);
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel1"));
    top->setFixedHeight(TopStripHeight);
    column->addWidget(top);
    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(4, 0, 4, 0);
    middle->addWidget(buildTabs());
    column->addLayout(middle, 1);
    column->addWidget(buildBottomBar());

    connect(cxButton2, &QPushButton::clicked, this,
            [this] { guarded(m_messages, [this] { cxButton2Click(); }); });
    placeWindow();
}

QWidget* ChecklistForm::buildTabs()
{
    auto* group = new QGroupBox(m_definition.groupCaption, this);
    group->setObjectName(QStringLiteral("cxGroupBox1"));
    group->setAccessibleName(m_definition.groupCaption);
    auto* inside = new QVBoxLayout(group);
    inside->setContentsMargins(4, 4, 4, 4);

    // Captions keep to one line where the strip may take up to nearly half the window.
    cxPageControl1 = new VerticalTabWidget(m_definition.tabHeight,
                                           m_definition.innerSize.width() * 9 / 20, group);
    cxPageControl1->setObjectName(QStringLiteral("cxPageControl1"));
    for (int tab = 0; tab < m_definition.tabs.size(); ++tab) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("cxTabSheet%1").arg(tab + 1));
        page->setAccessibleName(m_definition.tabs[tab].caption);
        auto* pageColumn = new QVBoxLayout(page);
        pageColumn->setContentsMargins(0, 0, 0, 0);
        pageColumn->setSpacing(0);
        if (tab == m_definition.tickAllTab) {
            auto* strip = new QWidget(page);
            strip->setObjectName(QStringLiteral("Panel3"));
            strip->setFixedHeight(TickAllStripHeight);
            const auto box = [strip](const char* name, const QString& caption, int left) {
                auto* b = new QCheckBox(caption, strip);
                b->setObjectName(QLatin1String(name));
                b->setAccessibleName(caption);
                b->adjustSize();
                b->move(left, (TickAllStripHeight - b->height()) / 2);
            };
            box("CheckAll", QStringLiteral("เลือกทั้งหมด"), 8);
            box("UnCheck", QStringLiteral("ไม่เลือก"), 128);
            pageColumn->addWidget(strip);
        }
        auto* list =
            new ChecklistList(m_checklist.table(tab), tab + 1, m_definition.rowHeight, page);
        pageColumn->addWidget(list, 1);
        m_lists << list;
        cxPageControl1->addPage(page, m_definition.tabs[tab].caption);
    }
    inside->addWidget(cxPageControl1);
    return group;
}

QWidget* ChecklistForm::buildBottomBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("Panel2"));
    bar->setFixedHeight(BottomBarHeight);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 5, 8, 5);
    if (m_definition.tickAllTab >= 0) {
        // Shown as on the HIS workstations, without a function.
        const QString caption = QStringLiteral("บันทึก ICD10 (สูตร)");
        auto* cxButton1 = new QPushButton(caption, bar);
        cxButton1->setObjectName(QStringLiteral("cxButton1"));
        cxButton1->setAccessibleName(caption);
        cxButton1->setFixedSize(163, ButtonHeight);
        cxButton1->setEnabled(false);
        row->addWidget(cxButton1);
    }
    row->addStretch(1);
    const QString caption = QStringLiteral("บันทึก");
    cxButton2 = new QPushButton(caption, bar);
    cxButton2->setObjectName(QStringLiteral("cxButton2"));
    cxButton2->setAccessibleName(caption);
    cxButton2->setFixedSize(120, ButtonHeight);
    cxButton2->setAutoDefault(false);
    row->addWidget(cxButton2);
    return bar;
}

void ChecklistForm::placeWindow()
{
    // A dialog with a parent opens centred over it.
    switch (m_definition.frame) {
    case ChecklistFrame::Maximised:
        setWindowFlag(Qt::WindowMaximizeButtonHint);
        resize(m_definition.innerSize);
        setWindowState(Qt::WindowMaximized);
        break;
    case ChecklistFrame::Resizable:
        setWindowFlag(Qt::WindowMaximizeButtonHint);
        resize(m_definition.innerSize);
        break;
    case ChecklistFrame::FixedDialog:
        setFixedSize(m_definition.innerSize);
        break;
    }
}

void ChecklistForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guarded(m_messages, [this] { FormShow(); });
}

void ChecklistForm::FormShow()
{
    cxPageControl1->setCurrentIndex(0);
    m_checklist.load(m_dm);
}

void ChecklistForm::cxButton2Click()
{
    if (m_saving)
        return;
    m_saving = true;
    const auto saved = qScopeGuard([this] { m_saving = false; });
    m_checklist.save(m_dm, m_services, fvn, fhn, m_entry, m_messages);
    accept();
}

void ChecklistForm::reject()
{
    if (!m_saving)
        QDialog::reject();
}
