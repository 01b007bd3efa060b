#include "cli/TCliHost.h"

#include <QString>

namespace Wrenfold {

namespace {

QByteArray AsLines(const QString& AText) {
    if (!AText.contains(u'\r') && !AText.contains(QChar(0x2028))) return AText.toUtf8() + '\n';
    QString text = AText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QChar(0x2028), u'\n');
    text.append(u'\n');
    return text.toUtf8();
}

} // namespace

void TCliHost::WriteMessage(const QString& AText) {
    std::fflush(FLog); // keep the two streams in order on a terminal
    const QByteArray bytes = AsLines(AText);
    std::fwrite(bytes.constData(), 1, bytes.size(), FMessages);
    std::fflush(FMessages);
}

bool TCliHost::AskYesNo(const QString& AMessage) {
    WriteMessage(AMessage + QStringLiteral(" [answered No]"));
    return false;
}

void TCliHost::ShowErrorBox(const QString& AMessage) { WriteMessage(QStringLiteral("error: ") + AMessage); }

void TCliHost::ShowInfoBox(const QString& AMessage) { WriteMessage(AMessage); }

void TCliHost::ShowPlainBox(const QString& AMessage) { WriteMessage(AMessage); }

void TCliHost::ProcessPendingEvents() { std::fflush(FLog); }

void TCliHost::WriteLogLine(const QString& ALine) {
    if (FQuiet) return;
    const QByteArray bytes = AsLines(ALine);
    std::fwrite(bytes.constData(), 1, bytes.size(), FLog);
}

} // namespace Wrenfold
