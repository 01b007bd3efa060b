#include "main/UWrenfoldMain.h"

#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"
#include "Tessel/UKestLibrary/Version.h"
#include "editor/TSynEditor.h"
#include "engine/CommandFailure.h"
#include "engine/DelphiProjectFiles.h"
#include "engine/PathRules.h"
#include "engine/TCancelCapture.h"
#include "main/IconTitleFont.h"
#include "main/TBatchListView.h"
#include "main/TBatchProgress.h"
#include "main/TBottomPanel.h"
#include "main/TElidedLabel.h"
#include "main/TFindBar.h"
#include "main/UHelpFile.h"
#include "main/UWrenfoldMessages.h"
#include "main/WindowKeys.h"
#include "main/WindowLayout.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace Wrenfold {

namespace {

const QString StartText = QStringLiteral("Use 'Open Project' or drag and drop a *.wfmconfig file here...");

QString ProjectCaption(bool AModified) {
    return AModified ? QStringLiteral("&Project (mod)") : QStringLiteral("&Project");
}
QString InputCaption(bool AModified) {
    return AModified ? QStringLiteral("&Input (mod)") : QStringLiteral("&Input");
}
constexpr qint64 FrameMs = 16;

} // namespace

TForm29::TForm29(IWrenfoldPrompter* APrompter, const QStringList& AArguments,
                 std::unique_ptr<QSettings> ASettings, QWidget* AParent)
    : QWidget(AParent), FPrompter(APrompter), FArguments(AArguments),
      FSettings(ASettings ? std::move(ASettings) : TWindowSettings::UserSettings()), FRecent(FSettings),
      FEngine(*this) {
    if (!FPrompter) {
        FOwnPrompter = std::make_unique<TDialogPrompter>(this);
        FPrompter = FOwnPrompter.get();
    }
    setObjectName(QStringLiteral("Form29"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(561, 401);
    setMinimumSize(560, 350);
    CreateDialogs();
    CreateComponents();
    FitTabs();

    connect(&FEngine, &TWrenfoldEngine::CurrentDirectoryChanged, lblFolder, &TElidedLabel::SetText);
    connect(&FEngine, &TWrenfoldEngine::CurrentProjectNameChanged, this, [this](const QString& AName) {
        // During a batch the label follows once per frame, not for every project.
        FPendingProjectName = AName;
        if (!FEngine.IsBatchRunning()) ShowProjectName();
    });
    connect(&FEngine, &TWrenfoldEngine::BatchRunningChanged, this, [this](bool ARunning) {
        // A batch remakes the documents once per project: the tabs not in front catch up when they
        // come to the front, or once when the batch ends.
        // While a batch runs the documents are the batch's: the project text stays what the batch
        // started with, and nothing typed is lost to the next project's reset.
        for (TSynEditor* editor : Editors()) {
            editor->SetHoldWhileHidden(ARunning);
            if (ARunning) FReadOnlyBeforeBatch[editor] = editor->isReadOnly();
            editor->setReadOnly(ARunning || FReadOnlyBeforeBatch.value(editor));
        }
        // The Cancel button stands in Make Batch's place while the batch runs.
        btnCancelBatch->setGeometry(btnMakeBatch->geometry());
        const bool focusOnButton = btnMakeBatch->hasFocus() || btnCancelBatch->hasFocus();
        btnMakeBatch->setVisible(!ARunning);
        btnCancelBatch->setVisible(ARunning);
        if (focusOnButton) (ARunning ? btnCancelBatch : btnMakeBatch)->setFocus();
        ShowProjectName();
        FEventsProcessed.invalidate(); // the first project is shown at once
        UpdateActions();
    });
    // Anything that reloads the Input tab ends the showing of a dropped template.
    connect(&FEngine.synInput, &TTextDocument::Reset, this, [this] { FDroppedInputFile.clear(); });
    connect(&FEngine, &TWrenfoldEngine::ProjectTextLoaded, this, [this] {
        ShowTab(TDocumentTab::Project);
        if (!FLoadingProject.isEmpty()) FRecent.Add(FLoadingProject);
    });
    connect(&FEngine, &TWrenfoldEngine::DroppedInputLoaded, this, [this](const QString& AFileName) {
        ShowTab(TDocumentTab::Input);
        FDroppedInputFile = AFileName;
    });
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TForm29::UpdateActions);

    FEngine.synProject.SetLines({QString(), StartText});
    restoreGeometry(FSettings.Geometry());
    // A place kept from another screen size is fitted to this one, keeping its size where it can.
    if (const QRect normal = FSettings.NormalRect(); normal.isValid() && !isMaximized() && !isFullScreen()) {
        const QScreen* display = QGuiApplication::screenAt(normal.center());
        if (!display) display = QGuiApplication::primaryScreen();
        if (display) setGeometry(FittedWindowRect(normal, display->availableGeometry(), minimumSize()));
    }
    UpdateActions();
}

TForm29::~TForm29() {
    // The editors outlive the engine's documents by a moment; they must not react to them any more.
    for (TSynEditor* editor : Editors())
        editor->Bind(nullptr);
    clbFileList->Bind(nullptr);
    BatchProgress->Bind(nullptr, nullptr);
}

void TForm29::CreateDialogs() {
    const QStringList projectFilters{QStringLiteral("Projects (*.wfmconfig)"),
                                     QStringLiteral("All files (*)")};
    dlgProjectFileOpen.Name = QStringLiteral("dlgProjectFileOpen");
    dlgProjectFileOpen.Kind = TFileDialog::TKind::Open;
    dlgProjectFileOpen.Title = QStringLiteral("Open");
    dlgProjectFileOpen.DefaultExt = QStringLiteral("wfmconfig");
    dlgProjectFileOpen.Filters = projectFilters;
    dlgProjectFileOpen.ShowReadOnly = true;

    dlgProjectFileSave.Name = QStringLiteral("dlgProjectFileSave");
    dlgProjectFileSave.Kind = TFileDialog::TKind::Save;
    dlgProjectFileSave.Title = QStringLiteral("Save As");
    dlgProjectFileSave.DefaultExt = QStringLiteral("wfmconfig");
    dlgProjectFileSave.Filters = projectFilters;

    dlgInputFileSave.Name = QStringLiteral("dlgInputFileSave");
    dlgInputFileSave.Kind = TFileDialog::TKind::Save;
    dlgInputFileSave.Title = QStringLiteral("Save As");
    dlgInputFileSave.DefaultExt = QStringLiteral("wfminput");
    dlgInputFileSave.Filters = {QStringLiteral("Input files (*.wfminput)"), QStringLiteral("All files (*)")};
}

QAction* TForm29::MakeAction(const QString& AName, const QString& ACaption, const QString& AHint,
                             void (TForm29::*AExecute)(), const QKeySequence& AKey) {
    auto* action = new QAction(ACaption, this);
    action->setObjectName(AName);
    action->setShortcut(AKey);
    const QString hint = HintWithKey(AHint, AKey);
    action->setProperty("hint", hint);
    if (!hint.isEmpty()) action->setToolTip(hint);
    if (AExecute) connect(action, &QAction::triggered, this, AExecute);
    addAction(action);
    return action;
}

void TForm29::CreateComponents() {
    actOpenProject = MakeAction(QStringLiteral("actOpenProject"), QStringLiteral("&Open"),
                                QStringLiteral("Opens a config file"), &TForm29::actOpenProjectExecute,
                                QKeySequence(Qt::CTRL | Qt::Key_O));
    // The Save buttons' hints name Ctrl+S, which saves for whichever tab is in front.
    actSaveProject = MakeAction(QStringLiteral("actSaveProject"), QStringLiteral("&Save"),
                                HintWithKey(QString(), SaveKey()), &TForm29::actSaveProjectExecute);
    actSaveProjectAs = MakeAction(QStringLiteral("actSaveProjectAs"), QStringLiteral("Save &As"),
                                  QStringLiteral("Saves a config file"), &TForm29::actSaveProjectAsExecute);
    actMakeDproj = MakeAction(QStringLiteral("actMakeDproj"), QStringLiteral("&Make Dproj"),
                              QStringLiteral("Makes a single dproj file"), &TForm29::actMakeDprojExecute,
                              QKeySequence(Qt::Key_F9));
    actClearLog = MakeAction(QStringLiteral("actClearLog"), QStringLiteral("Cl&ear Log"),
                             QStringLiteral("Clears the log list"), &TForm29::actClearLogExecute);
    actMakeBatch = MakeAction(QStringLiteral("actMakeBatch"), QStringLiteral("&Make Batch"),
                              QStringLiteral("Makes a dproj file for every dpr in the folder"),
                              &TForm29::actMakeBatchExecute, QKeySequence(Qt::SHIFT | Qt::Key_F9));
    actCancelBatch = MakeAction(QStringLiteral("actCancelBatch"), QStringLiteral("Cancel"),
                                QStringLiteral("Stops the batch before its next project"),
                                &TForm29::actCancelBatchExecute, QKeySequence(Qt::Key_Escape));
    actAll = MakeAction(QStringLiteral("actAll"), QStringLiteral("&All"),
                        QStringLiteral("Selects all projects"), &TForm29::actAllExecute);
    actNone = MakeAction(QStringLiteral("actNone"), QStringLiteral("&None"),
                         QStringLiteral("Clears all projects"), &TForm29::actNoneExecute);
    actClose = MakeAction(QStringLiteral("actClose"), QStringLiteral("&Close"),
                          QStringLiteral("Close the utility."), &TForm29::actCloseExecute);
    actSaveInput = MakeAction(QStringLiteral("actSaveInput"), QStringLiteral("&Save"),
                              HintWithKey(QStringLiteral("Saves the input file"), SaveKey()),
                              &TForm29::actSaveInputExecute);
    actSaveInputAs = MakeAction(QStringLiteral("actSaveInputAs"), QStringLiteral("Save &As"), QString(),
                                &TForm29::actSaveInputAsExecute);

    synProject = new TSynEditor;
    synProject->setObjectName(QStringLiteral("synProject"));
    synProject->SetHighlighter(TSynHighlighter::Ini);
    synReplaceList = new TSynEditor;
    synReplaceList->setObjectName(QStringLiteral("synReplaceList"));
    synInput = new TSynEditor;
    synInput->setObjectName(QStringLiteral("synInput"));
    synInput->SetHighlighter(TSynHighlighter::Xml);
    synInput->SetLineNumbers(true);
    synOutput = new TSynEditor;
    synOutput->setObjectName(QStringLiteral("synOutput"));
    synOutput->SetHighlighter(TSynHighlighter::Xml);
    synOutput->SetLineNumbers(true);
    synLog = new TSynEditor;
    synLog->setObjectName(QStringLiteral("synLog"));
    synLog->SetFollowAppends(true);
    synLog->SetUncoloured();
    synProject->Bind(&FEngine.synProject);
    synReplaceList->Bind(&FEngine.synReplaceList);
    synInput->Bind(&FEngine.synInput);
    synOutput->Bind(&FEngine.synOutput);
    synLog->Bind(&FEngine.synLog);
    clbFileList = new TBatchListView;
    clbFileList->setObjectName(QStringLiteral("clbFileList"));
    clbFileList->Bind(&FEngine.clbFileList);

    btnOpenProject = ActionMenuButton(actOpenProject, this);
    auto* recentMenu = new QMenu(btnOpenProject);
    recentMenu->setObjectName(QStringLiteral("RecentProjectsMenu"));
    connect(recentMenu, &QMenu::aboutToShow, this, [this, recentMenu] {
        FRecent.FillMenu(*recentMenu, [this](const QString& AFileName) { OpenRecentProject(AFileName); });
    });
    btnOpenProject->setMenu(recentMenu);

    // Each caption's accelerator is unique among the tabs, the bottom panel and its own tab's buttons.
    PageControl = new TPageControl(this);
    PageControl->addTab(TabPage(synProject, ButtonStrip({{8, 73, btnOpenProject},
                                                         {101, 65, ActionButton(actSaveProject, this)},
                                                         {192, 65, ActionButton(actSaveProjectAs, this)},
                                                         {328, 177, ActionButton(actMakeDproj, this)}})),
                        QStringLiteral("&Project"));
    PageControl->addTab(TabPage(synReplaceList, nullptr), QStringLiteral("&Replace List"));
    PageControl->addTab(TabPage(synInput, ButtonStrip({{101, 65, ActionButton(actSaveInput, this)},
                                                       {192, 65, ActionButton(actSaveInputAs, this)}})),
                        QStringLiteral("&Input"));
    PageControl->addTab(TabPage(synOutput, nullptr), QStringLiteral("O&utput"));
    PageControl->addTab(TabPage(synLog, ButtonStrip({{16, 105, ActionButton(actClearLog, this)}})),
                        QStringLiteral("&Log"));
    btnMakeBatch = ActionButton(actMakeBatch, this);
    PageControl->addTab(TabPage(clbFileList, ButtonStrip({{16, 105, btnMakeBatch},
                                                          {248, 65, ActionButton(actAll, this)},
                                                          {336, 73, ActionButton(actNone, this)}})),
                        QStringLiteral("&Batch"));
    PageControl->SetCaptionVariants({ProjectCaption(true), InputCaption(true)});
    btnCancelBatch = ActionButton(actCancelBatch, btnMakeBatch->parentWidget());
    btnCancelBatch->hide();
    QSizePolicy keepsItsPlace = btnMakeBatch->sizePolicy();
    keepsItsPlace.setRetainSizeWhenHidden(true);
    btnMakeBatch->setSizePolicy(keepsItsPlace);
    FindBar = new TFindBar(this);
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { FindBar->SetEditor(CurrentEditor()); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* pageHolder = new QVBoxLayout;
    pageHolder->setContentsMargins(3, 3, 3, 3);
    pageHolder->addWidget(PageControl);
    layout->addLayout(pageHolder, 1);
    layout->addWidget(FindBar);
    auto* panel = new TBottomPanel(actClose, this);
    lblProjectName = panel->lblProjectName;
    lblFolder = panel->lblFolder;
    BatchProgress = panel->BatchProgress;
    BatchProgress->Bind(&FEngine, clbFileList);
    btnHelp = panel->btnHelp;
    btnHelp->setToolTip(HintWithKey(QString(), HelpKey()));
    connect(btnHelp, &QPushButton::clicked, this, &TForm29::btnHelpClick);
    layout->addWidget(panel);
    AddWindowKeys(*this);
    FindBar->SetEditor(CurrentEditor());
}

// --- What the engine needs of a user -------------------------------------------------------

// A box or question stops the command until it is answered: what the documents hold by then is
// on screen first, the log's last lines included.
bool TForm29::AskYesNo(const QString& AMessage) {
    CatchUpViews();
    return FPrompter->AskYesNo(AMessage);
}

void TForm29::ShowErrorBox(const QString& AMessage) {
    CatchUpViews();
    FPrompter->ShowMessage(TMessageKind::Error, QStringLiteral("Error"), AMessage);
}

void TForm29::ShowInfoBox(const QString& AMessage) {
    CatchUpViews();
    FPrompter->ShowMessage(TMessageKind::Information, QStringLiteral("Information"), AMessage);
}

void TForm29::ShowPlainBox(const QString& AMessage) {
    CatchUpViews();
    FPrompter->ShowMessage(TMessageKind::Plain, ProgramTitle(), AMessage);
}

void TForm29::ShowProjectName() {
    if (FPendingProjectName) lblProjectName->setText(*std::exchange(FPendingProjectName, std::nullopt));
}

void TForm29::CatchUpViews() {
    ShowProjectName();
    for (TSynEditor* editor : Editors())
        editor->CatchUp();
}

std::array<TSynEditor*, 5> TForm29::Editors() const {
    return {synProject, synReplaceList, synInput, synOutput, synLog};
}

void TForm29::ShowTab(TDocumentTab ATab) {
    PageControl->setCurrentIndex(int(ATab));
}

TSynEditor* TForm29::CurrentEditor() const {
    const auto editors = Editors();
    const int tab = PageControl->currentIndex();
    return tab >= 0 && tab < int(editors.size()) ? editors[tab] : nullptr;
}

void TForm29::ProcessPendingEvents() {
    // Projects of a batch follow each other far faster than a screen refreshes: input is handled and
    // the window repainted once per frame, not after every project.
    if (FEventsProcessed.isValid() && FEventsProcessed.elapsed() < FrameMs) return;
    ShowProjectName();
    QCoreApplication::processEvents();
    FEventsProcessed.start();
}

void TForm29::SaveProjectIfModified() {
    TTextDocument& project = FEngine.synProject;
    if (!project.Modified() || !AskYesNo(QStringLiteral("Project has been modified. Save it now?"))) return;
    const QString& folder = FEngine.CurrentDirectory();
    const QString& name = FEngine.CurrentProjectName();
    if (!folder.isEmpty() && !name.isEmpty())
        project.SaveToFile(JoinPath(folder, name + ConfigExtension));
    else if (!SaveProjectAs())
        return; // nothing was saved, so the text keeps its mark
    project.SetModified(false);
}

// --- The window's own operations -----------------------------------------------------------

bool TForm29::SaveProjectAs() {
    dlgProjectFileSave.InitialDir = FEngine.CurrentDirectory();
    dlgProjectFileSave.FileName = FEngine.CurrentProjectName();
    if (!ExecuteDialog(dlgProjectFileSave)) return false;
    FEngine.synProject.SaveToFile(dlgProjectFileSave.FileName);
    if (AskYesNo(QStringLiteral("You have just saved to another directory. Switch to this directory now?")))
        FEngine.SetCurrentDirectory(Tessel::FileFolderPart(dlgProjectFileSave.FileName));
    return true;
}

void TForm29::SaveInputIfModified() {
    TTextDocument& input = FEngine.synInput;
    if (!input.Modified()) return;
    // A dropped template is saved back to its own file, never over the project's template.
    const QString fileName = !FDroppedInputFile.isEmpty() ? FDroppedInputFile : FEngine.GetInputFileName();
    // The question names the file, so that it is not taken for the project's question that may follow.
    if (!AskYesNo(fileName.isEmpty() ? QStringLiteral("Input has been modified. Save it now?")
                                     : QStringLiteral("Input \"%1\" has been modified. Save it now?")
                                           .arg(Tessel::FileNamePart(fileName))))
        return;
    if (!fileName.isEmpty())
        input.SaveToFile(fileName);
    else if (!SaveInputAs())
        return;
    input.SetModified(false);
}

bool TForm29::SaveInputAs() {
    dlgInputFileSave.InitialDir = FEngine.CurrentDirectory();
    dlgInputFileSave.FileName = Tessel::FileNamePart(FEngine.GetInputFileName());
    if (!ExecuteDialog(dlgInputFileSave)) return false;
    FEngine.synInput.SaveToFile(dlgInputFileSave.FileName);
    return true;
}

void TForm29::DropFiles(const QStringList& AFileNames) {
    RunReportingFailure(
        [&] {
            if (AFileNames.size() != 1)
                throw Tessel::Exception(QStringLiteral("Only one file can be dropped on to this form"));
            const QString& fileName = AFileNames.constFirst();
            const QString extension = Tessel::FileExtension(fileName);
            if (Tessel::SameAsciiText(extension, ConfigExtension)) {
                SaveProjectIfModified();
                SaveInputIfModified();
                LoadProject(fileName);
            } else if (Tessel::SameAsciiText(extension, TemplateExtension)) {
                SaveInputIfModified();
                FEngine.LoadDroppedInputFile(fileName);
            } else {
                throw Tessel::Exception(QStringLiteral("Wrenfold does not recognise this file type"));
            }
        },
        [this](const QString& AMessage) { FEngine.ReportError(AMessage); });
}

bool TForm29::CloseQuery() {
    SaveProjectIfModified();
    SaveInputIfModified();
    return AskYesNo(QStringLiteral("Close program?"));
}

void TForm29::UpdateActions() {
    const bool idle = !FEngine.IsBatchRunning();
    const TTextDocument& project = FEngine.synProject;
    const bool allProjects = IsAllProjects(FEngine.CurrentProjectName());
    const std::pair<QAction*, bool> states[] = {
        {actOpenProject, true},
        {actSaveProject, project.Modified()},
        {actSaveProjectAs, true},
        {actMakeDproj, project.Count() > 0 && !project.Line(0).isEmpty() && !allProjects},
        {actClearLog, true},
        {actMakeBatch, FEngine.clbFileList.AnyChecked()},
        {actAll, true},
        {actNone, true},
        {actClose, true},
        {actSaveInput, FEngine.synInput.Modified()},
        {actSaveInputAs, true},
    };
    for (const auto& [action, enabled] : states)
        action->setEnabled(idle && enabled);
    actCancelBatch->setEnabled(!idle);
    for (QAction* action : {actSave, actHelp, actFind, actFindNext, actFindPrevious, actReplace})
        action->setEnabled(idle);
    btnHelp->setEnabled(idle);
    clbFileList->setEnabled(idle);
    FindBar->setEnabled(idle);
    FindBar->SetEditor(CurrentEditor()); // the editor may have become read-only
    const QString projectCaption = ProjectCaption(project.Modified());
    const QString inputCaption = InputCaption(FEngine.synInput.Modified());
    if (PageControl->tabText(int(TDocumentTab::Project)) != projectCaption)
        PageControl->setTabText(int(TDocumentTab::Project), projectCaption);
    if (PageControl->tabText(int(TDocumentTab::Input)) != inputCaption)
        PageControl->setTabText(int(TDocumentTab::Input), inputCaption);
    // The Input tab names the template it holds (a dropped one need not be the project's).
    const QString inputFile = !FDroppedInputFile.isEmpty() ? FDroppedInputFile : FEngine.InputFileName();
    const QString inputHint = inputFile.isEmpty() ? QString() : QDir::toNativeSeparators(inputFile);
    if (PageControl->tabToolTip(int(TDocumentTab::Input)) != inputHint)
        PageControl->setTabToolTip(int(TDocumentTab::Input), inputHint);
}

// --- Start, close and drops ----------------------------------------------------------------

void TForm29::showEvent(QShowEvent* AEvent) {
    QWidget::showEvent(AEvent);
    if (FShownOnce) return;
    FShownOnce = true;
    FormShow();
}

void TForm29::FitTabs() {
    // The designed size holds where the font lets all six tabs fit; a wider font widens the window.
    const int width = std::max(560, PageControl->TabsWidth() + 2 * 3 + 4);
    setMinimumSize(width, 350);
    if (this->width() < width) resize(width, height());
}

void TForm29::FormShow() {
    setWindowTitle(Tessel::VersionCaption());
    QFont windowFont = font();
    SetIconTitleFont(windowFont);
    setFont(windowFont);
    FitTabs();
    FEngine.ClearOutput();
    // With a project to open, the tab in front when the window last closed; without one, the
    // project's, where the start hint stands.
    const QString firstArgument = FArguments.value(1);
    const bool projectGiven = !firstArgument.isEmpty() && QFileInfo(firstArgument).isFile();
    const int lastTab = FSettings.LastTab();
    ShowTab(projectGiven && lastTab >= 0 && lastTab < PageControl->count() ? TDocumentTab(lastTab)
                                                                           : TDocumentTab::Project);
    setAcceptDrops(true);
    if (projectGiven)
        // Relative to the folder the program was started in, which is not the project's folder.
        Guarded([&] { LoadProject(QFileInfo(firstArgument).absoluteFilePath()); });
    UpdateActions();
}

void TForm29::closeEvent(QCloseEvent* AEvent) {
    // A batch in progress keeps the window, as the batch still works on its documents: the close box
    // asks to stop it, and on Yes the window closes once it has stopped (asking only to save).
    bool allowed = false;
    if (FEngine.IsBatchRunning()) {
        Guarded([&] { FCloseAfterBatch = RequestCancel(); });
    } else if (std::exchange(FCloseAfterBatch, false)) {
        Guarded([&] {
            SaveProjectIfModified();
            SaveInputIfModified();
            allowed = true;
        });
    } else {
        Guarded([&] { allowed = CloseQuery(); });
    }
    if (allowed) {
        SaveWindowState();
        AEvent->accept();
    } else {
        AEvent->ignore();
    }
}

void TForm29::SaveWindowState() {
    FSettings.SetGeometry(saveGeometry());
    FSettings.SetNormalRect(normalGeometry());
    FSettings.SetLastTab(PageControl->currentIndex());
    FSettings.Sync();
}

void TForm29::dragEnterEvent(QDragEnterEvent* AEvent) {
    if (AEvent->mimeData()->hasUrls() && !FEngine.IsBatchRunning())
        AEvent->acceptProposedAction();
    else
        AEvent->ignore();
}

void TForm29::dragMoveEvent(QDragMoveEvent* AEvent) {
    if (AEvent->mimeData()->hasUrls() && !FEngine.IsBatchRunning())
        AEvent->acceptProposedAction();
    else
        AEvent->ignore();
}

void TForm29::dropEvent(QDropEvent* AEvent) {
    if (!AEvent->mimeData()->hasUrls() || FEngine.IsBatchRunning()) {
        AEvent->ignore();
        return;
    }
    QStringList fileNames;
    for (const QUrl& url : AEvent->mimeData()->urls())
        fileNames.append(url.isLocalFile() ? url.toLocalFile() : url.toString());
    AEvent->acceptProposedAction();
    DropFiles(fileNames);
}

// --- Commands ------------------------------------------------------------------------------

bool TForm29::ExecuteDialog(TFileDialog& ADialog) {
    if (ADialog.InitialDir.isEmpty()) ADialog.InitialDir = FSettings.DialogFolder(ADialog.Name);
    if (!FPrompter->Execute(ADialog)) return false;
    FSettings.SetDialogFolder(ADialog.Name, QFileInfo(ADialog.FileName).absolutePath());
    return true;
}

void TForm29::LoadProject(const QString& AFileName) {
    FLoadingProject = AFileName;
    const auto done = qScopeGuard([this] { FLoadingProject.clear(); });
    FEngine.LoadProjectFile(AFileName);
}

void TForm29::OpenRecentProject(const QString& AFileName) {
    Guarded([&] {
        if (!QFileInfo(AFileName).isFile()) {
            FRecent.Remove(AFileName);
            ShowInfoBox(
                QStringLiteral("Project file not found \"%1\". It has been removed from the recent projects.")
                    .arg(QDir::toNativeSeparators(AFileName)));
            return;
        }
        SaveProjectIfModified();
        SaveInputIfModified();
        synProject->setReadOnly(false);
        LoadProject(AFileName);
    });
}

bool TForm29::Guarded(const std::function<void()>& ACommand) {
    return RunReportingFailure(ACommand, [this](const QString& AMessage) { ShowApplicationError(AMessage); });
}

void TForm29::ShowApplicationError(const QString& AMessage) {
    FPrompter->ShowMessage(TMessageKind::Error, ProgramTitle(), ApplicationErrorText(AMessage));
}

void TForm29::actOpenProjectExecute() {
    Guarded([this] {
        dlgProjectFileOpen.InitialDir = FEngine.CurrentDirectory();
        if (!ExecuteDialog(dlgProjectFileOpen)) return;
        // The open text is offered for saving before another project replaces it.
        SaveProjectIfModified();
        SaveInputIfModified();
        synProject->setReadOnly(dlgProjectFileOpen.ReadOnlyChecked);
        LoadProject(dlgProjectFileOpen.FileName);
    });
}

void TForm29::actSaveProjectExecute() {
    Guarded([this] { SaveProjectIfModified(); });
}

void TForm29::actSaveProjectAsExecute() {
    Guarded([this] { SaveProjectAs(); });
}

void TForm29::actMakeDprojExecute() {
    Guarded([this] {
        // The run reloads the template from disk; edits made to it are offered for saving first.
        SaveInputIfModified();
        FEngine.MakeDprojCommand();
    });
}

void TForm29::actClearLogExecute() {
    FEngine.synLog.Empty();
}

void TForm29::actMakeBatchExecute() {
    Guarded([this] {
        SaveInputIfModified();
        // While the batch runs the library's question to stop it comes through the prompter.
        const TCancelCapture capture(QStringLiteral("Cancel the batch?"));
        Tessel::TConfirmHook previousHook =
            std::exchange(Tessel::ConfirmHook, [this](const QString& AText, int32_t, bool ADefaultYes) {
                CatchUpViews();
                return ADefaultYes ? FPrompter->AskYesNo(AText) : FPrompter->AskYesNoDefaultNo(AText);
            });
        const auto restoreHook = qScopeGuard([&] { Tessel::ConfirmHook = std::move(previousHook); });
        FEngine.MakeBatchCommand();
    });
    if (FCloseAfterBatch) close();
}

void TForm29::actCancelBatchExecute() {
    Guarded([] { RequestCancel(); });
}

void TForm29::actAllExecute() {
    FEngine.clbFileList.SetAllChecked(true);
}

void TForm29::actNoneExecute() {
    FEngine.clbFileList.SetAllChecked(false);
}

void TForm29::actCloseExecute() {
    close();
}

void TForm29::actSaveInputExecute() {
    Guarded([this] { SaveInputIfModified(); });
}

void TForm29::actSaveInputAsExecute() {
    Guarded([this] { SaveInputAs(); });
}

void TForm29::btnHelpClick() {
    Guarded([this] { ShowHelpFile(HelpFileName, *FPrompter); });
}

} // namespace Wrenfold
