#pragma once
// Keeps every message text and answers questions from a script (No when the script is empty).
#include "app/Messages.h"

#include <QList>
#include <QStringList>

struct RecordingMessages final : Messages
{
    QStringList texts;
    QList<bool> answers;
    void info(const QString& t) override { texts << t; }
    void error(const QString& t) override { texts << t; }
    bool askYesNo(const QString& t) override
    {
        texts << t;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
};
