#pragma once
// Messages shown in modal message boxes over the active window.
#include "app/Messages.h"

class QtMessages final : public Messages
{
public:
    void info(const QString& text) override;
    void error(const QString& text) override;
    bool askYesNo(const QString& text) override;
};
