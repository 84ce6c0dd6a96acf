#include "app/QtMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QString title()
{
    return QApplication::applicationDisplayName();
}
} // namespace

void QtMessages::info(const QString& text)
{
    QMessageBox::information(QApplication::activeWindow(), title(), text);
}

void QtMessages::error(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), title(), text);
}

bool QtMessages::askYesNo(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), title(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
