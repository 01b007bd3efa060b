// The main window TForm29: the documents' editors, the commands, the save prompts and dialogs, and
// files dropped on it. A thin view over the generation engine, which it hosts.
#pragma once

#include "engine/IWrenfoldHost.h"
#include "engine/TWrenfoldEngine.h"
#include "main/IWrenfoldPrompter.h"
#include "main/TElidedLabel.h"
#include "main/TFileDialog.h"
#include "main/TRecentProjects.h"
#include "main/TWindowSettings.h"
#include "main/WindowLayout.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QKeySequence>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QPushButton;
#include <QSettings>
class QToolButton;

namespace Wrenfold {

// The window's tabs, in the order they stand.
enum class TDocumentTab { Project, ReplaceList, Input, Output, Log, Batch };

class TBatchListView;
class TBatchProgress;
class TFindBar;

class TSynEditor;

class TForm29 : public QWidget, public IWrenfoldHost {
    Q_OBJECT
public:
    // APrompter takes every question and dialog (real dialogs when null); AArguments is the command
    // line, the program first; ASettings is where the window remembers its state between runs (the
    // user's settings file when null).
    explicit TForm29(IWrenfoldPrompter* APrompter = nullptr,
                     const QStringList& AArguments = QCoreApplication::arguments(),
                     std::unique_ptr<QSettings> ASettings = nullptr, QWidget* AParent = nullptr);
    ~TForm29() override;

    TWrenfoldEngine& Engine() { return FEngine; }

    // What the engine needs of a user.
    bool AskYesNo(const QString& AMessage) override;
    void ShowErrorBox(const QString& AMessage) override;
    void ShowInfoBox(const QString& AMessage) override;
    void ShowPlainBox(const QString& AMessage) override;
    void SaveProjectIfModified() override;
    void ProcessPendingEvents() override;

    // The window's own operations; failures are raised to the caller.
    void ShowTab(TDocumentTab ATab);
    // The editor of the tab in front; null for the Batch tab.
    TSynEditor* CurrentEditor() const;
    // Opens a project from the recent projects; one that no longer exists leaves the list with a notice.
    void OpenRecentProject(const QString& AFileName);
    void SaveInputIfModified();
    bool SaveProjectAs(); // false when the dialog was cancelled
    bool SaveInputAs();
    void DropFiles(const QStringList& AFileNames); // reports its failures in the log and an error box
    bool CloseQuery();
    // Keeps the window wide enough for all six tabs in the current font.
    void FitTabs();
    // Enable states and tab captions, refreshed whenever the event loop goes idle.
    void UpdateActions();

    // Components.
    TPageControl* PageControl = nullptr;
    TSynEditor *synProject = nullptr, *synReplaceList = nullptr, *synInput = nullptr, *synOutput = nullptr,
               *synLog = nullptr;
    TBatchListView* clbFileList = nullptr;
    QLabel* lblProjectName = nullptr;
    TElidedLabel* lblFolder = nullptr;
    QAction *actOpenProject = nullptr, *actSaveProject = nullptr, *actSaveProjectAs = nullptr,
            *actMakeDproj = nullptr, *actClearLog = nullptr, *actMakeBatch = nullptr, *actAll = nullptr,
            *actNone = nullptr, *actClose = nullptr, *actSaveInput = nullptr, *actSaveInputAs = nullptr;
    // While a batch runs, Esc and the Cancel button in Make Batch's place ask to stop it.
    QAction* actCancelBatch = nullptr;
    QPushButton *btnMakeBatch = nullptr, *btnCancelBatch = nullptr;
    // Keys without a button of their own: Save for the tab in front, Help, the tabs in turn, find.
    QAction *actSave = nullptr, *actHelp = nullptr, *actNextTab = nullptr, *actPreviousTab = nullptr,
            *actFind = nullptr, *actFindNext = nullptr, *actFindPrevious = nullptr, *actReplace = nullptr;
    QPushButton* btnHelp = nullptr;
    QToolButton* btnOpenProject = nullptr; // a click opens the dialog, its menu the recent projects
    TFindBar* FindBar = nullptr;
    TBatchProgress* BatchProgress = nullptr;
    TFileDialog dlgProjectFileOpen, dlgProjectFileSave, dlgInputFileSave;

protected:
    void showEvent(QShowEvent* AEvent) override;
    void closeEvent(QCloseEvent* AEvent) override;
    void dragEnterEvent(QDragEnterEvent* AEvent) override;
    void dragMoveEvent(QDragMoveEvent* AEvent) override;
    void dropEvent(QDropEvent* AEvent) override;

private:
    void CreateComponents();
    void CreateDialogs();
    QAction* MakeAction(const QString& AName, const QString& ACaption, const QString& AHint,
                        void (TForm29::*AExecute)(), const QKeySequence& AKey = {});
    void FormShow();
    // Shows a file dialog, starting where it was last used when the command gives no folder.
    bool ExecuteDialog(TFileDialog& ADialog);
    // Loads a project file and puts it first among the recent projects.
    void LoadProject(const QString& AFileName);
    void SaveWindowState();
    // The five editors in the order of their tabs.
    std::array<TSynEditor*, 5> Editors() const;
    // Brings the views up to the engine: every editor to its document (appended lines gathered,
    // texts held while hidden) and the label to the project's name.
    void CatchUpViews();
    void ShowProjectName();

    void actOpenProjectExecute();
    void actSaveProjectExecute();
    void actSaveProjectAsExecute();
    void actMakeDprojExecute();
    void actClearLogExecute();
    void actMakeBatchExecute();
    void actCancelBatchExecute();
    void actAllExecute();
    void actNoneExecute();
    void actCloseExecute();
    void actSaveInputExecute();
    void actSaveInputAsExecute();
    void btnHelpClick();

    // Runs a command; a failure leaving it goes to the application's general error box.
    bool Guarded(const std::function<void()>& ACommand);
    void ShowApplicationError(const QString& AMessage);

    std::unique_ptr<IWrenfoldPrompter> FOwnPrompter;
    IWrenfoldPrompter* FPrompter;
    QStringList FArguments;
    TWindowSettings FSettings;
    TRecentProjects FRecent;
    TWrenfoldEngine FEngine;
    QString FLoadingProject; // the project file being loaded
    bool FShownOnce = false;
    QElapsedTimer FEventsProcessed;             // when a batch last let the window handle its events
    std::optional<QString> FPendingProjectName; // named by the engine, not yet on the label
    // The template dropped on the window while the Input tab still shows it.
    QString FDroppedInputFile;
    QHash<TSynEditor*, bool> FReadOnlyBeforeBatch; // each editor's own read-only state during a batch
    bool FCloseAfterBatch = false; // the close box stopped the batch: the window closes when it has
};

} // namespace Wrenfold
