// Make Batch over the Delphi projects of an AllProjects folder.
#include "EngineFixture.h"

#include "Tessel/UKestLibrary/Cancel.h"
#include "engine/TCancelCapture.h"

#include <QFile>
#include <QScopeGuard>

#include <optional>

using namespace Wrenfold;

namespace {

class BatchGeneration : public EngineFixture {
protected:
    void SetUp() override {
        for (const char* name : {"Alpha.dpr", "Beta.dpr", "Gamma.dpr"})
            WriteText(name, "");
        OpenProject("AllProjects.wfmconfig",
                    Lines({"[General]", "InputName=Template", "[Replace]", "Name=$GET(PROJECTNAME)"}),
                    "<Name>$P(Name)</Name>");
        Host.Infos.clear();
    }
};

} // namespace

TEST_F(BatchGeneration, MakesTheMarkedProjectsInListOrder) {
    Engine.clbFileList.SetChecked(1, false);
    ASSERT_TRUE(Engine.MakeBatchCommand()) << Host.Errors.join('\n').toStdString();
    EXPECT_EQ(ReadBytes("Alpha.dproj"), "<Name>Alpha</Name>");
    EXPECT_EQ(ReadBytes("Gamma.dproj"), "<Name>Gamma</Name>");
    EXPECT_FALSE(Exists("Beta.dproj"));
    EXPECT_EQ(Host.Plains, QStringList{"All selected projects processed"});
    EXPECT_EQ(Host.PendingEventCalls, 2);
    EXPECT_EQ(Engine.CurrentProjectName(), "AllProjects");
    const QStringList log = LogLines();
    EXPECT_EQ(log.mid(0, 4),
              (QStringList{"", "-- Batch starting ---", "", "Set current project name \"Alpha\""}));
    EXPECT_EQ(log.mid(log.size() - 3),
              (QStringList{"", "Set current project name \"AllProjects\"", "-- Batch complete ---"}));
    EXPECT_EQ(log.filter("Dproj output complete").size(), 2);
}

TEST_F(BatchGeneration, TheFirstFailingProjectEndsTheBatch) {
    WriteText("Template.wfmInput", "$P(Name)");
    Engine.synProject.SetLines({"[General]", "InputName=Template", "[Replace]", "Name=$GET(PROJECTNAME)",
                                "[PostActions]", "FileCopy=Beta.dproj;out.txt"});
    EXPECT_FALSE(Engine.MakeBatchCommand());
    ASSERT_EQ(Host.Errors.size(), 1);
    EXPECT_TRUE(Host.Errors[0].contains("FileCopy source file does not exist"));
    EXPECT_TRUE(Exists("Alpha.dproj"));
    EXPECT_FALSE(Exists("Beta.dproj") || Exists("Gamma.dproj"));
    EXPECT_TRUE(Host.Plains.isEmpty());
    EXPECT_EQ(Engine.CurrentProjectName(), "AllProjects");
    EXPECT_TRUE(LastLog().startsWith("***Error"));
    EXPECT_EQ(LogLines().filter("Batch complete").size(), 0);
}

TEST_F(BatchGeneration, NeedsTheAllProjectsConfiguration) {
    Engine.SetCurrentProjectName("Other");
    Engine.synLog.Clear();
    EXPECT_FALSE(Engine.MakeBatchCommand());
    const QString message =
        "You must have loaded an \"AllProjects.wfmconfig\" file before you can run a batch";
    EXPECT_EQ(LogLines(), (QStringList{"", "-- Batch starting ---", "***Error: \"" + message + "\""}));
    EXPECT_FALSE(Exists("Alpha.dproj"));
}

TEST_F(BatchGeneration, AProjectCanHaveValuesOfItsOwnOrBeLeftOut) {
    WriteText("Template.wfmInput", "<Name>$P(Name)</Name><Kind>$P(Kind)</Kind><Extra>$P(Extra)</Extra>");
    WriteText("AllProjects.wfmconfig",
              Lines({"[General]", "InputName=Template", "[Replace]", "Name=$GET(PROJECTNAME)", "Kind=vcl",
                     "Copy=$REPLACE(Kind)", "[replace:BETA]", "Kind=fmx", "Extra=$REPLACE(Copy)", "[Batch]",
                     "Skip=gamma, Nobody.dpr"}));
    Engine.LoadProjectFile(PathOf("AllProjects.wfmconfig"));
    EXPECT_EQ(Engine.clbFileList.Count(), 3);
    EXPECT_FALSE(Engine.clbFileList.Checked(2)) << "Gamma is left out";
    ASSERT_TRUE(Engine.MakeBatchCommand()) << Host.Errors.join('\n').toStdString();
    EXPECT_EQ(ReadBytes("Alpha.dproj"), "<Name>Alpha</Name><Kind>vcl</Kind><Extra></Extra>");
    // Beta's Kind takes the shared one's place: the $REPLACE( below it sees Beta's value.
    EXPECT_EQ(ReadBytes("Beta.dproj"), "<Name>Beta</Name><Kind>fmx</Kind><Extra>fmx</Extra>");
    EXPECT_FALSE(Exists("Gamma.dproj"));
    const QStringList log = LogLines();
    EXPECT_TRUE(log.contains("Replace entries for project \"Beta\" from section \"Replace:Beta\""));
    EXPECT_TRUE(log.contains("Skipped \"Gamma.dpr\": the configuration leaves it out of the batch"));

    // A batch that would make nothing fails, whether nothing is ticked or nothing is listed.
    Engine.clbFileList.SetAllChecked(false);
    EXPECT_FALSE(Engine.MakeBatchCommand());
    EXPECT_EQ(Host.Errors.value(0), "No project of the batch is ticked: nothing to make");
    for (const char* name : {"Alpha.dpr", "Beta.dpr", "Gamma.dpr"})
        QFile::remove(PathOf(name));
    Host.Infos.clear();
    Engine.LoadProjectFile(PathOf("AllProjects.wfmconfig"));
    const QString none =
        QString("No Delphi projects found: the folder \"%1\" holds no .dpr or .dpk file").arg(Dir());
    EXPECT_EQ(Host.Infos, QStringList{none});
    EXPECT_FALSE(Engine.MakeBatchCommand());
    EXPECT_EQ(Host.Errors.value(1), none);
}

TEST_F(BatchGeneration, PackagesAreListedAndAProjectWithBothSourcesOnce) {
    for (const char* name : {"Core.dpk", "beta.DPK", "Alpha.dpk", "Gamma.dpk.bak"})
        WriteText(name, "");
    Engine.SetCurrentDirectory(Dir());
    QStringList entries;
    for (int i = 0; i < Engine.clbFileList.Count(); ++i)
        entries.append(Engine.clbFileList.Text(i));
    EXPECT_EQ(entries, (QStringList{"Alpha.dpr", "Beta.dpr", "Core.dpk", "Gamma.dpr"}));
}

TEST_F(BatchGeneration, ReportsThatItIsRunningWhileItRuns) {
    QList<bool> states;
    QObject::connect(&Engine, &TWrenfoldEngine::BatchRunningChanged,
                     [&](bool running) { states.append(running); });
    bool runningBetweenProjects = false;
    Host.OnProcessPendingEvents = [&] { runningBetweenProjects = Engine.IsBatchRunning(); };
    Engine.MakeBatchCommand();
    EXPECT_TRUE(runningBetweenProjects);
    EXPECT_EQ(states, (QList<bool>{true, false}));
}

TEST_F(BatchGeneration, ARequestToStopEndsTheBatchBeforeItsNextProject) {
    Tessel::CancelHandler = new Tessel::TKestCancelHandler;
    const auto dropHandler = qScopeGuard([] { Tessel::CancelHandler.Clear(); });
    const struct {
        const char* Name;
        bool Capture;
        int AskAfter; // the project after which the stop is asked for
        QStringList Made;
    } cases[] = {
        {"after the first project", true, 1, {"Alpha.dproj"}},
        {"after the last project: nothing is left to stop",
         true,
         3,
         {"Alpha.dproj", "Beta.dproj", "Gamma.dproj"}},
        {"with no capture open: nobody can stop it", false, 1, {"Alpha.dproj", "Beta.dproj", "Gamma.dproj"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const char* name : {"Alpha.dproj", "Beta.dproj", "Gamma.dproj"})
            QFile::remove(PathOf(name));
        Host.Plains.clear();
        Host.PendingEventCalls = 0;
        bool recorded = false;
        Host.OnProcessPendingEvents = [&] {
            if (Host.PendingEventCalls == c.AskAfter) recorded = RequestCancel();
        };
        std::optional<TCancelCapture> capture;
        if (c.Capture) capture.emplace();
        ASSERT_TRUE(Engine.MakeBatchCommand()) << Host.Errors.join('\n').toStdString();
        capture.reset();
        EXPECT_EQ(c.Capture, recorded);
        QStringList made;
        for (const char* name : {"Alpha.dproj", "Beta.dproj", "Gamma.dproj"})
            if (Exists(name)) made.append(name);
        EXPECT_EQ(c.Made, made);
        const bool cancelled = c.Made.size() < 3;
        EXPECT_EQ(cancelled, Engine.BatchCancelled());
        EXPECT_EQ(Engine.CurrentProjectName(), "AllProjects");
        const QStringList log = LogLines();
        if (cancelled) {
            EXPECT_EQ(log.mid(log.size() - 3), (QStringList{"", "Set current project name \"AllProjects\"",
                                                            "-- Batch cancelled after 1 of 3 projects ---"}));
            EXPECT_EQ(Host.Plains, QStringList{"Batch cancelled: 1 of 3 selected projects processed"});
        } else {
            EXPECT_EQ(LastLog(), "-- Batch complete ---");
            EXPECT_EQ(Host.Plains, QStringList{"All selected projects processed"});
        }
        EXPECT_TRUE(Host.Errors.isEmpty());
    }
}
