#include "engine/TProjectAdoption.h"

#include "Tessel/UKestLibrary/Strings.h"

#include <QRegularExpression>
#include <QSet>

namespace Wrenfold {

namespace {

// Per-configuration elements whose values differ between projects.
const QStringList ConfigurationElements = {
    QStringLiteral("DCC_ExeOutput"),    QStringLiteral("DCC_DcuOutput"), QStringLiteral("DCC_BplOutput"),
    QStringLiteral("DCC_DcpOutput"),    QStringLiteral("DCC_HppOutput"), QStringLiteral("DCC_ObjOutput"),
    QStringLiteral("DCC_UnitSearchPath"), QStringLiteral("DCC_Define"),  QStringLiteral("VerInfo_Keys"),
};

// A replace-list value must come back from the configuration as it was: the configuration's lines
// are trimmed, and a marker or statement in it would be expanded.
bool IsKeptWhole(const QString& AValue) {
    const QString upper = Tessel::AsciiUpperCase(AValue);
    return !AValue.isEmpty() && Tessel::KestTrim(AValue) == AValue && !AValue.contains(QLatin1String("$P(")) &&
           !upper.contains(QLatin1String("$GET(")) && !upper.contains(QLatin1String("$REPLACE(")) &&
           !upper.contains(QLatin1String("$INCLUDE("));
}

// The configuration a property group applies to, from its condition: "'$(Cfg_1)'!=''" gives
// "Cfg_1"; an unconditioned group gives "".
QString ConfigurationOf(const QString& AGroupLine) {
    static const QRegularExpression condition(QStringLiteral("Condition=\"'\\$\\(([A-Za-z0-9_]+)\\)'!=''\""));
    const QRegularExpressionMatch match = condition.match(AGroupLine);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

TAdoptedProject AdoptProject(const QStringList& AProjectLines, const QString& AProjectName, bool AStableGuid) {
    static const QRegularExpression element(QStringLiteral("^(\\s*<([A-Za-z_][A-Za-z0-9_.]*)(?:\\s[^>]*)?>)([^<]*)(</\\2>\\s*)$"));
    TAdoptedProject result;
    QSet<QString> given;
    const auto give = [&](const QString& AName, const QString& AValue) {
        if (given.contains(AName)) return;
        given.insert(AName);
        result.ReplaceList.append(AName + u'=' + AValue);
    };
    QString configuration;
    for (const QString& line : AProjectLines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("<PropertyGroup"))) configuration = ConfigurationOf(trimmed);
        else if (trimmed.startsWith(QLatin1String("</PropertyGroup"))) configuration.clear();
        const QRegularExpressionMatch match = element.match(line);
        if (!match.hasMatch()) {
            result.Template.append(line);
            continue;
        }
        const QString tag = match.captured(2), value = match.captured(3);
        QString name;
        if (tag == QLatin1String("ProjectGuid") && value.size() == 38 && value.startsWith(u'{')) {
            name = QStringLiteral("ProjectGuid");
            give(name, AStableGuid ? QStringLiteral("$GET(PROJECTGUID)") : QStringLiteral("$GET(RANDOMGUID)"));
        } else if (value.compare(AProjectName + QLatin1String(".dpr"), Qt::CaseInsensitive) == 0 && value.endsWith(QLatin1String(".dpr"))) {
            name = QStringLiteral("MainSource");
            give(name, value.startsWith(AProjectName) ? QStringLiteral("$GET(PROJECTNAME).dpr") : value);
        } else if (value == AProjectName) {
            name = QStringLiteral("ProjectName");
            give(name, QStringLiteral("$GET(PROJECTNAME)"));
        } else if (ConfigurationElements.contains(tag) && IsKeptWhole(value)) {
            name = configuration.isEmpty() ? tag : tag + u'_' + configuration;
            if (given.contains(name)) name.clear(); // a second one in the same group stays as it is
            else give(name, value);
        }
        result.Template.append(name.isEmpty() ? line
                                              : match.captured(1) + QStringLiteral("$P(") + name + u')' + match.captured(4));
    }
    return result;
}

QStringList AdoptedConfiguration(const QString& ATemplateName, const QStringList& AReplaceList) {
    QStringList lines = {QStringLiteral("[General]"), QStringLiteral("InputName=") + ATemplateName, QString(),
                         QStringLiteral("[Replace]")};
    lines += AReplaceList;
    lines.append(QString());
    return lines;
}

} // namespace Wrenfold
