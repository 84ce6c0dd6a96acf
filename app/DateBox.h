#pragma once
// A date-and-time box that can also be empty, with three quick buttons: clear, now, today.
#include <QDateTime>
#include <QWidget>

class QDateTimeEdit;
class QToolButton;

class DateBox : public QWidget
{
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    bool isEmpty() const;
    // The date and time shown; invalid when empty.
    QDateTime value() const;
    void setValue(const QDateTime& value);
    void clear();
    QDateTimeEdit* editor() const { return m_edit; }

private:
    QDateTimeEdit* m_edit;
    QToolButton* m_clear;
    QToolButton* m_now;
    QToolButton* m_today;
};
