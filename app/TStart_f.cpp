#include "app/TStart_f.h"

#include "app/DateBox.h"
#include "app/Guard.h"
#include "app/LookupBox.h"
#include "app/Messages.h"
#include "app/Platform.h"
#include "checklists/TSpecial_pp_edit_2_f.h"
#include "checklists/TSpecial_pp_edit_3_f.h"
#include "checklists/TSpecial_pp_edit_4_f.h"
#include "checklists/TSpecial_pp_edit_5_f.h"
#include "checklists/TSpecial_pp_edit_f.h"
#include "data/DataSetModel.h"
#include "data/HostUtils.h"
#include "data/QueryLayer.h"
#include "data/SessionSteps.h"
#include "data/SqlValue.h"
#include "data/VersionCheck.h"
#include "settings/SettingsFile.h"
#include "settings/TConnecting_F.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

// The images live in the library's resources, which a static library must register itself.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

const char* const BannerPage = "https://www.example.org/";
const char* const UpdaterFileName = "Quorbel_for_HOSxP_update.exe";

// The busy mouse pointer for as long as it lives.
class BusyPointer
{
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Blanks and control characters only (or nothing at all).
bool isBlank(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= ' '; });
}

// Replaces the file in one step, so no half-written updater is ever left to start.
void writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(QStringLiteral("Cannot write the update file %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
}

// The low 32 bits of a byte count, as the progress bar takes them.
int low32(qint64 count)
{
    return static_cast<int>(static_cast<quint32>(count));
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(caption);
    return b;
}

QLabel* makeLabel(QWidget* parent, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    l->setAccessibleName(caption);
    return l;
}

// Keeps a table's columns at fixed proportions of its width, and moves Enter like Tab.
class GridKeys : public QObject
{
public:
    GridKeys(QTableView* view, std::function<void()> relayout)
        : QObject(view), m_view(view), m_relayout(std::move(relayout))
    {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_view->viewport() && event->type() == QEvent::Resize)
            m_relayout();
        if (watched == m_view && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                key->key() == Qt::Key_Tab) {
                const QModelIndex at = m_view->currentIndex();
                const int rows = m_view->model()->rowCount();
                if (rows > 0) {
                    const int next = at.isValid() ? (at.row() + 1) % rows : 0;
                    m_view->setCurrentIndex(m_view->model()->index(next, 2));
                }
                return true;
            }
        }
        return false;
    }

private:
    QTableView* m_view;
    std::function<void()> m_relayout;
};

} // namespace

template <typename Handler> void TStart_f::handle(Handler handler)
{
    ++m_handlerDepth;
    guarded(m_messages, handler);
    --m_handlerDepth;
}

bool TStart_f::isIdle() const
{
    return m_shown && m_handlerDepth == 0 && !recheck.isActive() && !Timer1.isActive() &&
           !Timer_start.isActive();
}

TStart_f::TStart_f(Messages& messages, Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_platform(platform)
{
    initResources();
    setObjectName(QStringLiteral("Start_f"));
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildHeader(central);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(buildNavBar());
    middle->addWidget(buildWorkingArea(), 1);
    column->addLayout(middle, 1);
    column->addWidget(buildBottomBar());
    setCentralWidget(central);
    buildStatusBar();
    resize(1023, 627 + statusBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Precise: a coarse timer may fire 5% late, and the chain's delays add up at every start.
    for (QTimer* t : {&recheck, &Timer1, &Timer_start, &CloseTimer})
        t->setTimerType(Qt::PreciseTimer);
    recheck.setObjectName(QStringLiteral("recheck"));
    recheck.setInterval(300);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(100);
    Timer_start.setObjectName(QStringLiteral("Timer_start"));
    Timer_start.setInterval(100);
    CloseTimer.setObjectName(QStringLiteral("CloseTimer"));
    CloseTimer.setInterval(100);
    connect(&recheck, &QTimer::timeout, this, [this] { handle([this] { recheckTimer(); }); });
    connect(&Timer1, &QTimer::timeout, this, [this] { handle([this] { Timer1Timer(); }); });
    connect(&Timer_start, &QTimer::timeout, this,
            [this] { handle([this] { Timer_startTimer(); }); });
    connect(&CloseTimer, &QTimer::timeout, this, [this] { handle([this] { CloseTimerTimer(); }); });

    FormCreate();
}

TStart_f::~TStart_f() = default;

void TStart_f::FormCreate()
{
    m_dm = std::make_unique<TDSDM>(m_messages, m_platform);
}

void TStart_f::buildHeader(QWidget* parent)
{
    auto* Panel1 = new QFrame(parent);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(34);
    Panel1->setAutoFillBackground(true);
    Panel1->setStyleSheet(
        QStringLiteral("#Panel1 { background: #1e7b46; } #Panel1 QLabel { color: white; }"));

    auto* Image1 = new QToolButton(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setIcon(QIcon(QStringLiteral(":/images/logo.png")));
    Image1->setIconSize(QSize(30, 30));
    Image1->setAutoRaise(true);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(QStringLiteral("เมนูหลัก"));
    Image1->setAccessibleName(QStringLiteral("เมนูหลัก"));
    Image1->setGeometry(0, 0, 40, 34);

    hospital_name = new QLabel(QStringLiteral("--"), Panel1);
    hospital_name->setObjectName(QStringLiteral("hospital_name"));
    QFont bold = hospital_name->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    hospital_name->setFont(bold);

    auto* Image2 = new QToolButton(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setIcon(QIcon(QStringLiteral(":/images/banner.png")));
    Image2->setIconSize(QSize(109, 30));
    Image2->setAutoRaise(true);
    Image2->setCursor(Qt::PointingHandCursor);
    const QString hint = QStringLiteral("เว็บไซต์ของโปรแกรม");
    Image2->setToolTip(hint);
    Image2->setAccessibleName(hint);

    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(0, 0, 4, 0);
    row->addWidget(Image1);
    row->addSpacing(88 - 40);
    row->addWidget(hospital_name, 1);
    row->addWidget(Image2);
    static_cast<QVBoxLayout*>(parent->layout())->addWidget(Panel1);

    connect(Image1, &QToolButton::clicked, this, [this] { handle([this] { Image1Click(); }); });
    connect(Image2, &QToolButton::clicked, this, [this] { handle([this] { Image2Click(); }); });
}

QWidget* TStart_f::buildNavBar()
{
    dxNavBar1 = new QFrame(this);
    dxNavBar1->setObjectName(QStringLiteral("dxNavBar1"));
    QFont f = dxNavBar1->font();
    f.setPixelSize(16);
    dxNavBar1->setFont(f);
    dxNavBar1->setFixedWidth(162);
    auto* list = new QVBoxLayout(dxNavBar1);
    list->setContentsMargins(4, 4, 4, 4);
    auto* group = makeLabel(dxNavBar1, QStringLiteral("เมนูหลัก"));
    group->setObjectName(QStringLiteral("dxNavBar1Group1"));
    QFont bold = f;
    bold.setBold(true);
    group->setFont(bold);
    list->addWidget(group);

    auto entry = [&](const char* name, const QString& caption) {
        auto* b = new QToolButton(dxNavBar1);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setAccessibleName(caption);
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        list->addWidget(b);
        return b;
    };
    entry("dxNavBar1Item1", QStringLiteral("PP Speical บุคคล"))
        ->setToolTip(
            QStringLiteral("จำนวนประชากร = จำนวนประชากรเดิม + คนเกิด - คนตาย + คนย้ายเข้า - คนย้ายออก"));
    entry("dxNavBar1Item2", QStringLiteral("-----------------------"))->setEnabled(false);
    QToolButton* settings = entry("dxNavBar1Item8", QStringLiteral("กำหนดค่าเชื่อมต่อ"));
    connect(settings, &QToolButton::clicked, this,
            [this] { handle([this] { dxNavBar1Item8Click(); }); });
    list->addStretch(1);
    dxNavBar1->hide();
    return dxNavBar1;
}

QWidget* TStart_f::buildWorkingArea()
{
    auto* Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* grid = new QGridLayout(Panel2);
    grid->setContentsMargins(8, 8, 8, 4);
    grid->setHorizontalSpacing(6);

    cxLookupComboBox1 = new LookupBox(Panel2);
    cxLookupComboBox1->setObjectName(QStringLiteral("cxLookupComboBox1"));
    cxLookupComboBox1->setFixedWidth(271);
    cxLookupComboBox1->setAccessibleName(QStringLiteral("เจ้าหน้าที่"));
    cxLookupComboBox2 = new LookupBox(Panel2);
    cxLookupComboBox2->setObjectName(QStringLiteral("cxLookupComboBox2"));
    cxLookupComboBox2->setFixedWidth(329);
    cxLookupComboBox2->setAccessibleName(QStringLiteral("สถานที่"));
    cxLookupComboBox3 = new LookupBox(Panel2);
    cxLookupComboBox3->setObjectName(QStringLiteral("cxLookupComboBox3"));
    cxLookupComboBox3->setFixedWidth(408);
    cxLookupComboBox3->setAccessibleName(QStringLiteral("ข้อมูลบริการ"));
    cxDateEdit1 = new DateBox(Panel2);
    cxDateEdit1->setObjectName(QStringLiteral("cxDateEdit1"));
    cxDateEdit1->setFixedWidth(271 + 150);
    cxDateEdit1->setAccessibleName(QStringLiteral("วันที่ให้บริการ"));

    auto* line1 = new QHBoxLayout;
    line1->addWidget(cxLookupComboBox1);
    line1->addSpacing(12);
    line1->addWidget(makeLabel(Panel2, QStringLiteral("สถานที่")));
    line1->addWidget(cxLookupComboBox2);
    line1->addStretch(1);
    grid->addWidget(makeLabel(Panel2, QStringLiteral("เจ้าหน้าที่")), 0, 0, Qt::AlignRight);
    grid->addLayout(line1, 0, 1);

    auto* line2 = new QHBoxLayout;
    line2->addWidget(cxLookupComboBox3);
    QPushButton* add = makeButton(Panel2, "cxButton5", QStringLiteral("เพิ่มรายการ"));
    line2->addWidget(add);
    connect(add, &QPushButton::clicked, this, [this] { handle([this] { cxButton5Click(); }); });
    const struct
    {
        const char* name;
        const char* icon;
        QString hint;
        void (TStart_f::*handler)();
    } forms[] = {
        {"cxButton4", ":/images/all.png", QStringLiteral("คัดกรองทั้งหมด"), &TStart_f::cxButton4Click},
        {"cxButton7", ":/images/elderly.png", QStringLiteral("บริการผู้สูงอายุ"),
         &TStart_f::cxButton7Click},
        {"cxButton11", ":/images/smoking.png", QStringLiteral("คัดกรองบุหรี่"),
         &TStart_f::cxButton11Click},
        {"cxButton17", ":/images/alcohol.png", QStringLiteral("คัดกรองสุรา"),
         &TStart_f::cxButton17Click},
        {"cxButton12", ":/images/child.png", QStringLiteral("พัฒนาการเด็ก"),
         &TStart_f::cxButton12Click},
    };
    for (const auto& form : forms) {
        auto* b = new QPushButton(Panel2);
        b->setObjectName(QLatin1String(form.name));
        b->setIcon(QIcon(QLatin1String(form.icon)));
        b->setIconSize(QSize(24, 24));
        b->setAccessibleName(form.hint);
        b->setToolTip(form.hint);
        const auto handler = form.handler;
        connect(b, &QPushButton::clicked, this,
                [this, handler] { handle([this, handler] { (this->*handler)(); }); });
        line2->addWidget(b);
    }
    line2->addStretch(1);
    grid->addWidget(makeLabel(Panel2, QStringLiteral("ข้อมูลบริการ")), 1, 0, Qt::AlignRight);
    grid->addLayout(line2, 1, 1);

    grid->addWidget(makeLabel(Panel2, QStringLiteral("วันที่ให้บริการ")), 2, 0, Qt::AlignRight);
    grid->addWidget(cxDateEdit1, 2, 1, Qt::AlignLeft);
    grid->addWidget(buildGrid(), 3, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    return Panel2;
}

QWidget* TStart_f::buildGrid()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(0);

    ClientDataSet& list = m_serviceList.pp_special_cds;
    m_gridModel = new DataSetModel(
        &list,
        {
            {QStringLiteral("pp_special_id"), QStringLiteral("ลำดับ")},
            {QStringLiteral("dest_hospcode"), QStringLiteral("รหัสหน่วยงาน")},
            {QStringLiteral("pp_special_type_id"), QStringLiteral("งานที่ให้บริการ"),
             &pp_special_type_cds, QStringLiteral("pp_special_type_id"),
             QStringLiteral("pp_special_type_name"), true},
            {QStringLiteral("pp_special_service_place_type_id"), QStringLiteral("สถานที่"),
             &pp_special_service_place_type_cds, QStringLiteral("pp_special_service_place_type_id"),
             QStringLiteral("pp_special_service_place_type_name")},
            {QStringLiteral("doctor"), QStringLiteral("เจ้าหน้าที่"), &doctor_cds,
             QStringLiteral("code"), QStringLiteral("name")},
        },
        this);
    m_grid = new QTableView(box);
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    m_grid->setAccessibleName(QStringLiteral("รายการบริการ"));
    m_grid->setModel(m_gridModel);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_grid->setItemDelegateForColumn(
        2, new LookupDelegate(pp_special_type_cds, QStringLiteral("pp_special_type_id"),
                              QStringLiteral("pp_special_type_name"), m_grid));
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->setTabKeyNavigation(false);
    new GridKeys(m_grid, [this] { layOutGridColumns(); });
    layout->addWidget(m_grid, 1);

    // Footer: the row count under the service column.
    auto* footer = new QFrame(box);
    footer->setFrameShape(QFrame::StyledPanel);
    footer->setFixedHeight(22);
    m_gridFooter = new QLabel(QStringLiteral("0"), footer);
    m_gridFooter->setObjectName(QStringLiteral("cxGrid1Footer"));
    m_gridFooter->setAccessibleName(QStringLiteral("จำนวนรายการ"));
    layout->addWidget(footer);

    // Navigator: move, append, delete, post, cancel.
    auto* navigator = new QWidget(box);
    navigator->setObjectName(QStringLiteral("cxGrid1Navigator"));
    auto* navRow = new QHBoxLayout(navigator);
    navRow->setContentsMargins(0, 2, 0, 0);
    navRow->setSpacing(1);
    auto nav = [&](const char* name, const QString& text, const QString& hint, auto action) {
        auto* b = new QToolButton(navigator);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, action] { handle(action); });
        navRow->addWidget(b);
    };
    nav("navFirst", QStringLiteral("|◀"), QStringLiteral("รายการแรก"),
        [&list] { list.setRecNo(0); });
    nav("navPrior", QStringLiteral("◀"), QStringLiteral("รายการก่อนหน้า"),
        [&list] { list.setRecNo(std::max(0, list.recNo() - 1)); });
    nav("navNext", QStringLiteral("▶"), QStringLiteral("รายการถัดไป"),
        [&list] { list.setRecNo(std::min(list.rowCount() - 1, list.recNo() + 1)); });
    nav("navLast", QStringLiteral("▶|"), QStringLiteral("รายการสุดท้าย"),
        [&list] { list.setRecNo(list.rowCount() - 1); });
    nav("navAppend", QStringLiteral("+"), QStringLiteral("เพิ่มแถว"), [this, &list] {
        list.append();
        m_grid->setFocus();
        m_grid->setCurrentIndex(m_gridModel->index(list.recNo(), 2));
    });
    nav("navDelete", QStringLiteral("−"), QStringLiteral("ลบแถว"), [this] { deleteGridRow(); });
    nav("navPost", QStringLiteral("✓"), QStringLiteral("บันทึกแถว"), [&list] { list.post(); });
    nav("navCancel", QStringLiteral("✗"), QStringLiteral("ยกเลิกการแก้ไข"),
        [&list] { list.cancel(); });
    navRow->addStretch(1);
    layout->addWidget(navigator);

    // The grid's current row and the list's current row follow each other.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, &list](const QModelIndex& now) {
                if (now.isValid() && now.row() != list.recNo())
                    handle([&] { list.setRecNo(now.row()); });
            });
    connect(&list, &ClientDataSet::currentRowChanged, this, [this](int row) {
        if (row >= 0 && m_grid->currentIndex().row() != row)
            m_grid->setCurrentIndex(m_gridModel->index(row, 2));
    });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_gridModel, signal, this, [this] { updateGridFooter(); });
    connect(m_gridModel, &QAbstractItemModel::modelReset, this, [this] { updateGridFooter(); });
    return box;
}

QWidget* TStart_f::buildBottomBar()
{
    auto* Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(53);
    Panel3->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(Panel3);
    row->setContentsMargins(12, 6, 12, 6);
    Auto_close = new QCheckBox(QStringLiteral("ปิดหน้าจอ หลังบันทึก"), Panel3);
    Auto_close->setObjectName(QStringLiteral("Auto_close"));
    Auto_close->setAccessibleName(Auto_close->text());
    Auto_close->setChecked(true);
    ProgressBar1 = new QProgressBar(Panel3);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setFixedWidth(200);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setAccessibleName(QStringLiteral("ดาวน์โหลด"));
    QPushButton* save = makeButton(Panel3, "cxButton16", QStringLiteral("บันทึก ทั้งหมด"));
    QPushButton* close = makeButton(Panel3, "cxButton3", QStringLiteral("ปิด [Esc]"));
    save->setMinimumSize(130, 36);
    close->setMinimumSize(100, 36);
    row->addWidget(Auto_close);
    row->addStretch(1);
    row->addWidget(ProgressBar1);
    row->addWidget(save);
    row->addWidget(close);
    connect(save, &QPushButton::clicked, this, [this] { handle([this] { cxButton16Click(); }); });
    connect(close, &QPushButton::clicked, this, [this] { handle([this] { cxButton3Click(); }); });
    return Panel3;
}

void TStart_f::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(19 + 4);
    const struct
    {
        int width;
        bool flat;
        const char* text;
    } panels[] = {{70, true, "Host/DB"},          {120, false, ""},
                  {40, true, "User :"},           {100, false, ""},
                  {100, false, "ComputerName :"}, {150, true, ""},
                  {40, false, "status :"},        {150, false, ""}};
    for (int i = 0; i < 8; ++i) {
        auto* label = new QLabel(QString::fromUtf8(panels[i].text), bar);
        label->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        label->setMinimumWidth(panels[i].width);
        label->setFrameShape(panels[i].flat ? QFrame::NoFrame : QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addWidget(label, i == 7 ? 1 : 0);
        m_panels << label;
    }
}

QString TStart_f::panelText(int panel) const
{
    return m_panels.value(panel) ? m_panels.value(panel)->text() : QString();
}

void TStart_f::setPanel(int panel, const QString& text)
{
    m_panels.at(panel)->setText(text);
}

void TStart_f::showConnectionPanels()
{
    setPanel(1, host_value + QLatin1Char('/') + db_value);
    setPanel(5, m_dm->session.ComputerName + QStringLiteral(" | ") + m_dm->session.HostAddress);
}

void TStart_f::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        handle([this] { FormShow(); });
    }
}

void TStart_f::FormShow()
{
    m_dm->SettingsFilePath =
        settingsFilePath(QFileInfo(m_platform.executablePath()).absolutePath());
    const HostLookup host = m_platform.lookUpHost();
    m_dm->session.ComputerName = host.name;
    m_dm->session.HostAddress = host.address;
    recheck.start();
    setWindowTitle(
        QStringLiteral(
            " บันทึกข้อมูลส่งเสริมป้องกันโรคผู้ที่มารับบริการ และการให้บริการในชุมชน  For HOSxP : Version : ") +
        QString::number(SessionValues::BuildNumber));
}

void TStart_f::recheckTimer()
{
    setPanel(3, QStringLiteral("check PLV"));
    recheck.stop();
    const std::optional<ConnectionValues> values = readConnectionSettings(m_dm->SettingsFilePath);
    if (!values) {
        openConnectionDialog();
        m_messages.info(QStringLiteral("กรุณาปิดโปรแกรมแล้วเปิดใช้งานใหม่ !!"));
        terminate();
        return;
    }
    password_value = values->password;
    user_value = values->user;
    host_value = values->host;
    db_value = values->db;
    port_value = values->port;
    m_dm->CheckConnection(
        ConnectionValues{host_value, user_value, password_value, db_value, port_value});
    if (!m_dm->DSDBConnection.isOpen())
        openConnectionDialog();
    LoadSessionUser();
    Timer1.start();
}

void TStart_f::openConnectionDialog()
{
    TConnecting_F dialog(
        m_dm->SettingsFilePath, m_messages,
        [this](const ConnectionValues& v) {
            password_value = v.password;
            user_value = v.user;
            host_value = v.host;
            db_value = v.db;
            port_value = v.port;
            m_dm->CheckConnection(v);
        },
        this);
    dialog.exec();
}

void TStart_f::terminate()
{
    for (QTimer* t : {&recheck, &Timer1, &Timer_start, &CloseTimer})
        t->stop();
    close();
}

void TStart_f::LoadSessionUser()
{
    setPanel(3, LoadSessionUserValues(*m_dm));
    showConnectionPanels();
    pp_special_service_place_type_cds.load(
        QueryData(*m_dm, QStringLiteral("select * from pp_special_service_place_type")));
    doctor_cds.load(QueryData(*m_dm, QStringLiteral("select * from doctor where active=\"Y\"")));
    fillLookups();
}

void TStart_f::fillLookups()
{
    const QVariant staff = cxLookupComboBox1->keyValue();
    const QVariant place = cxLookupComboBox2->keyValue();
    const QVariant service = cxLookupComboBox3->keyValue();
    cxLookupComboBox1->setList(doctor_cds, QStringLiteral("code"), QStringLiteral("name"));
    cxLookupComboBox2->setList(pp_special_service_place_type_cds,
                               QStringLiteral("pp_special_service_place_type_id"),
                               QStringLiteral("pp_special_service_place_type_name"));
    cxLookupComboBox3->setList(pp_special_type_cds, QStringLiteral("pp_special_type_id"),
                               QStringLiteral("pp_special_type_name"));
    cxLookupComboBox1->setKeyValue(staff);
    cxLookupComboBox2->setKeyValue(place);
    cxLookupComboBox3->setKeyValue(service);
}

void TStart_f::Timer1Timer()
{
    Timer1.stop();
    showConnectionPanels();
    Timer_start.start();
    cxDateEdit1->setValue(QDateTime::currentDateTime());
    hospital_name->setText(
        QueryValue(
            *m_dm,
            QStringLiteral(
                "select concat(hospitalcode,\" : \",hospitalname)as cc  from opdconfig limit 1"))
            .toString());
    if (checkPublishedBuild(*m_dm)) {
        update_now();
        if (m_updaterStarted)
            return; // the window is closing: no patient to load
    }
    visitContextStep();
}

void TStart_f::visitContextStep()
{
    SessionValues& s = m_dm->session;
    s.CurrentVn = QStringLiteral("000000000000");
    fhn = ReadCurrentHn(*m_dm);
    setPanel(7, fhn + QStringLiteral(" : ") + ReadPatientName(*m_dm, fhn));
    if (s.LoginName.isEmpty()) {
        m_messages.info(QStringLiteral("ไม่พบ user ที่ใช้งาน HOSxP !"));
        return;
    }
    pp_special_type_cds.load(QueryData(
        *m_dm,
        QStringLiteral(
            "select pp_special_type_id,pp_special_type_name,hos_guid from pp_special_type")));
    fillLookups();
    m_serviceList.load(*m_dm, fhn);
    ClientDataSet& list = m_serviceList.pp_special_cds;
    if (list.rowCount() > 0) {
        list.setRecNo(0);
        list.edit();
        list.setValue(QStringLiteral("hn"), fhn);
    }
    presetStaff();
    cxLookupComboBox2->setCurrentIndex(cxLookupComboBox2->count() > 0 ? 0 : -1);
}

void TStart_f::presetStaff()
{
    cxLookupComboBox1->setKeyValue(m_dm->session.DoctorCode);
}

void TStart_f::Timer_startTimer()
{
    Timer_start.stop();
    ReadHostSettings(*m_dm);
    presetStaff();
}

void TStart_f::Image1Click()
{
    CloseTimer.start();
}

void TStart_f::CloseTimerTimer()
{
    CloseTimer.stop();
    if (dxNavBar1->isHidden()) {
        dxNavBar1->setFixedWidth(162);
        dxNavBar1->show();
        return;
    }
    lc += 30;
    const int width = dxNavBar1->width() - lc;
    if (width >= 10) {
        dxNavBar1->setFixedWidth(width);
        CloseTimer.start();
    } else {
        dxNavBar1->hide();
    }
}

void TStart_f::Image2Click()
{
    m_platform.runProgram(QStringLiteral("open"), QLatin1String(BannerPage), QString(), QString());
}

void TStart_f::dxNavBar1Item8Click()
{
    openConnectionDialog();
}

QuickEntry TStart_f::quickEntry() const
{
    return QuickEntry{cxLookupComboBox1->keyValue(), cxLookupComboBox2->keyValue(),
                      cxDateEdit1->value()};
}

bool TStart_f::requiredBoxesFilled(bool needService)
{
    if (cxLookupComboBox1->currentText().isEmpty()) {
        m_messages.info(QStringLiteral("invalid เจ้าหน้าที่ !"));
        return false;
    }
    if (cxLookupComboBox2->currentText().isEmpty()) {
        m_messages.info(QStringLiteral("invalid  สถานที่  !"));
        return false;
    }
    if (needService && cxLookupComboBox3->currentText().isEmpty()) {
        m_messages.info(QStringLiteral("invalid  การให้บริการ  !"));
        return false;
    }
    if (cxDateEdit1->isEmpty()) {
        m_messages.info(QStringLiteral("invalid  วันที่ให้บริการ  !"));
        return false;
    }
    return true;
}

void TStart_f::cxButton5Click()
{
    if (!requiredBoxesFilled(true))
        return;
    m_serviceList.addService(*m_dm, m_dm->session.CurrentVn, fhn, cxLookupComboBox3->keyValue(),
                             quickEntry());
}

template <typename Form> void TStart_f::openChecklist()
{
    if (!requiredBoxesFilled(false))
        return;
    // Held by a guarded pointer: closing the main window meanwhile takes the form with it.
    QPointer<Form> form = new Form(*m_dm, m_messages, m_serviceList, quickEntry(), this);
    form->fhn = fhn;
    form->fvn = m_dm->session.CurrentVn;
    form->exec();
    delete form.data();
}

void TStart_f::cxButton4Click()
{
    openChecklist<TSpecial_pp_edit_f>();
}

void TStart_f::cxButton7Click()
{
    openChecklist<TSpecial_pp_edit_2_f>();
}

void TStart_f::cxButton11Click()
{
    openChecklist<TSpecial_pp_edit_3_f>();
}

void TStart_f::cxButton17Click()
{
    openChecklist<TSpecial_pp_edit_5_f>();
}

void TStart_f::cxButton12Click()
{
    openChecklist<TSpecial_pp_edit_4_f>();
}

void TStart_f::cxButton16Click()
{
    const SaveResult saved = m_serviceList.saveAll(*m_dm, m_dm->session.CurrentVn, fhn);
    if (saved.failed > 0) {
        m_messages.error(
            QStringLiteral("บันทึกไม่สำเร็จ %1 รายการ (ยังอยู่ในรายการ กด \"บันทึก ทั้งหมด\" อีกครั้งได้)\r%2")
                .arg(saved.failed)
                .arg(saved.firstError));
        return;
    }
    if (Auto_close->isChecked())
        close();
}

void TStart_f::cxButton3Click()
{
    close();
}

void TStart_f::update_now()
{
    if (!IsInternetAvailable(m_platform)) {
        m_messages.info(QStringLiteral("โปรตตรวจสอบ Internet ! "));
        return;
    }
    if (!m_messages.askYesNo(QStringLiteral("Please confirm Download New Version and install  ?")))
        return;
    const QString fileName = QFileInfo(m_platform.executablePath()).fileName();
    const QVariant url = QueryValue(*m_dm, QStringLiteral("select url from patch where filename=") +
                                               sqlValue(fileName));
    const QString address = isSqlNull(url) ? QString() : url.toString();
    if (isBlank(address))
        throw Error(QStringLiteral("Invalid Upgrade URL"));
    const QString target = GetTempFolder(m_platform) + QLatin1String(UpdaterFileName);
    {
        BusyPointer busy;
        Downloader IdHTTP1;
        connect(&IdHTTP1, &Downloader::workBegin, this, &TStart_f::IdHTTP1WorkBegin);
        connect(&IdHTTP1, &Downloader::work, this, &TStart_f::IdHTTP1Work);
        writeWholeFile(target, IdHTTP1.get(address));
    }
    if (!QFileInfo::exists(target))
        return;
    RunProgram(m_platform, QStringLiteral("open"), target, QString(), QString());
    m_updaterStarted = true;
    cxButton3Click();
}

void TStart_f::IdHTTP1WorkBegin(WorkMode mode, qint64 count)
{
    if (mode != WorkMode::Read)
        return;
    ProgressBar1->setMaximum(low32(count));
    ProgressBar1->setValue(0);
}

void TStart_f::IdHTTP1Work(WorkMode mode, qint64 count)
{
    if (mode == WorkMode::Read)
        ProgressBar1->setValue(low32(count));
}

void TStart_f::deleteGridRow()
{
    ClientDataSet& list = m_serviceList.pp_special_cds;
    if (list.recNo() < 0)
        return;
    if (m_messages.askYesNo(QStringLiteral("ลบรายการนี้ ?")))
        list.deleteRow();
}

void TStart_f::layOutGridColumns()
{
    static const int widths[] = {31, 72, 384, 88, 129};
    const int total = 31 + 72 + 384 + 88 + 129;
    const int available = m_grid->viewport()->width();
    int used = 0;
    for (int i = 0; i < 5; ++i) {
        const int w = i == 4 ? available - used : available * widths[i] / total;
        m_grid->setColumnWidth(i, std::max(w, 10));
        used += w;
    }
    updateGridFooter();
}

void TStart_f::updateGridFooter()
{
    m_gridFooter->setText(QString::number(m_serviceList.pp_special_cds.rowCount()));
    const int x = m_grid->columnViewportPosition(2) + m_grid->verticalHeader()->width() + 2;
    m_gridFooter->setGeometry(std::max(x, 0), 2, std::max(m_grid->columnWidth(2), 40), 18);
}
