#include "Tessel/UKestLibrary/CommandLine.h"

#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QCoreApplication>
#include <QFile>

namespace Tessel {

namespace {

// Index of the first argument that begins with AName and "=", or -1.
qsizetype FindOption(const QStringList& AArguments, const QString& AName) {
    const QString key = AsciiUpperCase(AName) + QLatin1Char('=');
    for (qsizetype i = 0; i < AArguments.size(); ++i)
        if (AsciiUpperCase(Dequote(AArguments.at(i))).startsWith(key)) return i;
    return -1;
}

} // namespace

QStringList ParamArguments() {
    QStringList arguments;
    if (QCoreApplication::instance() != nullptr) {
        arguments = QCoreApplication::arguments();
    } else {
#ifdef Q_OS_LINUX
        QFile file(QStringLiteral("/proc/self/cmdline"));
        if (file.open(QIODevice::ReadOnly)) {
            QByteArray bytes = file.readAll();
            if (bytes.endsWith('\0')) bytes.chop(1);
            for (const QByteArray& argument : bytes.split('\0'))
                arguments.append(QFile::decodeName(argument));
        }
#endif
    }
    if (!arguments.isEmpty()) arguments.removeFirst();
    return arguments;
}

bool ParamSwitchPresent(const QString& ASwitch, const QString& ADescription, bool AReport) {
    return ParamSwitchPresent(ParamArguments(), ASwitch, ADescription, AReport);
}

bool ParamSwitchPresent(const QStringList& AArguments, const QString& ASwitch, const QString& ADescription,
                        bool AReport) {
    bool found = false;
    for (const QString& argument : AArguments) {
        if (SameAsciiText(Dequote(argument), ASwitch)) {
            found = true;
            break;
        }
    }
    if (found && AReport && !ADescription.isEmpty())
        ShowMsgFmt(QStringLiteral("'%s' - this feature has been enabled by '%s' found on the command line."),
                   {ADescription, ASwitch}, 0, 0);
    return found;
}

bool FindParamValue(const QString& AName, const QString& ADescription, bool AReport, QString& AValueUpper,
                    QString& AValue) {
    return FindParamValue(ParamArguments(), AName, ADescription, AReport, AValueUpper, AValue);
}

bool FindParamValue(const QStringList& AArguments, const QString& AName, const QString& ADescription,
                    bool AReport, QString& AValueUpper, QString& AValue) {
    AValueUpper.clear();
    AValue.clear();
    const qsizetype index = FindOption(AArguments, AName);
    if (index < 0) return false;
    AValue = Dequote(AArguments.at(index)).mid(AName.size() + 1);
    AValueUpper = AsciiUpperCase(AValue);
    if (AReport && !ADescription.isEmpty())
        ShowMsgFmt(QStringLiteral("%s set by '%s=%s' found on the command line."),
                   {ADescription, AName, AValue}, 0, 0);
    return true;
}

bool ParamValue(const QString& AName, const QString& ADescription, bool AReport, QString& AValue) {
    return ParamValue(ParamArguments(), AName, ADescription, AReport, AValue);
}

bool ParamValue(const QStringList& AArguments, const QString& AName, const QString& ADescription,
                bool AReport, QString& AValue) {
    QString typed;
    return FindParamValue(AArguments, AName, ADescription, AReport, AValue, typed);
}

bool ParamIntValue(const QString& AName, const QString& ADescription, bool AReport, int32_t& AValue) {
    return ParamIntValue(ParamArguments(), AName, ADescription, AReport, AValue);
}

bool ParamIntValue(const QStringList& AArguments, const QString& AName, const QString& ADescription,
                   bool AReport, int32_t& AValue) {
    AValue = 0;
    QString text;
    if (!ParamValue(AArguments, AName, ADescription, AReport, text)) return false;
    if (const std::optional<int32_t> value = TextToInt32(text)) {
        AValue = *value;
        return true;
    }
    ShowMsgFmt(QStringLiteral("Error in command line integer value \"%s\""), {AName}, 0, 0);
    return false;
}

QList<TKestParamDef> KestLibraryParams() {
    return {KestParamRegLogging,       KestParamDemo,    KestParamOffline,
            KestParamSlowStatusUpdate, KestParamDesMode, KestParamUserLevel};
}

bool IsKestLibraryParam(const QString& AArgument) {
    const QStringList single{AArgument};
    for (const TKestParamDef& param : KestLibraryParams()) {
        const bool match = param.Kind == TKestParamKind::pkSwitch
                               ? ParamSwitchPresent(single, param.Name, QString(), false)
                               : FindOption(single, param.Name) == 0;
        if (match) return true;
    }
    return false;
}

} // namespace Tessel
