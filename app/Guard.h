#pragma once
// The top-level error report: every event handler runs inside guarded(), which shows the text
// of any error that escapes it and ends that handler; the program runs on.
#include "app/Messages.h"
#include "data/Error.h"

#include <exception>
#include <utility>

template <typename Handler> void guarded(Messages& messages, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const Error& e) {
        messages.error(e.text());
    } catch (const std::exception& e) {
        messages.error(QString::fromUtf8(e.what()));
    } catch (...) {
        messages.error(QStringLiteral("Unknown error"));
    }
}
