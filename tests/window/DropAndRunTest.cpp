// Dropping files on the window, and Make Dproj and Make Batch run from it on real folders.
#include "main/TBatchProgress.h"
#include "main/TFindBar.h"
#include "main/UWrenfoldMessages.h"
#include "window/WindowFixture.h"

#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

using namespace Wrenfold;

namespace {

class DropAndRun : public WindowFixture {};

// Sends the drag and the drop a desktop would send.
void DropOn(QWidget* AWindow, const QStringList& AFileNames) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& name : AFileNames)
        urls.append(QUrl::fromLocalFile(name));
    data.setUrls(urls);
    data.setText(AFileNames.join(QLatin1Char('\n'))); // desktops offer the paths as text too
    const QPointF at(20, 20);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(AWindow, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(AWindow, &drop);
}

} // namespace

TEST_F(DropAndRun, DroppingFiles) {
    Write(QStringLiteral("P/PROJECT.WFMCONFIG"), "[General]\nInputName=App\n[Replace]\nName=Drop\n");
    Write(QStringLiteral("P/App.wfmInput"), AppTemplate);
    const QString other = Write(QStringLiteral("T/Other.wfminput"), "<Other/>");
    const QString text = Write(QStringLiteral("T/readme.txt"), "x");
    const QString bare = Write(QStringLiteral("T/Makefile"), "x");
    Show();

    struct Case {
        const char* Name;
        QStringList Files;
        QString Error; // empty when the drop loads something
    };
    const Case cases[] = {
        {"two files", {other, text}, "Only one file can be dropped on to this form"},
        {"unknown extension", {text}, "Wrenfold does not recognise this file type"},
        {"no extension", {bare}, "Wrenfold does not recognise this file type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Prompter.Boxes.clear();
        DropOn(Form.get(), c.Files);
        EXPECT_EQ(QStringLiteral("***Error: \"%1\"").arg(c.Error), LogLines().last());
        ASSERT_EQ(1, Prompter.Boxes.size());
        EXPECT_EQ(QStringLiteral("Error"), Prompter.Boxes[0].Caption);
        EXPECT_EQ(c.Error, Prompter.Boxes[0].Text);
        EXPECT_EQ(QStringLiteral("No project name"), Form->lblProjectName->text());
    }

    // A project, whatever the letter case of its extension, loads as Open would load it; dropped on
    // an editor it still goes to the window, and the path is not typed into the text.
    Prompter.Boxes.clear();
    DropOn(Form->synProject->viewport(), {Path("P/PROJECT.WFMCONFIG")});
    EXPECT_TRUE(Prompter.Boxes.isEmpty());
    EXPECT_EQ(QStringLiteral("PROJECT"), Form->lblProjectName->text());
    EXPECT_EQ(Path("P"), Form->lblFolder->text());
    EXPECT_EQ(int(TDocumentTab::Project), Form->PageControl->currentIndex());
    EXPECT_FALSE(Form->Engine().synProject.Modified());

    // A template shows in the Input tab; the project keeps naming its own.
    DropOn(Form.get(), {other});
    EXPECT_EQ(QStringList{"<Other/>"}, Form->synInput->EditorLines());
    EXPECT_EQ(int(TDocumentTab::Input), Form->PageControl->currentIndex());
    EXPECT_EQ(Path("P/App.wfmInput"), Form->Engine().GetInputFileName());

    // Its edits are saved to its own file, never over the project's template.
    TypeInto(Form->synInput, QStringLiteral("<!-- edited -->"));
    Prompter.Answers = {true};
    Click("btnSaveInput");
    EXPECT_EQ(QByteArray("<!-- edited --><Other/>"), Read(other));
    EXPECT_EQ(QByteArray(AppTemplate), Read(Path("P/App.wfmInput")));

    // Once a run has reloaded the project's template, Save writes that one again.
    Click("btnMakeDproj");
    TypeInto(Form->synInput, QStringLiteral("<!-- run -->\n"));
    Prompter.Answers = {true};
    Click("btnSaveInput");
    EXPECT_EQ(QByteArray("<!-- run -->\n") + AppTemplate, Read(Path("P/App.wfmInput")));
}

TEST_F(DropAndRun, MakeDprojFromTheWindow) {
    const QString project = WriteAppProject();
    Show();
    OpenProject(project, true);
    const TFileDialog& shown = Prompter.DialogsShown.last();
    EXPECT_EQ(TFileDialog::TKind::Open, shown.Kind);
    EXPECT_TRUE(shown.ShowReadOnly);
    EXPECT_EQ(QStringLiteral("wfmconfig"), shown.DefaultExt);
    EXPECT_EQ(QString(), shown.InitialDir);
    EXPECT_TRUE(Form->synProject->isReadOnly());
    ASSERT_TRUE(Button("btnMakeDproj")->isEnabled());

    // Unsaved template edits are offered for saving before the run reloads the template.
    TypeInto(Form->synInput, QStringLiteral("<!-- $P(Name) -->\n"));
    Prompter.Answers = {true};
    Click("btnMakeDproj");
    EXPECT_EQ(QStringList{"Input \"App.wfmInput\" has been modified. Save it now?"}, Prompter.Questions);
    EXPECT_EQ(QByteArray("<!-- Hello -->\n<Project>\n  <Name>Hello</Name>\n</Project>\n"),
              Read(Path("P/App.dproj")));
    ASSERT_EQ(1, Prompter.Boxes.size());
    EXPECT_EQ(TMessageKind::Information, Prompter.Boxes[0].Kind);
    EXPECT_EQ(QStringLiteral("Information"), Prompter.Boxes[0].Caption);
    EXPECT_EQ(QStringLiteral("Dproj output complete"), Prompter.Boxes[0].Text);
    EXPECT_EQ(QStringLiteral("Dproj output complete"), LogLines().last());
    EXPECT_EQ(Form->Engine().synLog.Lines(), Form->synLog->EditorLines());
    EXPECT_EQ(QStringList{"Name=Hello"}, Form->synReplaceList->EditorLines());
    Form->UpdateActions();
    EXPECT_EQ(QDir::toNativeSeparators(Path("P/App.wfmInput")),
              Form->PageControl->tabToolTip(int(TDocumentTab::Input)))
        << "the Input tab names the template it holds";

    // The next Open starts in the project's folder.
    Prompter.Choices = {std::nullopt};
    Click("btnOpenProject");
    EXPECT_EQ(Path("P"), Prompter.DialogsShown.last().InitialDir);
}

TEST_F(DropAndRun, AnErrorInARunReachesTheLogAndTheErrorBox) {
    Write(QStringLiteral("P/App.wfmInput"), AppTemplate);
    const QString project = Write(QStringLiteral("P/App.wfmconfig"), "[General]\nInputName=App\n[Replace]\n");
    Show();
    OpenProject(project);
    Click("btnMakeDproj");
    EXPECT_EQ(QStringLiteral("***Error: \"Missing project section \"Replace\"\""), LogLines().last());
    ASSERT_EQ(1, Prompter.Boxes.size());
    EXPECT_EQ(TMessageKind::Error, Prompter.Boxes[0].Kind);
    EXPECT_EQ(QStringLiteral("Error"), Prompter.Boxes[0].Caption);
    EXPECT_EQ(QStringLiteral("Missing project section \"Replace\""), Prompter.Boxes[0].Text);
    EXPECT_FALSE(QFile::exists(Path("P/App.dproj")));
}

TEST_F(DropAndRun, MakeBatchFromTheWindow) {
    Write(QStringLiteral("B/AllProjects.wfmconfig"),
          "[General]\nInputName=Tool\n[Replace]\nName=$GET(PROJECTNAME)\n");
    Write(QStringLiteral("B/Tool.wfmInput"), "<Name>$P(Name)</Name>");
    for (const char* name : {"Alpha.dpr", "beta.dpr", "Gamma.DPR"})
        Write(QStringLiteral("B/") + name, "program;");
    Show();
    OpenProject(Path("B/AllProjects.wfmconfig"));
    EXPECT_EQ(QStringList{"3 Delphi projects found. These are listed in the batch tab if required."},
              Prompter.BoxTexts());
    EXPECT_FALSE(Button("btnMakeDproj")->isEnabled());
    EXPECT_TRUE(Button("btnMakeBatch")->isEnabled());
    Click("btnNone");
    EXPECT_FALSE(Button("btnMakeBatch")->isEnabled());
    Click("btnAll");
    ASSERT_EQ(3, Form->clbFileList->count());
    Form->clbFileList->item(1)->setCheckState(Qt::Unchecked); // as a click on its box does
    EXPECT_FALSE(Form->Engine().clbFileList.Checked(1));

    // While the batch runs every command is locked and the window neither closes nor takes drops.
    bool checkedDuringBatch = false;
    Prompter.OnMessage = [&](const TScriptedPrompter::TBox& ABox) {
        if (ABox.Kind != TMessageKind::Plain) return;
        checkedDuringBatch = true;
        for (QAbstractButton* button : Form->findChildren<QAbstractButton*>(QRegularExpression("^btn")))
            EXPECT_EQ(button->objectName() == "btnCancelBatch", button->isEnabled())
                << button->objectName().toStdString();
        EXPECT_FALSE(Form->clbFileList->isEnabled());
        EXPECT_FALSE(Form->FindBar->isEnabled());
        EXPECT_FALSE(Form->close());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(Path("B/AllProjects.wfmconfig"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Form.get(), &enter);
        EXPECT_FALSE(enter.isAccepted());
        // The progress bar covers no part of the folder, whose whole path is its tooltip.
        EXPECT_TRUE(Form->BatchProgress->isVisible());
        EXPECT_FALSE(Form->BatchProgress->geometry().intersects(Form->lblFolder->geometry()));
        EXPECT_EQ(Path("B"), Form->lblFolder->toolTip());
        // The project text stays what the batch started with: nothing can be typed into it.
        const QStringList project = Form->Engine().synProject.Lines();
        TypeInto(Form->synProject, QStringLiteral("typed"));
        EXPECT_EQ(project, Form->Engine().synProject.Lines());
    };
    // The bar counts the marked entries, and the list follows the one being made.
    QStringList progress;
    QObject::connect(
        &Form->Engine(), &TWrenfoldEngine::CurrentProjectNameChanged, Form.get(), [&](const QString& AName) {
            progress.append(
                QStringLiteral("%1: %2, row %3")
                    .arg(AName, Form->BatchProgress->isVisible() ? Form->BatchProgress->text() : "hidden")
                    .arg(Form->clbFileList->currentRow()));
        });
    Prompter.Boxes.clear();
    Click("btnMakeBatch");
    EXPECT_TRUE(checkedDuringBatch);
    EXPECT_EQ((QStringList{"Alpha: 1 of 2, row 0", "Gamma: 2 of 2, row 2", "AllProjects: 2 of 2, row 2"}),
              progress);
    EXPECT_FALSE(Form->BatchProgress->isVisible());
    ASSERT_EQ(1, Prompter.Boxes.size());
    EXPECT_EQ(TMessageKind::Plain, Prompter.Boxes[0].Kind);
    EXPECT_EQ(QStringLiteral("Wrenfold"), Prompter.Boxes[0].Caption);
    EXPECT_EQ(QStringLiteral("All selected projects processed"), Prompter.Boxes[0].Text);
    EXPECT_EQ(QByteArray("<Name>Alpha</Name>"), Read(Path("B/Alpha.dproj")));
    EXPECT_FALSE(QFile::exists(Path("B/beta.dproj")));
    EXPECT_EQ(QByteArray("<Name>Gamma</Name>"), Read(Path("B/Gamma.dproj")));
    EXPECT_EQ(QStringLiteral("-- Batch complete ---"), LogLines().last());
    EXPECT_EQ(Form->Engine().synLog.Lines(), Form->synLog->EditorLines());
    EXPECT_EQ(QStringLiteral("AllProjects"), Form->lblProjectName->text());
    EXPECT_TRUE(Button("btnMakeBatch")->isEnabled());
    EXPECT_TRUE(Button("btnClose")->isEnabled());
    EXPECT_TRUE(Form->isVisible());
    EXPECT_FALSE(Form->synProject->isReadOnly()) << "editable again, as it was before the batch";
}

TEST_F(DropAndRun, BatchTabsNotInFrontShowTheLastProjectAndTheLogIsCompleteAtTheBox) {
    Write(QStringLiteral("B/AllProjects.wfmconfig"),
          "[General]\nInputName=Tool\n[Replace]\nName=$GET(PROJECTNAME)\n");
    Write(QStringLiteral("B/Tool.wfmInput"), "<Name>$P(Name)</Name>\n<Other/>");
    for (int i = 1; i <= 30; ++i)
        Write(QStringLiteral("B/P%1.dpr").arg(i, 2, 10, QLatin1Char('0')), "program;");
    Show();
    OpenProject(Path("B/AllProjects.wfmconfig"));
    const auto shownText = [](TSynEditor* AEditor) { return AEditor->text(); }; // no catching up
    const auto documentText = [](const TTextDocument& ADocument) { return ADocument.Lines().join('\n'); };
    TWrenfoldEngine& engine = Form->Engine();

    for (const TDocumentTab front : {TDocumentTab::Batch, TDocumentTab::Log}) {
        SCOPED_TRACE(int(front));
        Form->ShowTab(front);
        QString logAtBox, engineLogAtBox, nameAtBox;
        Prompter.OnMessage = [&](const TScriptedPrompter::TBox& ABox) {
            if (ABox.Kind != TMessageKind::Plain) return;
            logAtBox = shownText(Form->synLog);
            engineLogAtBox = documentText(engine.synLog);
            nameAtBox = Form->lblProjectName->text();
        };
        Click("btnMakeBatch");
        EXPECT_EQ(engineLogAtBox, logAtBox);
        EXPECT_EQ(QStringLiteral("P30"), nameAtBox);
        EXPECT_TRUE(logAtBox.endsWith(QStringLiteral("Dproj output complete")));
        EXPECT_EQ(QStringLiteral("<Name>P30</Name>\n<Other/>"), shownText(Form->synOutput));
        EXPECT_EQ(QStringLiteral("<Name>$P(Name)</Name>\n<Other/>"), shownText(Form->synInput));
        EXPECT_EQ(QStringLiteral("Name=P30"), shownText(Form->synReplaceList));
        EXPECT_EQ(documentText(engine.synLog), shownText(Form->synLog));
        EXPECT_EQ(QStringLiteral("AllProjects"), Form->lblProjectName->text());
    }
}
