#include "Tessel/UKestLibrary/Debug.h"

#include "Tessel/Rtl/FormatText.h"
#include "Tessel/Rtl/TraceOutput.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/Stopwatch.h"

#include <cstdio>

namespace Tessel {

TShowMsgHook ShowMsgHook;
TConfirmHook ConfirmHook;
TLogEventHook LogEventHook;
TMessageDialogProc MessageDialogProc;
TQuestionBoxProc QuestionBoxProc;
TDebugOutputProc DebugOutputProc;
double LastTraceTime = 0;

namespace {

constexpr double OneMillisecond = 1.0 / 86400000.0;

void WriteErrorLine(const QString& ALine) {
    const QByteArray bytes = (ALine + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// A message on the console comes after everything already written to standard output.
void WriteConsoleMessage(const QString& AText) {
    std::fflush(stdout);
    WriteErrorLine(AText);
}

} // namespace

void InternalError(const QString& AText) {
    throw EDebugTrap(QStringLiteral("Internal error ") + AText);
}

void DebugTrace(const QString& AText) {
    const double now = HighResNow();
    const QString interval =
        LastTraceTime > 0 ? Format(QStringLiteral(" (%10.3f ms)"), {(now - LastTraceTime) / OneMillisecond})
                          : QStringLiteral(" (         0 ms)");
    LastTraceTime = now;
    const QString stamp = FormatDateTimeKest(QStringLiteral("dd/mm/y, hh:mm:ss.zzz"), now);
    const QString line = stamp + interval + QLatin1Char(',') + AText + QLatin1Char(',');
    if (DebugOutputProc)
        DebugOutputProc(line);
    else
        WriteTraceLine(line);
}

void DebugTraceFmt(const QString& AFormat, const QVariantList& AArgs) {
    DebugTrace(Format(AFormat, AArgs));
}

void ShowMsg(const QString& AText, int32_t AParam1, int32_t AParam2) {
    if (ShowMsgHook)
        ShowMsgHook(AText, AParam1, AParam2);
    else if (MessageDialogProc)
        MessageDialogProc(AText);
    else
        WriteErrorLine(AText);
}

void ShowMsgFmt(const QString& AFormat, const QVariantList& AArgs, int32_t AParam1, int32_t AParam2) {
    ShowMsg(Format(AFormat, AArgs), AParam1, AParam2);
}

bool ConfirmYesNo(const QString& AText, int32_t AParam, bool ADefaultYes) {
    if (ConfirmHook) return ConfirmHook(AText, AParam, ADefaultYes);
    if (QuestionBoxProc) return QuestionBoxProc(AText, QStringLiteral("Confirm"), ADefaultYes);
    WriteConsoleMessage(AText + QStringLiteral(" No"));
    return false;
}

void LogEvent(const QString& ASource, const TKestEventDef& AEventDef, const QStringList& AStrings) {
    if (LogEventHook) LogEventHook(ASource, AEventDef, AStrings);
}

} // namespace Tessel
