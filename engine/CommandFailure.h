// The one way a failure leaving a command becomes a message for the user.
#pragma once

#include <QString>

#include <functional>

namespace Wrenfold {

// Runs ACommand. A failure leaving it is handed to AReport as its message: the system's exceptions
// carry theirs, std::bad_alloc is "Out of memory", any other std::exception gives its own text.
// The silent abort (Tessel::EAbort: stopped by the user) ends the command without a report. True
// when the command succeeded.
bool RunReportingFailure(const std::function<void()>& ACommand,
                         const std::function<void(const QString&)>& AReport);

} // namespace Wrenfold
