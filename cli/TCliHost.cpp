#include "cli/TCliHost.h"

#include "cli/TInterruptScope.h"
#include "engine/TCancelCapture.h"

#include <QString>
#include <QStringView>

#include <cstring>

namespace Wrenfold {

namespace {

void AppendUtf8(QByteArray& AOut, QStringView AText, QStringEncoder& AEncoder) {
    const qsizetype used = AOut.size();
    AOut.resize(used + AEncoder.requiredSpace(AText.size()));
    const char* end = AEncoder.appendToBuffer(AOut.data() + used, AText);
    AOut.resize(end - AOut.constData());
}

// Appends the text in UTF-8 as lines: each CR LF, CR or U+2028 becomes LF, and a LF ends it.
void AppendAsLines(QByteArray& AOut, QStringView AText, QStringEncoder& AEncoder) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const char16_t c = AText[i].unicode();
        if (c != u'\r' && c != 0x2028) continue;
        AppendUtf8(AOut, AText.sliced(start, i - start), AEncoder);
        AOut.append('\n');
        if (c == u'\r' && i + 1 < AText.size() && AText[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    AppendUtf8(AOut, AText.sliced(start), AEncoder);
    AOut.append('\n');
}

} // namespace

TCliHost::TCliHost(std::FILE* ALogStream, std::FILE* AMessageStream)
    : FLog(ALogStream), FMessages(AMessageStream),
      FEncoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless) {}

void TCliHost::Write(std::FILE* AStream, const QString& AText) {
    // Encoded into a buffer that only ever grows, with room for the closing line feed.
    const qsizetype room = FEncoder.requiredSpace(AText.size()) + 1;
    if (FBuffer.size() < room) FBuffer.resize(room);
    char* const start = FBuffer.data();
    char* const end = FEncoder.appendToBuffer(start, AText);
    // Entries seldom hold a CR or a U+2028 (E2 80 A8 in UTF-8): only then are they split into lines.
    const auto holds = [&](char AByte) { return std::memchr(start, AByte, size_t(end - start)) != nullptr; };
    if (holds('\r') || holds('\xE2')) {
        QByteArray lines;
        AppendAsLines(lines, AText, FEncoder);
        std::fwrite(lines.constData(), 1, size_t(lines.size()), AStream);
        return;
    }
    *end = '\n';
    std::fwrite(start, 1, size_t(end - start + 1), AStream);
}

void TCliHost::WriteMessage(const QString& AText) {
    std::fflush(FLog); // keep the two streams in order on a terminal
    Write(FMessages, AText);
    std::fflush(FMessages);
}

bool TCliHost::AskYesNo(const QString& AMessage) {
    WriteMessage(AMessage + QStringLiteral(" [answered No]"));
    return false;
}

void TCliHost::ShowErrorBox(const QString& AMessage) {
    WriteMessage(QStringLiteral("error: ") + AMessage);
}

void TCliHost::ShowInfoBox(const QString& AMessage) {
    WriteMessage(AMessage);
}

void TCliHost::ShowPlainBox(const QString& AMessage) {
    WriteMessage(AMessage);
}

void TCliHost::ProcessPendingEvents() {
    // Ctrl+C during a batch: the batch stops before its next project.
    if (InterruptRequested()) RequestCancel();
    // Between the projects of a batch: the log so far reaches its reader a few times a second
    // rather than once per project.
    const auto now = std::chrono::steady_clock::now();
    if (now - FLastFlush < std::chrono::milliseconds(100)) return;
    FLastFlush = now;
    std::fflush(FLog);
}

void TCliHost::WriteLogLine(const QString& ALine) {
    if (!FQuiet) Write(FLog, ALine);
}

} // namespace Wrenfold
