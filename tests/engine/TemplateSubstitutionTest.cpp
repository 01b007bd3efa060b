// Marker replacement in template lines.
#include "EngineFixture.h"

#include "engine/TTemplateExpander.h"

using namespace Wrenfold;

namespace {

class TemplateSubstitution : public EngineFixture {
protected:
    TTemplateExpander Expander{[this](const QString& ALine) { Engine.Log(ALine); }};
    QStringList Expand(const QStringList& AReplaceList, const QStringList& AInput) {
        Engine.synReplaceList.SetLines(AReplaceList);
        Engine.synInput.SetLines(AInput);
        Expander.ExpandTemplate(Engine.synInput, Engine.synOutput, Engine.synReplaceList);
        return Engine.synOutput.Lines();
    }
};

} // namespace

TEST_F(TemplateSubstitution, ReplacesMarkersAsTheReplaceListSays) {
    const QStringList replaceList = {"Name=App",         "Other=x",
                                     "Nested=$P(Other)", "=empty name",
                                     "Spaced = y",       "a(b)c=brackets",
                                     "Version=2",        "VERSION=second",
                                     "\u00C4pfel=apple", "\u212Aelvin=kelvin sign",
                                     "Open=(Name)",      "Cond='$(Base)'!=''"};
    struct TCase {
        QString Line, Expected;
    } cases[] = {
        {"no markers at all", "no markers at all"},
        {"<N>$P(Name)</N>", "<N>App</N>"},
        {"$P(name)-$P(NAME)", "App-App"},  // names compare without case
        {"$P(Version)", "2"},              // the first matching line wins
        {"<a>$P(Nested)</a>", "<a>x</a>"}, // values are scanned again
        {"$P()", "empty name"},
        {"[$P(Spaced)]", "[]"}, // names are not trimmed
        {"$P(Unknown)!", "!"},
        {"$p(Name) $ P(Name)", "$p(Name) $ P(Name)"},
        {"$P(a(b)c)", "brackets"}, // brackets nest inside a marker
        {"$P(Name)b)", "Appb)"},
        {"$$P(Name)", "$App"},
        {"v=$P$P(Open)", "v=App"},     // "$P" before a marker joins its value
        {"$P(Cond)", "'$(Base)'!=''"}, // the name ends at the first "="
        {"$P(\u00E4PFEL)", "apple"},
        {"$P(kelvin)", "kelvin sign"}, // U+212A folds to "k"
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Line.toStdString());
        EXPECT_EQ(Expand(replaceList, {c.Line}), QStringList{c.Expected});
    }
}

TEST_F(TemplateSubstitution, FindsMarkersAtEveryPlaceAmongMacros) {
    // Markers and look-alikes at every offset, around the eight-character steps of the search.
    for (int pad = 0; pad <= 20; ++pad) {
        const QString before(pad, u'x');
        SCOPED_TRACE(pad);
        EXPECT_EQ(Expand({"A=1"}, {before + "$(P)$P(A)$p(A)$P"}), QStringList{before + "$(P)1$p(A)$P"});
        EXPECT_EQ(Expand({"A=1"}, {"$$" + before + "$P(A)"}), QStringList{"$$" + before + "1"});
        EXPECT_EQ(Expand({"A=1"}, {before + "$P"}), QStringList{before + "$P"});
    }
}

TEST_F(TemplateSubstitution, ExpandingAChangedTemplateAgainFollowsItsNewLines) {
    EXPECT_EQ(Expand({"A=1"}, {"x $P(A)", "plain"}), (QStringList{"x 1", "plain"}));
    EXPECT_EQ(Expand({"A=1"}, {"x $P(A)", "plain"}), (QStringList{"x 1", "plain"}));
    EXPECT_EQ(Expand({"A=1"}, {"plain", "$P(A) y"}), (QStringList{"plain", "1 y"}));
    Engine.synInput.SetLine(0, "edited $P(A)");
    Expander.ExpandTemplate(Engine.synInput, Engine.synOutput, Engine.synReplaceList);
    EXPECT_EQ(Engine.synOutput.Lines(), (QStringList{"edited 1", "1 y"}));
    EXPECT_EQ(Expand({"A=1"}, {"one"}), QStringList{"one"}) << "a shorter template leaves no old lines";
    EXPECT_ANY_THROW(Expand({"A=1"}, {"ok", "$P(A", "late"}));
    EXPECT_EQ(Engine.synOutput.Lines(), QStringList{"ok"}) << "a failed run keeps only the lines before it";
}

TEST_F(TemplateSubstitution, LogsEachReplacementLeftmostFirst) {
    Expand({"A=1", "B=$P(A)"}, {"plain", "$P(B) and $P(Missing)"});
    EXPECT_EQ(LogLines(), (QStringList{"Input line 2, replaced \"B\" with \"$P(A)\"",
                                       "Input line 2, replaced \"A\" with \"1\"",
                                       "Input line 2, replaced \"Missing\" with \"\""}));
}

TEST_F(TemplateSubstitution, AValueWithLineBreaksStaysOneOutputEntry) {
    EXPECT_EQ(Expand({"Body=one\r\ntwo"}, {"<x>$P(Body)</x>"}), QStringList{"<x>one\r\ntwo</x>"});
}

TEST_F(TemplateSubstitution, AMissingRightMarkerNamesTheLineAndKeepsEarlierLines) {
    try {
        Expand({"A=1"}, {"$P(A)", "ok $P(A) then $P(Name"});
        FAIL() << "expected a failure";
    } catch (const Tessel::Exception& e) {
        EXPECT_EQ(e.Message(), "Input line 2, missing right marker processing line \"ok 1 then $P(Name\"");
    }
    EXPECT_EQ(Engine.synOutput.Lines(), QStringList{"1"});
}

TEST_F(TemplateSubstitution, AValueLeadingBackToItsOwnMarkerEndsWithAnError) {
    struct TCase {
        QStringList ReplaceList;
        QString Line, Message;
    } cases[] = {
        {{"A=$P(A)"},
         "x$P(A)",
         "Input line 1, marker \"$P(A)\" leads back to itself ($P(A) -> $P(A)) processing "
         "line \"x$P(A)\""},
        {{"A=<$P(B)>", "B=$P(C)", "C=[$P(a)]"},
         "$P(A)",
         "Input line 1, marker \"$P(a)\" leads back to itself ($P(A) -> $P(B) -> $P(C) -> $P(a)) processing "
         "line "
         "\"<[$P(a)]>\""},
    };
    for (const TCase& c : cases) {
        try {
            Expand(c.ReplaceList, {c.Line});
            ADD_FAILURE() << "expected a failure";
        } catch (const Tessel::Exception& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
    }
}

TEST_F(TemplateSubstitution, AMarkerJoinedFromAValueAndTheTextAfterItLeadsBackOnlyWhenAllOfItDoes) {
    // "$P" at the end of A's value joins the "(B)" written after the marker: B's value holds $P(A)
    // again, yet the line ends, because each join uses up text of the line.
    EXPECT_EQ(Expand({"A=a$P", "B=$P(A)"}, {"$P(A)(B)"}), QStringList{"aa$P"});
    EXPECT_EQ(Expand({"A=a$P", "B=$P(A)"}, {"$P(A)(B)$P(B)"}), QStringList{"aa$Pa$P"});
    // A value's "$" that the line finishes into a marker of the same name: each join uses up "P(A)".
    EXPECT_EQ(Expand({"A=$"}, {"$P(A)P(A)P(A)"}), QStringList{"$"});
    // A marker made wholly of A's own expansion, its "(A)" from a value nested in it, loops.
    try {
        Expand({"A=$P$P(B)", "B=(A)"}, {"$P(A)"});
        ADD_FAILURE() << "expected a failure";
    } catch (const Tessel::Exception& e) {
        EXPECT_EQ(
            e.Message(),
            "Input line 1, marker \"$P(A)\" leads back to itself ($P(A) -> $P(A)) processing line \"$P(A)\"");
    }
}

TEST_F(TemplateSubstitution, DeepAndRepeatedNestingStillExpands) {
    QStringList replaceList;
    for (int i = 0; i < 20; ++i)
        replaceList.append(QString("L%1=($P(L%2))").arg(i).arg(i + 1));
    replaceList.append("L20=end");
    replaceList.append("Twice=$P(L19)$P(L19)");
    const QStringList output = Expand(replaceList, {"$P(L0)", "$P(Twice)"});
    EXPECT_EQ(output[0], QString(20, '(') + "end" + QString(20, ')'));
    EXPECT_EQ(output[1], "(end)(end)");
}

TEST_F(TemplateSubstitution, ALineOfManyMarkersIsBuiltWhole) {
    // One line with 100,000 markers, one of them joined to the "$P" before it by its value.
    const QString line = "<a>" + QString("$P(A)").repeated(100000) + "$P$P(Open)</a>";
    const QStringList output = Expand({"A=x", "Open=(A)"}, {line});
    EXPECT_EQ(output, QStringList{"<a>" + QString(100000, 'x') + "x</a>"});
    EXPECT_EQ(LogLines().size(), 100002);
}

TEST_F(TemplateSubstitution, ALineThatGrowsWithoutBoundEndsWithAnError) {
    struct TCase {
        const char* Name;
        QStringList ReplaceList;
        QString Line, Message;
    } cases[] = {
        {"too many markers",
         {"A="},
         QString("$P(A)").repeated(1000001),
         "Input line 1 expands more than 1000000 markers"},
        {"too long",
         {"Big=" + QString(1024 * 1024, 'x'), "Twice=$P(Big)$P(Big)"},
         QString("$P(Twice)").repeated(100),
         "Input line 1 grows past 256 MiB expanding marker \"$P(Big)\""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            Expand(c.ReplaceList, {"ok", c.Line});
            ADD_FAILURE() << "expected a failure";
        } catch (const Tessel::Exception& e) {
            EXPECT_EQ(e.Message(), QString(c.Message).replace("line 1", "line 2"));
        }
        EXPECT_EQ(Engine.synOutput.Lines(), QStringList{"ok"});
        Engine.synLog.Clear();
    }
}
