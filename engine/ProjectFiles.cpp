// The project configuration, the input template and the output file, and the two properties that
// tie them together: the current folder and the current project name.
#include "engine/PathRules.h"
#include "engine/TWrenfoldEngine.h"

#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"

#include "Tessel/UKestIniFiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace Wrenfold {

namespace {

const QString AllProjectsName = QStringLiteral("AllProjects");

bool IsAllProjects(const QString& AName) { return Tessel::SameAsciiText(AName, AllProjectsName); }


} // namespace

void TWrenfoldEngine::SetCurrentDirectory(const QString& AValue) {
    Log(QStringLiteral("Set current directory \"%1\"").arg(AValue));
    FCurrentDirectory = AValue;
    emit CurrentDirectoryChanged(AValue);
    FillBatchList();
}

void TWrenfoldEngine::SetCurrentProjectName(const QString& AValue) {
    Log(QString());
    Log(QStringLiteral("Set current project name \"%1\"").arg(AValue));
    FCurrentProjectName = AValue;
    emit CurrentProjectNameChanged(AValue);
}

void TWrenfoldEngine::FillBatchList() {
    clbFileList.Clear();
    const QFileInfo info(FCurrentDirectory);
    if (FCurrentDirectory.isEmpty() || !info.isDir())
        throw Tessel::Exception(QStringLiteral("Cannot list folder \"%1\". No such folder").arg(FCurrentDirectory));
    if (!info.isReadable() || !info.isExecutable())
        throw Tessel::Exception(QStringLiteral("Cannot list folder \"%1\". Permission denied").arg(FCurrentDirectory));
    const QDir folder(FCurrentDirectory);
    // Listings have no order of their own here; sort by name without regard to case.
    QStringList projects;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        if (Tessel::SameAsciiText(Tessel::FileExtension(file.fileName()), QStringLiteral(".DPR"))) projects.append(file.fileName());
    std::sort(projects.begin(), projects.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    clbFileList.SetEntries(projects);
    // While a project is being opened, the notice follows that project rather than the previous one.
    if (IsAllProjects(FOpeningProjectName.value_or(FCurrentProjectName)) && clbFileList.Count() > 0)
        FHost.ShowInfoBox(QStringLiteral("%1 Delphi projects found. These are listed in the batch tab if required.")
                              .arg(clbFileList.Count()));
}

void TWrenfoldEngine::LoadProjectFile(const QString& AFileName) {
    Log(QStringLiteral("Load project file \"%1\"").arg(AFileName));
    FOpeningProjectName = Tessel::FileBaseName(AFileName);
    struct TOpeningDone {
        std::optional<QString>& Name;
        ~TOpeningDone() { Name.reset(); }
    } openingDone{FOpeningProjectName};
    SetCurrentDirectory(Tessel::FileFolderPart(AFileName));
    synProject.LoadFromFile(AFileName);
    FHost.ShowTab(TDocumentTab::Project);
    SetCurrentProjectName(Tessel::FileBaseName(AFileName));
    LoadInputFromProject();
}

Tessel::TKestMemIniFile& TWrenfoldEngine::ProjectIniFile() const {
    // A batch reads the same project text for every project: parse it only when it changed.
    if (!FProjectIniFile || synProject.Lines() != FProjectIniLines) {
        auto iniFile = std::make_unique<Tessel::TKestMemIniFile>(QString(), true);
        iniFile->SetStrings(synProject.Lines());
        FProjectIniFile = std::move(iniFile);
        FProjectIniLines = synProject.Lines();
    }
    return *FProjectIniFile;
}

QString TWrenfoldEngine::GetInputFileName() const {
    QString name =
        ToSlashes(ProjectIniFile().ReadString(QStringLiteral("General"), QStringLiteral("InputName"), QString()));
    if (name.isEmpty()) return QString();
    if (!Tessel::FileNamePart(name).contains(u'.')) name += QStringLiteral(".wfmInput");
    return ResolvePath(name);
}

void TWrenfoldEngine::LoadInputFromProject() {
    const QString fileName = GetInputFileName();
    if (fileName.isEmpty()) throw Tessel::Exception(QStringLiteral("Missing InputName= declaration in project"));
    if (!IsExistingFile(fileName))
        throw Tessel::Exception(QStringLiteral("Input file not found \"%1\"").arg(fileName));
    LoadInputFile(fileName);
}

void TWrenfoldEngine::LoadInputFile(const QString& AFileName) {
    Log(QStringLiteral("Load input file \"%1\"").arg(AFileName));
    synInput.LoadFromFile(AFileName);
}

QString TWrenfoldEngine::GetOutputFileName() const {
    if (FCurrentDirectory.isEmpty() || FCurrentProjectName.isEmpty()) return QString();
    return JoinPath(FCurrentDirectory, FCurrentProjectName + QStringLiteral(".dproj"));
}

void TWrenfoldEngine::WriteOutputFile() {
    const QString fileName = GetOutputFileName();
    if (fileName.isEmpty()) return;
    // The output takes the template's encoding and byte-order mark, with CR LF between lines.
    const Tessel::TTextFormat format{synInput.Format().Encoding, Tessel::TLineBreakStyle::CRLF};
    Tessel::TUnencodableChar unencodable;
    if (Tessel::FindUnencodableChar(synOutput.Lines(), format.Encoding, unencodable))
        throw Tessel::Exception(QStringLiteral("Output line %1 holds \"%2\", which the template's encoding (%3) "
                                               "cannot hold: save the template as %4")
                                    .arg(unencodable.Line + 1)
                                    .arg(unencodable.Character, Tessel::EncodingName(format.Encoding),
                                         format.Encoding == Tessel::TTextEncoding::Ansi
                                             ? QStringLiteral("UTF-8")
                                             : QStringLiteral("UTF-16")));
    // Output can always be made again, so it is not flushed to disk file by file; it still
    // replaces the old file only once completely written.
    Tessel::WriteTextFile(fileName, synOutput.Lines(), format, Tessel::TWriteDurability::Replaced);
    Log(QStringLiteral("Dproj output file written \"%1\"").arg(fileName));
}

} // namespace Wrenfold
