// The command-line front end's answers to the engine: boxes become lines on standard error, the
// log streams to standard output, questions are answered No, and Ctrl+C during a batch stops it
// before its next project.
#pragma once

#include "engine/IWrenfoldHost.h"

#include <QByteArray>
#include <QStringEncoder>

#include <chrono>
#include <cstdio>

namespace Wrenfold {

class TCliHost : public IWrenfoldHost {
public:
    TCliHost(std::FILE* ALogStream, std::FILE* AMessageStream);

    bool AskYesNo(const QString& AMessage) override;
    void ShowErrorBox(const QString& AMessage) override;
    void ShowInfoBox(const QString& AMessage) override;
    void ShowPlainBox(const QString& AMessage) override;
    void SaveProjectIfModified() override {} // the CLI never edits the project text
    void ProcessPendingEvents() override;

    // One log entry as it is appended; an entry holding line breaks prints as several lines.
    void WriteLogLine(const QString& ALine);
    void SetQuiet(bool AValue) { FQuiet = AValue; }

private:
    void WriteMessage(const QString& AText);
    void Write(std::FILE* AStream, const QString& AText);

    std::FILE* FLog;
    std::FILE* FMessages;
    bool FQuiet = false;
    QStringEncoder FEncoder;
    QByteArray FBuffer; // reused for every entry
    std::chrono::steady_clock::time_point FLastFlush;
};

} // namespace Wrenfold
