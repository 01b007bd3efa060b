#include "engine/TOutputSet.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/UKestIniFiles.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <algorithm>

namespace Wrenfold {

bool NamesOutputs(Tessel::TKestMemIniFile& AIniFile) {
    return AIniFile.SectionExists(OutputsSection);
}

TOutputSet ReadOutputSet(Tessel::TKestMemIniFile& AIniFile) {
    TOutputSet set;
    QStringList lines;
    AIniFile.ReadSectionStrings(OutputsSection, lines);
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        const QString path = Tessel::KestTrim(line.left(equals));
        const QString templateName = equals < 0 ? QString() : Tessel::KestTrim(line.mid(equals + 1));
        if (path.isEmpty() || templateName.isEmpty())
            throw Tessel::Exception(
                QStringLiteral(
                    "Output line \"%1\" of section [%2] wants OUTPUT=TEMPLATE: a path and a template")
                    .arg(line, OutputsSection));
        set.Outputs.push_back({path, templateName});
    }
    if (set.Outputs.empty())
        throw Tessel::Exception(QStringLiteral("Section [%1] names no output").arg(OutputsSection));
    if (AIniFile.SectionExists(TargetsSection)) {
        AIniFile.ReadSectionStrings(TargetsSection, lines);
        for (const QString& line : lines) {
            const QString target = Tessel::KestTrim(line);
            if (set.Targets.contains(target, Qt::CaseInsensitive))
                throw Tessel::Exception(QStringLiteral("Target \"%1\" is listed twice in section [%2]")
                                            .arg(target, TargetsSection));
            set.Targets.append(target);
        }
    }
    return set;
}

QString TargetSection(const QString& ATarget) {
    return QStringLiteral("Target:") + ATarget;
}

QStringList MergedReplaceEntries(QStringList AList, const QStringList& AEntries) {
    for (const QString& entry : AEntries) {
        const qsizetype equals = entry.indexOf(u'=');
        if (equals < 0) continue;
        const QStringView name = QStringView(entry).left(equals);
        const auto shared = std::find_if(AList.begin(), AList.end(), [&](const QString& ALine) {
            const qsizetype at = ALine.indexOf(u'=');
            return at >= 0 && QStringView(ALine).left(at).compare(name, Qt::CaseInsensitive) == 0;
        });
        if (shared != AList.end()) {
            // "$REPLACE(Name)" in an entry of that very name means the value it takes the place of.
            const QString earlier = shared->mid(shared->indexOf(u'=') + 1);
            const QString self = QStringLiteral("$REPLACE(") + name + u')';
            QString merged = entry;
            for (qsizetype at = merged.indexOf(self, equals, Qt::CaseInsensitive); at >= 0;
                 at = merged.indexOf(self, at + earlier.size(), Qt::CaseInsensitive))
                merged.replace(at, self.size(), earlier);
            *shared = merged;
        } else
            AList.append(entry);
    }
    return AList;
}

} // namespace Wrenfold
