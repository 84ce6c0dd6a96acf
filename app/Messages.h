#pragma once
// Every message box, confirmation and error report goes through this interface, so tests can
// record the texts and answer the questions.
#include <QString>

struct Messages
{
    virtual ~Messages() = default;
    virtual void info(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    virtual bool askYesNo(const QString& text) = 0;
};
