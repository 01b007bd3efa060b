#include "engine/TProjectAdoption.h"

#include "engine/DelphiProjectFiles.h"

#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <map>
#include <optional>
#include <set>

namespace Wrenfold {

namespace {

// Per-configuration elements whose values differ between projects.
const QStringList ConfigurationElements = {
    QStringLiteral("DCC_ExeOutput"),      QStringLiteral("DCC_DcuOutput"), QStringLiteral("DCC_BplOutput"),
    QStringLiteral("DCC_DcpOutput"),      QStringLiteral("DCC_HppOutput"), QStringLiteral("DCC_ObjOutput"),
    QStringLiteral("DCC_UnitSearchPath"), QStringLiteral("DCC_Define"),    QStringLiteral("VerInfo_Keys"),
};

// A line that is one element with a text value: the opening tag (with the indent), the tag's name,
// the value, the closing tag (with what follows it).
const QRegularExpression& ElementLine() {
    static const QRegularExpression element(
        QStringLiteral("^(\\s*<([A-Za-z_][A-Za-z0-9_.]*)(?:\\s[^>]*)?>)([^<]*)(</\\2>\\s*)$"));
    return element;
}

// A replace-list value must come back from the configuration as it was: the configuration's lines
// are trimmed, and a marker or statement in it would be expanded.
bool IsKeptWhole(const QString& AValue) {
    const QString upper = Tessel::AsciiUpperCase(AValue);
    return !AValue.isEmpty() && Tessel::KestTrim(AValue) == AValue &&
           !AValue.contains(QLatin1String("$P(")) && !upper.contains(QLatin1String("$GET(")) &&
           !upper.contains(QLatin1String("$REPLACE(")) && !upper.contains(QLatin1String("$INCLUDE("));
}

// The configuration a property group applies to, from its condition: "'$(Cfg_1)'!=''" gives
// "Cfg_1"; an unconditioned group gives "".
QString ConfigurationOf(const QString& AGroupLine) {
    static const QRegularExpression condition(QStringLiteral("Condition=\"'\\$\\(([A-Za-z0-9_]+)\\)'!=''\""));
    const QRegularExpressionMatch match = condition.match(AGroupLine);
    return match.hasMatch() ? match.captured(1) : QString();
}

// Follows the property groups line by line: the configuration of the group a line stands in.
class TGroupTracker {
public:
    const QString& Follow(const QString& ALine) {
        const QString trimmed = ALine.trimmed();
        if (trimmed.startsWith(QLatin1String("<PropertyGroup")))
            FConfiguration = ConfigurationOf(trimmed);
        else if (trimmed.startsWith(QLatin1String("</PropertyGroup")))
            FConfiguration.clear();
        return FConfiguration;
    }

private:
    QString FConfiguration;
};

QString NameOf(const QString& AEntry) {
    return AEntry.left(AEntry.indexOf(u'='));
}
QString ValueOf(const QString& AEntry) {
    return AEntry.mid(AEntry.indexOf(u'=') + 1);
}

// The name of the marker in an element value that is exactly "$P(Name)", else empty.
QString MarkerIn(const QString& AValue) {
    if (!AValue.startsWith(QLatin1String("$P(")) || !AValue.endsWith(u')')) return QString();
    const QString name = AValue.mid(3, AValue.size() - 4);
    return name.contains(u'(') || name.contains(u')') ? QString() : name;
}

QString Shown(const QStringList& ALines, qsizetype AIndex) {
    return ALines.value(AIndex).trimmed();
}

} // namespace

TAdoptedProject AdoptProject(const QStringList& AProjectLines, const QString& AProjectName,
                             const QString& AProjectSource, bool AStableGuid) {
    TAdoptedProject result;
    QSet<QString> given;
    const auto give = [&](const QString& AName, const QString& AValue) {
        if (given.contains(AName)) return;
        given.insert(AName);
        result.ReplaceList.append(AName + u'=' + AValue);
    };
    TGroupTracker groups;
    for (const QString& line : AProjectLines) {
        const QString& configuration = groups.Follow(line);
        const QRegularExpressionMatch match = ElementLine().match(line);
        if (!match.hasMatch()) {
            result.Template.append(line);
            continue;
        }
        const QString tag = match.captured(2), value = match.captured(3);
        QString name;
        if (tag == QLatin1String("ProjectGuid") && value.size() == 38 && value.startsWith(u'{')) {
            name = QStringLiteral("ProjectGuid");
            give(name,
                 AStableGuid ? QStringLiteral("$GET(PROJECTGUID)") : QStringLiteral("$GET(RANDOMGUID)"));
        } else if (IsProjectSource(value) &&
                   Tessel::FileBaseName(value).compare(AProjectName, Qt::CaseInsensitive) == 0) {
            name = QStringLiteral("MainSource");
            give(name, value == AProjectSource ? QStringLiteral("$GET(PROJECTSOURCE)") : value);
        } else if (value == AProjectName) {
            name = QStringLiteral("ProjectName");
            give(name, QStringLiteral("$GET(PROJECTNAME)"));
        } else if (ConfigurationElements.contains(tag) && IsKeptWhole(value)) {
            name = configuration.isEmpty() ? tag : tag + u'_' + configuration;
            if (given.contains(name))
                name.clear(); // a second one in the same group stays as it is
            else
                give(name, value);
        }
        result.Template.append(name.isEmpty() ? line
                                              : match.captured(1) + QStringLiteral("$P(") + name + u')' +
                                                    match.captured(4));
    }
    return result;
}

TAdoptedFolder MergeAdoptedProjects(const std::vector<TFolderProject>& AProjects) {
    TAdoptedFolder result;
    if (AProjects.empty()) return result;
    const TFolderProject& first = AProjects.front();
    const QStringList& base = first.Adopted.Template;
    std::vector<QHash<QString, QString>> entries; // per project: name -> value
    for (const TFolderProject& project : AProjects) {
        QHash<QString, QString>& values = entries.emplace_back();
        for (const QString& entry : project.Adopted.ReplaceList)
            values.insert(NameOf(entry), ValueOf(entry));
    }
    // What the element on line AIndex of project AProject holds, as a replace-list value; empty
    // when the line is no such element or its value cannot be given.
    const auto valueAt = [&](std::size_t AProject, qsizetype AIndex) -> std::optional<QString> {
        const QRegularExpressionMatch match =
            ElementLine().match(AProjects[AProject].Adopted.Template.value(AIndex));
        if (!match.hasMatch()) return std::nullopt;
        const QString value = match.captured(3);
        if (const QString marker = MarkerIn(value); !marker.isEmpty()) return entries[AProject].value(marker);
        if (!value.isEmpty() && !IsKeptWhole(value)) return std::nullopt;
        return value;
    };

    // The lines where some project differs from the first in an element's value only.
    std::set<qsizetype> valueLines;
    for (std::size_t k = 1; k < AProjects.size(); ++k) {
        const TFolderProject& project = AProjects[k];
        const QStringList& lines = project.Adopted.Template;
        for (qsizetype i = 0; i < std::max(base.size(), lines.size()); ++i) {
            if (i < base.size() && i < lines.size() && base[i] == lines[i]) continue;
            const QRegularExpressionMatch ours = ElementLine().match(lines.value(i));
            const QRegularExpressionMatch theirs = ElementLine().match(base.value(i));
            if (ours.hasMatch() && theirs.hasMatch() && ours.captured(1) == theirs.captured(1) &&
                ours.captured(4) == theirs.captured(4) && valueAt(0, i) && valueAt(k, i)) {
                valueLines.insert(i);
                continue;
            }
            QString difference;
            if (i >= lines.size())
                difference = QStringLiteral("%1 ends after line %2, where %3 goes on with \"%4\"")
                                 .arg(project.FileName)
                                 .arg(lines.size())
                                 .arg(first.FileName, Shown(first.Lines, i));
            else if (i >= base.size())
                difference = QStringLiteral("%1, line %2: \"%3\", where %4 has ended")
                                 .arg(project.FileName)
                                 .arg(i + 1)
                                 .arg(Shown(project.Lines, i), first.FileName);
            else
                difference =
                    QStringLiteral("%1, line %2: \"%3\", where %4 has \"%5\"%6")
                        .arg(project.FileName)
                        .arg(i + 1)
                        .arg(Shown(project.Lines, i), first.FileName, Shown(first.Lines, i),
                             Shown(project.Lines, i) == Shown(first.Lines, i)
                                 ? QStringLiteral(" (the lines differ in their indent or trailing blanks)")
                                 : QString());
            result.Differences.append(difference);
            break;
        }
    }
    if (!result.Differences.isEmpty()) return result;

    // Each such line gets a marker of its own, named after its element (and configuration).
    QSet<QString> taken;
    for (const QHash<QString, QString>& values : entries)
        for (auto it = values.begin(); it != values.end(); ++it)
            taken.insert(it.key().toCaseFolded());
    std::vector<QHash<QString, QString>> lineValues(AProjects.size());
    QStringList names; // the shared list's names, in order
    for (const QString& entry : first.Adopted.ReplaceList)
        names.append(NameOf(entry));
    TGroupTracker groups;
    for (qsizetype i = 0; i < base.size(); ++i) {
        const QString& configuration = groups.Follow(base[i]);
        if (!valueLines.count(i)) {
            result.Template.append(base[i]);
            continue;
        }
        const QRegularExpressionMatch match = ElementLine().match(base[i]);
        const QString tag = match.captured(2);
        QString name = configuration.isEmpty() ? tag : tag + u'_' + configuration;
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
            name = (configuration.isEmpty() ? tag : tag + u'_' + configuration) + u'_' + QString::number(n);
        taken.insert(name.toCaseFolded());
        names.append(name);
        for (std::size_t k = 0; k < AProjects.size(); ++k)
            entries[k].insert(name, *valueAt(k, i));
        result.Template.append(match.captured(1) + QStringLiteral("$P(") + name + u')' + match.captured(4));
    }

    // The value most projects have is shared (the earliest of equally common ones); the others are
    // the projects' own. A name the template no longer uses is left out.
    const QString templateText = result.Template.join(u'\n');
    std::map<std::size_t, QStringList> own;
    for (const QString& name : names) {
        if (!templateText.contains(QStringLiteral("$P(") + name + u')')) continue;
        QStringList values;
        QHash<QString, int> counts;
        for (std::size_t k = 0; k < AProjects.size(); ++k) {
            values.append(entries[k].value(name));
            ++counts[values.back()];
        }
        QString shared = values.front();
        for (const QString& value : values)
            if (counts[value] > counts[shared]) shared = value;
        result.ReplaceList.append(name + u'=' + shared);
        for (std::size_t k = 0; k < AProjects.size(); ++k)
            if (values[qsizetype(k)] != shared) own[k].append(name + u'=' + values[qsizetype(k)]);
    }
    for (const auto& [k, projectEntries] : own)
        result.ProjectEntries.emplace_back(AProjects[k].Name, projectEntries);
    return result;
}

QStringList AdoptedConfiguration(const QString& ATemplateName, const QStringList& AReplaceList,
                                 const std::vector<std::pair<QString, QStringList>>& AProjectEntries,
                                 const QStringList& ASkipped) {
    // A name with a dot in it would be taken as having an extension of its own.
    const QString inputName =
        ATemplateName.contains(u'.') ? ATemplateName + TemplateExtension : ATemplateName;
    QStringList lines = {QStringLiteral("[General]"), QStringLiteral("InputName=") + inputName, QString(),
                         QStringLiteral("[Replace]")};
    lines += AReplaceList;
    for (const auto& [project, entries] : AProjectEntries) {
        lines += {QString(), u'[' + ProjectReplaceSection(project) + u']'};
        lines += entries;
    }
    if (!ASkipped.isEmpty())
        lines += {QString(), QStringLiteral("[Batch]"),
                  QStringLiteral("Skip=") + ASkipped.join(QStringLiteral(", "))};
    lines.append(QString());
    return lines;
}

} // namespace Wrenfold
