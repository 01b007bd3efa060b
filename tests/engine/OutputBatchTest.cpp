// The batch of a configuration that names its outputs: one entry per output and target.
#include "EngineFixture.h"

using namespace Wrenfold;

namespace {

class OutputBatch : public EngineFixture {
protected:
    void SetUp() override {
        OpenProject(
            "Lib.wfmconfig",
            Lines({"[Targets]", "XE2", "D12", "[Target:XE2]", "Suffix=160", "[Target:D12]", "Suffix=290",
                   "[Outputs]", "$GET(TARGET)/Core.dpk=Template.wfmInput",
                   "$GET(TARGET)/Design.dpk=Template.wfmInput", "[Replace]", "Name=$GET(PROJECTNAME)"}),
            "package $P(Name); {$LIBSUFFIX '$P(Suffix)'}");
    }
    QStringList Entries() const {
        QStringList texts;
        for (int i = 0; i < Engine.clbFileList.Count(); ++i)
            texts.append((Engine.clbFileList.Checked(i) ? "[x] " : "[ ] ") + Engine.clbFileList.Text(i));
        return texts;
    }
};

} // namespace

TEST_F(OutputBatch, MakesTheTickedOutputsAndKeepsTicksWhenTheConfigurationChanges) {
    EXPECT_EQ(Entries(), (QStringList{"[x] XE2: XE2/Core.dpk", "[x] XE2: XE2/Design.dpk",
                                      "[x] D12: D12/Core.dpk", "[x] D12: D12/Design.dpk"}));
    Engine.clbFileList.SetChecked(1, false);
    // An edit that adds a target lists it, ticked, at the next run; the unticked entry stays so.
    QStringList config = Engine.synProject.Lines();
    config.insert(2, "D11");
    Engine.synProject.SetLines(config);
    QList<int> started;
    QObject::connect(&Engine, &TWrenfoldEngine::BatchEntryStarted,
                     [&](int AIndex) { started.append(AIndex); });
    ASSERT_TRUE(Engine.MakeBatchCommand()) << Host.Errors.join('\n').toStdString();
    EXPECT_EQ(Entries(),
              (QStringList{"[x] XE2: XE2/Core.dpk", "[ ] XE2: XE2/Design.dpk", "[x] D11: D11/Core.dpk",
                           "[x] D11: D11/Design.dpk", "[x] D12: D12/Core.dpk", "[x] D12: D12/Design.dpk"}));
    EXPECT_EQ(started, (QList<int>{0, 2, 3, 4, 5}));
    EXPECT_EQ(ReadBytes("XE2/Core.dpk"), "package Core; {$LIBSUFFIX '160'}");
    EXPECT_EQ(ReadBytes("D11/Design.dpk"), "package Design; {$LIBSUFFIX ''}");
    EXPECT_FALSE(Exists("XE2/Design.dpk"));
    EXPECT_EQ(Host.Plains, QStringList{"All selected projects processed"});
    EXPECT_EQ(Engine.CurrentProjectName(), "Lib");
    EXPECT_EQ(LogLines().filter("Output file written").size(), 5);

    Engine.clbFileList.SetAllChecked(false);
    EXPECT_FALSE(Engine.MakeBatchCommand());
    EXPECT_EQ(Host.Errors.value(0), "No output of the configuration is ticked: nothing to make");
}
