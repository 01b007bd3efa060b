// Stopping a batch from the window: Esc, the Cancel button in Make Batch's place and the close box
// ask first, and the batch stops before its next project.
#include "Tessel/UKestLibrary/Cancel.h"
#include "support/TLibraryHooksGuard.h"
#include "window/WindowFixture.h"

#include <functional>
#include <utility>

using namespace Wrenfold;

namespace {

class BatchCancel : public WindowFixture {
protected:
    BatchCancel() { Tessel::CancelHandler = new Tessel::TKestCancelHandler; }
    ~BatchCancel() override { Tessel::CancelHandler.Clear(); }

    // A batch of five projects P1 to P5, opened in an active window.
    void OpenBatchOfFive() {
        Write(QStringLiteral("B/AllProjects.wfmconfig"),
              "[General]\nInputName=Tool\n[Replace]\nName=$GET(PROJECTNAME)\n");
        Write(QStringLiteral("B/Tool.wfmInput"), "<Name>$P(Name)</Name>");
        for (int i = 1; i <= 5; ++i)
            Write(QStringLiteral("B/P%1.dpr").arg(i), "program;");
        Show();
        Activate();
        OpenProject(Path("B/AllProjects.wfmconfig"));
        Prompter.Boxes.clear();
        Form->ShowTab(TDocumentTab::Batch);
    }

    // Calls AAct while the batch writes the output of project AProject.
    void WhileWriting(const QString& AProject, std::function<void()> AAct) {
        const QString line =
            QStringLiteral("Dproj output file written \"%1\"").arg(Path("B/" + AProject + ".dproj"));
        FActs.append(QObject::connect(&Form->Engine().synLog, &TTextDocument::LineAppended, Form.get(),
                                      [line, AAct](const QString& ALine) {
                                          if (ALine == line) AAct();
                                      }));
    }

    void StopActing() {
        for (const QMetaObject::Connection& act : std::exchange(FActs, {}))
            QObject::disconnect(act);
    }

    QStringList Made() const {
        return QDir(Path("B")).entryList({QStringLiteral("*.dproj")}, QDir::Files, QDir::Name);
    }

private:
    QList<QMetaObject::Connection> FActs;
    TLibraryHooksGuard FHooks;
};

} // namespace

TEST_F(BatchCancel, EscOrTheCancelButtonStopsTheBatchBeforeItsNextProject) {
    const struct {
        const char* Name;
        std::function<void(BatchCancel&)> Ask;
    } ways[] = {
        {"Esc", [](BatchCancel& ATest) { ATest.Press(QKeyCombination(Qt::Key_Escape)); }},
        {"the Cancel button", [](BatchCancel& ATest) { ATest.Button("btnCancelBatch")->click(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Name);
        for (const QString& made : Made())
            QFile::remove(Path("B/" + made));
        OpenBatchOfFive();
        Prompter.Questions.clear();
        Prompter.DefaultNoQuestions.clear();
        // Asked during the first project and answered No, the batch goes on; Yes during the
        // second stops it before the third.
        Prompter.Answers = {false, true};
        WhileWriting(QStringLiteral("P1"), [&] {
            EXPECT_FALSE(Button("btnMakeBatch")->isVisible());
            EXPECT_TRUE(Button("btnCancelBatch")->isVisible());
            EXPECT_TRUE(Button("btnCancelBatch")->isEnabled());
            EXPECT_EQ(Button("btnMakeBatch")->geometry(), Button("btnCancelBatch")->geometry());
            way.Ask(*this);
        });
        WhileWriting(QStringLiteral("P2"), [&] { way.Ask(*this); });
        Click("btnMakeBatch");

        EXPECT_EQ(QStringList(2, "Cancel the batch?"), Prompter.Questions);
        EXPECT_EQ(Prompter.Questions, Prompter.DefaultNoQuestions);
        EXPECT_EQ((QStringList{"P1.dproj", "P2.dproj"}), Made());
        EXPECT_EQ(QByteArray("<Name>P2</Name>"), Read(Path("B/P2.dproj")));
        EXPECT_EQ(QStringLiteral("-- Batch cancelled after 2 of 5 projects ---"), LogLines().last());
        EXPECT_FALSE(LogLines().contains(QStringLiteral("-- Batch complete ---")));
        ASSERT_EQ(1, Prompter.Boxes.size()) << Prompter.BoxTexts().join('\n').toStdString();
        EXPECT_EQ(TMessageKind::Plain, Prompter.Boxes[0].Kind);
        EXPECT_EQ(QStringLiteral("Batch cancelled: 2 of 5 selected projects processed"),
                  Prompter.Boxes[0].Text);
        EXPECT_TRUE(Form->Engine().BatchCancelled());
        EXPECT_EQ(QStringLiteral("AllProjects"), Form->Engine().CurrentProjectName());
        EXPECT_EQ(QStringLiteral("AllProjects"), Form->lblProjectName->text());
        EXPECT_TRUE(Button("btnMakeBatch")->isVisible());
        EXPECT_FALSE(Button("btnCancelBatch")->isVisible());
        EXPECT_TRUE(Form->isVisible());

        StopActing();
        // The next batch starts afresh and runs to its end; Esc afterwards asks nothing.
        Click("btnMakeBatch");
        EXPECT_EQ(QStringLiteral("-- Batch complete ---"), LogLines().last());
        EXPECT_EQ(5, Made().size());
        EXPECT_FALSE(Form->Engine().BatchCancelled());
        Press(QKeyCombination(Qt::Key_Escape));
        EXPECT_EQ(2, Prompter.Questions.size());
    }
}

TEST_F(BatchCancel, TheCloseBoxDuringABatchAsksAndClosesTheWindowOnceTheBatchHasStopped) {
    OpenBatchOfFive();
    Prompter.Answers = {false, true};
    bool closedAtOnce = true;
    WhileWriting(QStringLiteral("P1"), [&] { EXPECT_FALSE(Form->close()); }); // No: the batch goes on
    WhileWriting(QStringLiteral("P2"), [&] {
        closedAtOnce = Form->close();
        EXPECT_TRUE(Form->isVisible()) << "the window stays until the batch has stopped";
    });
    Click("btnMakeBatch");
    EXPECT_FALSE(closedAtOnce);
    // Asked once each time, and not whether to close the program as well.
    EXPECT_EQ(QStringList(2, "Cancel the batch?"), Prompter.Questions);
    EXPECT_EQ((QStringList{"P1.dproj", "P2.dproj"}), Made());
    EXPECT_EQ(QStringLiteral("-- Batch cancelled after 2 of 5 projects ---"), LogLines().last());
    EXPECT_FALSE(Form->isVisible());
}
