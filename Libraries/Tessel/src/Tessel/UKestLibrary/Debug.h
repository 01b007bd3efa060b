// The developer trace, the user's message and question boxes behind replaceable hooks, the event-log
// hook and internal errors.
#pragma once

#include "Tessel/UKestDefs/Exceptions.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <cstdint>
#include <functional>

namespace Tessel {

// One kind of event for the event log.
struct TKestEventDef {
    int32_t Kind = 0;
    int32_t Id = 0;
    QString Text;
};

inline const TKestEventDef KestEventUserLevelChanged{0, 1020, QStringLiteral("User level changed")};
inline const TKestEventDef KestEventWaypoint{0, 1033, QStringLiteral("Waypoint")};

// Hooks an embedding application installs to take over messages, questions and events. The integers
// are passed through to the hook untouched.
using TShowMsgHook = std::function<void(const QString& AText, int32_t AParam1, int32_t AParam2)>;
using TConfirmHook = std::function<bool(const QString& AText, int32_t AParam, bool ADefaultYes)>;
using TLogEventHook =
    std::function<void(const QString& ASource, const TKestEventDef& AEventDef, const QStringList& AStrings)>;
extern TShowMsgHook ShowMsgHook;
extern TConfirmHook ConfirmHook;
extern TLogEventHook LogEventHook;

// The platform's dialogs behind ShowMsg and ConfirmYesNo when no hook is installed. The window puts
// real dialogs here; left empty, the message is written to standard error and the question is
// written there too and answered No.
using TMessageDialogProc = std::function<void(const QString& AText)>;
using TQuestionBoxProc = std::function<bool(const QString& AText, const QString& ACaption, bool ADefaultYes)>;
extern TMessageDialogProc MessageDialogProc;
extern TQuestionBoxProc QuestionBoxProc;

// Where trace lines go, one call per line; left empty, each line goes to the platform's trace
// (WriteTraceLine: standard error; on Windows the debugger's output too).
using TDebugOutputProc = std::function<void(const QString& ALine)>;
extern TDebugOutputProc DebugOutputProc;

// The date-time of the previous trace line; 0 until the first.
extern double LastTraceTime;

// Raises EDebugTrap "Internal error " followed by AText.
[[noreturn]] void InternalError(const QString& AText);

// Writes one line: the time stamp, the interval since the previous line, and AText, as in
// "25/12/24, 13:45:10.123 (     1.234 ms),some text," (the first line shows "(         0 ms)").
void DebugTrace(const QString& AText);
// Formats with the user's settings, then DebugTrace.
void DebugTraceFmt(const QString& AFormat, const QVariantList& AArgs);

// Shows AText to the user and returns when the message is closed.
void ShowMsg(const QString& AText, int32_t AParam1, int32_t AParam2);
// Formats with the user's settings, then ShowMsg.
void ShowMsgFmt(const QString& AFormat, const QVariantList& AArgs, int32_t AParam1, int32_t AParam2);
// Asks AText under the caption "Confirm" with Yes and No; true only for Yes.
bool ConfirmYesNo(const QString& AText, int32_t AParam, bool ADefaultYes);
// Hands an event to LogEventHook; nothing happens without one.
void LogEvent(const QString& ASource, const TKestEventDef& AEventDef, const QStringList& AStrings);

} // namespace Tessel
