#include "app/DateBox.h"

#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QToolButton>

namespace {
// The minimum stands for "no date": the box then shows a blank.
const QDateTime emptyValue(QDate(1752, 9, 14), QTime(0, 0));
} // namespace

DateBox::DateBox(QWidget* parent)
    : QWidget(parent), m_edit(new QDateTimeEdit(this)), m_clear(new QToolButton(this)),
      m_now(new QToolButton(this)), m_today(new QToolButton(this))
{
    m_edit->setObjectName(QStringLiteral("cxDateEdit1_edit"));
    m_edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    m_edit->setCalendarPopup(true);
    m_edit->setMinimumDateTime(emptyValue);
    m_edit->setSpecialValueText(QStringLiteral(" "));
    m_edit->setAccessibleName(QStringLiteral("วันที่ให้บริการ"));

    const struct
    {
        QToolButton* button;
        const char* name;
        QString caption;
    } buttons[] = {{m_clear, "cxDateEdit1_clear", QStringLiteral("Clear")},
                   {m_now, "cxDateEdit1_now", QStringLiteral("Now")},
                   {m_today, "cxDateEdit1_today", QStringLiteral("Today")}};
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    for (const auto& b : buttons) {
        b.button->setObjectName(QLatin1String(b.name));
        b.button->setText(b.caption);
        b.button->setAccessibleName(b.caption);
        b.button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b.button);
    }
    connect(m_clear, &QToolButton::clicked, this, &DateBox::clear);
    connect(m_now, &QToolButton::clicked, this, [this] { setValue(QDateTime::currentDateTime()); });
    connect(m_today, &QToolButton::clicked, this,
            [this] { setValue(QDateTime(QDate::currentDate(), QTime(0, 0))); });
    clear();
}

bool DateBox::isEmpty() const
{
    return m_edit->dateTime() == m_edit->minimumDateTime();
}

QDateTime DateBox::value() const
{
    return isEmpty() ? QDateTime() : m_edit->dateTime();
}

void DateBox::setValue(const QDateTime& value)
{
    if (!value.isValid()) {
        clear();
        return;
    }
    m_edit->setDateTime(value);
}

void DateBox::clear()
{
    m_edit->setDateTime(emptyValue);
}
