// The program's command-line switches ("/DEMO") and options ("/UL=S"): found, read and announced.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace Tessel {

// Arguments are compared after one pair of enclosing double quotes is removed from each; names are
// given with their "/" and match without regard to the case of ASCII letters. An announcement is
// shown through ShowMsgFmt when AReport is true, the switch or option was found and ADescription is
// not empty. Each routine reads the process's arguments, or the list AArguments it is given (the
// arguments after the program path).

// The process's arguments after the program path.
QStringList ParamArguments();

// True when some argument is the switch ASwitch as a whole ("/DEMO=1" is not "/DEMO").
bool ParamSwitchPresent(const QString& ASwitch, const QString& ADescription, bool AReport);
bool ParamSwitchPresent(const QStringList& AArguments, const QString& ASwitch, const QString& ADescription,
                        bool AReport);

// True when some argument begins with AName and "="; the first such argument gives the value that
// follows, upper-cased (ASCII letters) in AValueUpper and as typed in AValue. Both are empty when the
// option is absent.
bool FindParamValue(const QString& AName, const QString& ADescription, bool AReport, QString& AValueUpper,
                    QString& AValue);
bool FindParamValue(const QStringList& AArguments, const QString& AName, const QString& ADescription,
                    bool AReport, QString& AValueUpper, QString& AValue);

// FindParamValue with the upper-cased value only.
bool ParamValue(const QString& AName, const QString& ADescription, bool AReport, QString& AValue);
bool ParamValue(const QStringList& AArguments, const QString& AName, const QString& ADescription,
                bool AReport, QString& AValue);

// True when the option is present and its value is a 32-bit integer (decimal, or hexadecimal after
// "$", "x" or "0x"), which AValue receives; else AValue is 0. A value that is no integer shows
// "Error in command line integer value "%s"" whatever AReport says.
bool ParamIntValue(const QString& AName, const QString& ADescription, bool AReport, int32_t& AValue);
bool ParamIntValue(const QStringList& AArguments, const QString& AName, const QString& ADescription,
                   bool AReport, int32_t& AValue);

// The switches and options the library reads at start-up.
enum class TKestParamKind { pkSwitch, pkText, pkInteger };
struct TKestParamDef {
    QString Name;
    TKestParamKind Kind;
    QString Description;
    bool Announced;
};
inline const TKestParamDef KestParamRegLogging{QStringLiteral("/RegLogging"), TKestParamKind::pkSwitch,
                                               QStringLiteral("Registry activity logging"), true};
inline const TKestParamDef KestParamDemo{QStringLiteral("/DEMO"), TKestParamKind::pkSwitch,
                                         QStringLiteral("Off-line mode"), false};
inline const TKestParamDef KestParamOffline{QStringLiteral("/OFFLINE"), TKestParamKind::pkSwitch,
                                            QStringLiteral("Off-line mode"), false};
inline const TKestParamDef KestParamSlowStatusUpdate{
    QStringLiteral("/SlowStatusUpdate"), TKestParamKind::pkInteger,
    QStringLiteral("Forces a programmable slow status update"), true};
inline const TKestParamDef KestParamDesMode{QStringLiteral("/DESMODE"), TKestParamKind::pkSwitch,
                                            QStringLiteral("Designer Override"), false};
inline const TKestParamDef KestParamUserLevel{QStringLiteral("/UL"), TKestParamKind::pkText,
                                              QStringLiteral("Command line user level"), false};
QList<TKestParamDef> KestLibraryParams();
// True when AArgument is one of the library's switches, or one of its options with "=" and a value,
// matched as the routines above match them.
bool IsKestLibraryParam(const QString& AArgument);

} // namespace Tessel
