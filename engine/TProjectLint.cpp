#include "engine/TProjectLint.h"

#include "engine/DelphiProjectFiles.h"
#include "engine/DollarScan.h"
#include "engine/IProjectDisk.h"
#include "engine/PathRules.h"
#include "engine/TDryRunDisk.h"
#include "engine/TOutputSet.h"
#include "engine/TSilentHost.h"
#include "engine/TWrenfoldEngine.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/TextFile.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace Wrenfold {

namespace {

// One line of a section, with its 1-based number in the file.
struct TNumberedLine {
    int Number;
    QString Text; // trimmed, as the INI file keeps it
};

// The sections of an INI text by upper-case name, as the configuration is read: lines trimmed,
// comments and blank lines dropped, a repeated header continuing its section. AHeaders receives
// each section's first header line, its name as written.
std::map<QString, std::vector<TNumberedLine>> ReadSections(const QStringList& ALines,
                                                           std::map<QString, TNumberedLine>& AHeaders) {
    std::map<QString, std::vector<TNumberedLine>> sections;
    std::vector<TNumberedLine>* current = nullptr;
    for (int i = 0; i < ALines.size(); ++i) {
        const QString text = Tessel::KestTrim(ALines[i]);
        if (text.isEmpty() || text.front() == u';') continue;
        if (text.size() >= 2 && text.front() == u'[' && text.back() == u']') {
            const QString name = Tessel::KestTrim(text.mid(1, text.size() - 2));
            current = &sections[Tessel::AsciiUpperCase(name)];
            AHeaders.emplace(Tessel::AsciiUpperCase(name), TNumberedLine{i + 1, name});
        } else if (current)
            current->push_back({i + 1, text});
    }
    return sections;
}

QString NameOf(const QString& ALine) {
    return ALine.left(std::max<qsizetype>(0, ALine.indexOf(u'=')));
}

// The arguments of every statement of AKeyword ("$REPLACE(" in upper case) in the line.
QStringList StatementArguments(const QString& ALine, const QString& AKeyword) {
    QStringList arguments;
    const QString upper = Tessel::AsciiUpperCase(ALine);
    for (qsizetype at = upper.indexOf(AKeyword); at >= 0; at = upper.indexOf(AKeyword, at + 1)) {
        const int close = FindClosingBracket(ALine, int(at + AKeyword.size()) + 1);
        if (close > 0) arguments.append(ALine.mid(at + AKeyword.size(), close - 1 - (at + AKeyword.size())));
    }
    return arguments;
}

bool HasOuterBlanks(const QString& AName) {
    return !AName.isEmpty() && Tessel::KestTrim(AName) != AName;
}

class TLint {
public:
    TLint(const QString& AConfigFile, const IProjectDisk& ADisk)
        : FConfigFile(AConfigFile), FDirectory(Tessel::FileFolderPart(AConfigFile)), FDisk(ADisk) {}

    QStringList Run() {
        Tessel::TTextFormat format;
        const QStringList configLines =
            Tessel::DecodeTextLines(FDisk.ReadFile(FConfigFile), format, FConfigFile);
        std::map<QString, TNumberedLine> headers;
        auto sections = ReadSections(configLines, headers);
        const std::vector<TNumberedLine>& replace = sections[QStringLiteral("REPLACE")];

        // Names the entries give, first line of each; used ones are marked.
        std::map<QString, int> firstLine; // folded name -> line
        std::map<QString, bool> used;
        for (const TNumberedLine& line : replace) {
            const QString name = NameOf(line.Text);
            if (!line.Text.contains(u'=')) continue;
            const QString folded = name.toCaseFolded();
            if (HasOuterBlanks(name))
                Warn(FConfigFile, line.Number,
                     QStringLiteral("replace-list name \"%1\" has blanks around it: markers never match it")
                         .arg(name));
            if (const auto first = firstLine.find(folded); first != firstLine.end())
                Warn(FConfigFile, line.Number,
                     QStringLiteral("replace-list name \"%1\" is given again (first on line %2): this entry "
                                    "is never used")
                         .arg(name)
                         .arg(first->second));
            else
                firstLine[folded] = line.Number;
        }
        std::map<QString, int> givenNames = firstLine; // with those of the projects' own sections
        FNamesOutputs = headers.count(Tessel::AsciiUpperCase(OutputsSection)) != 0;
        if (FNamesOutputs) FOutputEntries = MadeOutputs();
        LintProjectSections(sections, headers, givenNames);
        const std::vector<TNumberedLine> targetEntries = LintTargetSections(sections, headers, givenNames);
        for (const auto& [section, lines] : sections)
            for (const TNumberedLine& line : lines) {
                for (const QString& argument : StatementArguments(line.Text, QStringLiteral("$REPLACE(")))
                    used[argument.toCaseFolded()] = true;
                for (const QString& argument : StatementArguments(line.Text, QStringLiteral("$INCLUDE(")))
                    CheckPath(line.Number, QStringLiteral("$INCLUDE( path"),
                              ResolvePathAgainst(argument, FDirectory));
            }

        QString inputName;
        int inputLine = 0;
        // A run reads the first InputName.
        for (const TNumberedLine& line : sections[QStringLiteral("GENERAL")]) {
            if (!Tessel::SameAsciiText(NameOf(line.Text), QStringLiteral("InputName"))) continue;
            if (inputLine != 0) {
                Warn(FConfigFile, line.Number,
                     QStringLiteral("InputName is given again (first on line %1): this one is never used")
                         .arg(inputLine));
                continue;
            }
            inputName = ToSlashes(Tessel::KestTrim(line.Text.mid(line.Text.indexOf(u'=') + 1)));
            inputLine = line.Number;
        }
        QString templateFile;
        if (!inputName.isEmpty()) {
            templateFile = CheckPath(inputLine, QStringLiteral("InputName"),
                                     ResolvePathAgainst(WithTemplateExtension(inputName), FDirectory));
            if (!templateFile.isEmpty()) LintTemplate(templateFile, givenNames, used);
        }
        bool templatesRead = !templateFile.isEmpty();
        if (FNamesOutputs)
            templatesRead = LintOutputs(sections[Tessel::AsciiUpperCase(OutputsSection)], givenNames, used);
        for (const TNumberedLine& line : templatesRead ? targetEntries : std::vector<TNumberedLine>()) {
            const QString name = NameOf(line.Text);
            if (!used[name.toCaseFolded()] && !HasOuterBlanks(name))
                Warn(FConfigFile, line.Number,
                     QStringLiteral(
                         "target value \"%1\" is used by no output: no marker or statement names it")
                         .arg(name));
        }
        // Without a template to read nobody can say which entries its markers use.
        for (const TNumberedLine& line : templatesRead ? replace : std::vector<TNumberedLine>()) {
            if (!line.Text.contains(u'=')) continue;
            const QString name = NameOf(line.Text);
            if (firstLine[name.toCaseFolded()] == line.Number && !used[name.toCaseFolded()] &&
                !HasOuterBlanks(name))
                Warn(FConfigFile, line.Number,
                     QStringLiteral("replace-list entry \"%1\" is used by no marker or statement").arg(name));
        }
        // The configuration's warnings first, then the template's, each by line.
        std::stable_sort(FWarnings.begin(), FWarnings.end(), [this](const TWarning& a, const TWarning& b) {
            return a.File != b.File ? a.File == FConfigFile : a.Line < b.Line;
        });
        QStringList result;
        for (const TWarning& w : FWarnings)
            result.append(QStringLiteral("%1:%2: warning: %3").arg(w.File).arg(w.Line).arg(w.Text));
        return result;
    }

private:
    struct TWarning {
        QString File;
        int Line;
        QString Text;
    };

    void Warn(const QString& AFile, int ALine, const QString& AText) {
        FWarnings.push_back({AFile, ALine, AText});
    }

    // The projects' own replace sections and the batch's Skip= list must name projects of the
    // folder; the names those sections give count as given.
    void LintProjectSections(std::map<QString, std::vector<TNumberedLine>>& ASections,
                             const std::map<QString, TNumberedLine>& AHeaders,
                             std::map<QString, int>& AGiven) {
        const QString prefix = Tessel::AsciiUpperCase(ProjectReplaceSection(QString()));
        std::optional<QStringList> projects; // listed when first needed
        const auto isProject = [&](const QString& AName) {
            // A configuration naming outputs has a project for each output.
            if (FNamesOutputs)
                return std::any_of(FOutputEntries.begin(), FOutputEntries.end(), [&](const auto& AEntry) {
                    return Tessel::FileBaseName(AEntry.Path).compare(AName, Qt::CaseInsensitive) == 0;
                });
            if (!projects) {
                try {
                    projects = BatchProjectFiles(FDisk.ListFiles(FDirectory));
                } catch (const Tessel::Exception&) {
                    projects = QStringList();
                }
            }
            return std::any_of(projects->begin(), projects->end(),
                               [&](const QString& AEntry) { return NamesProject({AName}, AEntry); });
        };
        for (const auto& [section, lines] : ASections) {
            if (!section.startsWith(prefix) || lines.empty()) continue;
            const TNumberedLine& header = AHeaders.at(section);
            if (!isProject(header.Text.mid(prefix.size())))
                Warn(FConfigFile, header.Number,
                     QStringLiteral(
                         "section \"%1\" names no Delphi project of the folder: its entries are never used")
                         .arg(header.Text));
            for (const TNumberedLine& line : lines)
                if (line.Text.contains(u'=')) AGiven.emplace(NameOf(line.Text).toCaseFolded(), line.Number);
        }
        for (const TNumberedLine& line : ASections[QStringLiteral("BATCH")]) {
            if (!Tessel::SameAsciiText(NameOf(line.Text), QStringLiteral("Skip"))) continue;
            for (const QString& name : ProjectNameList(line.Text.mid(line.Text.indexOf(u'=') + 1)))
                if (!isProject(name))
                    Warn(FConfigFile, line.Number,
                         QStringLiteral("Skip= names \"%1\", which is no Delphi project of the folder")
                             .arg(name));
        }
    }

    // The outputs a run would make, as a dry run lists them; none when it cannot say.
    std::vector<TWrenfoldEngine::TOutputEntry> MadeOutputs() const {
        TSilentHost host;
        TDryRunDisk disk(FDisk);
        TWrenfoldEngine engine(host, disk);
        try {
            engine.LoadProjectFile(FConfigFile);
        } catch (const Tessel::Exception&) {
            return {}; // the run reports it
        }
        return engine.OutputEntries();
    }

    // The targets' own sections must name listed targets; their names count as given. Returns
    // each target's entries.
    std::vector<TNumberedLine> LintTargetSections(std::map<QString, std::vector<TNumberedLine>>& ASections,
                                                  const std::map<QString, TNumberedLine>& AHeaders,
                                                  std::map<QString, int>& AGiven) {
        const QString prefix = Tessel::AsciiUpperCase(TargetSection(QString()));
        QStringList targets;
        if (AHeaders.count(Tessel::AsciiUpperCase(TargetsSection)))
            for (const TNumberedLine& line : ASections[Tessel::AsciiUpperCase(TargetsSection)])
                targets.append(line.Text);
        std::vector<TNumberedLine> entries;
        for (const auto& [section, lines] : ASections) {
            if (!section.startsWith(prefix)) continue;
            const TNumberedLine& header = AHeaders.at(section);
            if (!targets.contains(header.Text.mid(prefix.size()), Qt::CaseInsensitive))
                Warn(FConfigFile, header.Number,
                     QStringLiteral(
                         "section \"%1\" names no target of section [%2]: its entries are never used")
                         .arg(header.Text, TargetsSection));
            for (const TNumberedLine& line : lines)
                if (line.Text.contains(u'=')) {
                    AGiven.emplace(NameOf(line.Text).toCaseFolded(), line.Number);
                    entries.push_back(line);
                }
        }
        return entries;
    }

    // The outputs' templates (each read once) and the markers of their paths; a file that two
    // targets (or two lines) would both make. False when a template could not be read.
    bool LintOutputs(const std::vector<TNumberedLine>& ALines, const std::map<QString, int>& ANames,
                     std::map<QString, bool>& AUsed) {
        bool allRead = true;
        std::set<QString> linted;
        for (const TNumberedLine& line : ALines) {
            const qsizetype equals = line.Text.indexOf(u'=');
            if (equals < 0) continue; // the run reports it
            const QString path = line.Text.left(equals);
            for (qsizetype at = IndexOfMarker(path, u'P', 0); at >= 0; at = IndexOfMarker(path, u'P', at + 1))
                if (const int close = FindClosingBracket(path, int(at + 4)); close > 0)
                    AUsed[path.mid(at + 3, close - 1 - (at + 3)).toCaseFolded()] = true;
            const QString templateFile =
                CheckPath(line.Number, QStringLiteral("Template"),
                          ResolvePathAgainst(
                              WithTemplateExtension(ToSlashes(Tessel::KestTrim(line.Text.mid(equals + 1)))),
                              FDirectory));
            if (templateFile.isEmpty())
                allRead = false;
            else if (linted.insert(templateFile).second)
                LintTemplate(templateFile, ANames, AUsed);
        }
        std::map<QString, const TWrenfoldEngine::TOutputEntry*> madeBy;
        for (const TWrenfoldEngine::TOutputEntry& entry : FOutputEntries) {
            const auto [first, added] = madeBy.emplace(entry.Path.toCaseFolded(), &entry);
            if (added || entry.Output >= int(ALines.size())) continue;
            Warn(FConfigFile, ALines[entry.Output].Number,
                 QStringLiteral(
                     "output \"%1\" is made again for target \"%2\" (first for \"%3\"): the last one "
                     "made stays")
                     .arg(entry.Shown, entry.Target, first->second->Target));
        }
        return allRead;
    }

    // The file's path; warns when it exists only in another letter case (and gives that one), or
    // not at all (and gives an empty path).
    QString CheckPath(int ALine, const QString& AWhat, const QString& APath) {
        if (FDisk.IsExistingFile(APath)) return APath;
        const QString folder = Tessel::FileFolderPart(APath);
        const QString name = Tessel::FileNamePart(APath);
        QStringList candidates;
        try {
            candidates = FDisk.ListFiles(folder);
        } catch (const Tessel::Exception&) {
        }
        for (const QString& candidate : candidates)
            if (candidate.compare(name, Qt::CaseInsensitive) == 0) {
                Warn(FConfigFile, ALine,
                     QStringLiteral("%1 \"%2\" matches \"%3\" only without regard to case")
                         .arg(AWhat, name, candidate));
                return JoinPath(folder, candidate);
            }
        Warn(FConfigFile, ALine, QStringLiteral("%1 \"%2\" names no file").arg(AWhat, APath));
        return QString();
    }

    void LintTemplate(const QString& ATemplate, const std::map<QString, int>& ANames,
                      std::map<QString, bool>& AUsed) {
        Tessel::TTextFormat format;
        const QStringList lines = Tessel::DecodeTextLines(FDisk.ReadFile(ATemplate), format, ATemplate);
        for (int i = 0; i < lines.size(); ++i) {
            const QString& line = lines[i];
            for (qsizetype at = IndexOfMarker(line, u'P', 0); at >= 0;
                 at = IndexOfMarker(line, u'P', at + 1)) {
                const int close = FindClosingBracket(line, int(at + 4));
                if (close == 0) continue; // the run reports it
                const QString name = line.mid(at + 3, close - 1 - (at + 3));
                AUsed[name.toCaseFolded()] = true;
                if (HasOuterBlanks(name))
                    Warn(ATemplate, i + 1,
                         QStringLiteral("marker \"$P(%1)\" has blanks inside its brackets").arg(name));
                else if (ANames.count(name.toCaseFolded()) == 0)
                    Warn(
                        ATemplate, i + 1,
                        QStringLiteral("marker \"$P(%1)\" names no replace-list entry: it expands to nothing")
                            .arg(name));
            }
        }
    }

    QString FConfigFile;
    QString FDirectory;
    const IProjectDisk& FDisk;
    bool FNamesOutputs = false;
    std::vector<TWrenfoldEngine::TOutputEntry> FOutputEntries;
    std::vector<TWarning> FWarnings;
};

} // namespace

QStringList LintProject(const QString& AConfigFile, const IProjectDisk& ADisk) {
    return TLint(AConfigFile, ADisk).Run();
}

} // namespace Wrenfold
