// $GET(, $REPLACE( and $INCLUDE( in replace-list lines.
#include "EngineFixture.h"

#include "engine/DollarScan.h"
#include "engine/TProjectDisk.h"
#include "engine/TStatementExpander.h"

#include <QRegularExpression>

using namespace Wrenfold;

namespace {

class Statements : public EngineFixture {
protected:
    TProjectDisk Disk;
    // The statements of project "App" in the test's folder.
    QStringList ExpandList(const QStringList& ALines) {
        Engine.synReplaceList.SetLines(ALines);
        TStatementExpander("App", Dir(), Engine.synReplaceList, Disk, [this](const QString& ALine) {
            Engine.Log(ALine);
        }).ExpandListStatements(Engine.synReplaceList);
        return Engine.synReplaceList.Lines();
    }
    QString Failure(const QStringList& ALines) {
        try {
            ExpandList(ALines);
        } catch (const Tessel::Exception& e) {
            return e.Message();
        }
        return "no failure";
    }
};

const QRegularExpression GuidPattern("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");

} // namespace

TEST_F(Statements, ExpandsEachKindOfStatement) {
    WriteBytes("inc/part.txt", "line one\r\nline two\r\n");
    const QStringList result =
        ExpandList({"Name=$get(projectname)", "Guid=$GET(RANDOMGUID)", "Same=$REPLACE(guid)",
                    "Body=<$INCLUDE(inc\\part.txt)>", "Plain=nothing here", "Cond='$(Base)'!=''",
                    "Copy=$REPLACE(Cond)"});
    EXPECT_EQ(result[0], "Name=App");
    EXPECT_TRUE(GuidPattern.match(result[1].mid(5)).hasMatch()) << result[1].toStdString();
    EXPECT_EQ(result[2], "Same=" + result[1].mid(5));
    EXPECT_EQ(result[3], "Body=<line one\r\nline two\r\n>");
    EXPECT_EQ(result[4], "Plain=nothing here");
    EXPECT_EQ(result[6], "Copy='$(Base)'!=''"); // the name ends at the first "="
    EXPECT_EQ(LogLines()[3],
              QString("Replaced $INCLUDE(%1) with \"line one\r\nline two\r\n\"").arg(PathOf("inc/part.txt")));
}

TEST_F(Statements, AReplaceSeesLinesAboveExpandedAndLinesBelowNot) {
    const QStringList before = ExpandList({"Copy=$REPLACE(Guid)", "Guid=$GET(RANDOMGUID)"});
    EXPECT_NE(before[0].mid(5), before[1].mid(5));
    EXPECT_TRUE(GuidPattern.match(before[0].mid(5)).hasMatch());
}

TEST_F(Statements, GetIsExpandedBeforeReplaceWhateverTheOrder) {
    ExpandList({"A=a", "X=$REPLACE(A) $GET(PROJECTNAME)"});
    EXPECT_EQ(Engine.synReplaceList.Line(1), "X=a App");
    EXPECT_EQ(LogLines(),
              (QStringList{"Replaced $GET(PROJECTNAME) with \"App\"", "Replaced $REPLACE(A) with \"a\""}));
}

TEST_F(Statements, FailuresNameTheStatementAndTheLine) {
    struct TCase {
        QStringList Lines;
        QString Message;
    } cases[] = {
        {{"G=$GET( RANDOMGUID )"},
         "Unknown function name \" RANDOMGUID \" in $GET() statement on line \"G=\" "
         "(RANDOMGUID, PROJECTNAME, PROJECTGUID, PROJECTSOURCE or TARGET)"},
        {{"G=$GET(RANDOMGUID"}, "Unterminated $GET() statement on line \"G=$GET(RANDOMGUID\""},
        // A keyword with nothing after its bracket, at the very end of the line.
        {{"Name=abc$GET("}, "Unterminated $GET() statement on line \"Name=abc$GET(\""},
        {{"R=$replace("}, "Unterminated $REPLACE() statement on line \"R=$replace(\""},
        {{"I=x$INCLUDE("}, "Unterminated $INCLUDE() statement on line \"I=x$INCLUDE(\""},
        {{"E=", "R=$REPLACE(E)"}, "Unknown name \"E\" in $REPLACE() statement on line \"R=\""},
        {{"R=x$REPLACE(Nobody)y"}, "Unknown name \"Nobody\" in $REPLACE() statement on line \"R=xy\""},
        {{"I=$INCLUDE()"}, "File not found \"\" in $INCLUDE() statement on line \"I=\""},
        {{"I=$INCLUDE(missing.txt)"},
         QString("File not found \"%1\" in $INCLUDE() statement on line \"I=\"")
             .arg(QDir(Dir()).filePath("missing.txt"))},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Failure(c.Lines), c.Message);
}

TEST_F(Statements, AFailureKeepsEarlierLinesExpandedAndLaterOnesAsWritten) {
    EXPECT_NE(Failure({"A=$GET(PROJECTNAME)", "B=$GET(nope)", "C=$GET(PROJECTNAME)"}), "no failure");
    EXPECT_EQ(Engine.synReplaceList.Lines(), (QStringList{"A=App", "B=$GET(nope)", "C=$GET(PROJECTNAME)"}));
}

TEST_F(Statements, AStatementLeadingBackToItselfEndsWithAnError) {
    WriteText("self.txt", "again $INCLUDE(self.txt)");
    struct TCase {
        QStringList Lines;
        QString Message;
    } cases[] = {
        {{"A=$REPLACE(A)"},
         "Statement $REPLACE(A) leads back to itself ($REPLACE(A) -> $REPLACE(A)) on line \"A=$REPLACE(A)\""},
        {{"A=[$REPLACE(B)]", "B=$REPLACE(a)"},
         "Statement $REPLACE(B) leads back to itself ($REPLACE(B) -> $REPLACE(a) -> $REPLACE(B)) on line "
         "\"A=[[$REPLACE(B)]]\""},
        {{"I=$INCLUDE(self.txt)"},
         QString("Statement $INCLUDE(self.txt) leads back to itself ($INCLUDE(%1) -> "
                 "$INCLUDE(%1)) on line \"I=again $INCLUDE(self.txt)\"")
             .arg(PathOf("self.txt"))},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Failure(c.Lines), c.Message);
}

TEST_F(Statements, AStatementJoinedFromAValueAndTheTextAfterItIsNoLoop) {
    // "$REPLACE" at the end of A's value joins the "(B)" after the statement; B (not yet expanded,
    // being below) leads to A again, but each join uses up text of the line.
    EXPECT_EQ(ExpandList({"A=a$REPLACE", "X=$REPLACE(A)(B)", "B=$REPLACE(A)"})[1], "X=aa$REPLACE");
    // The same join the other way round: a value's "$" begins a statement that the line finishes.
    EXPECT_EQ(ExpandList({"A=$", "X=$REPLACE(A)REPLACE(A)"})[1], "X=$");
}

TEST_F(Statements, FindClosingBracketCountsNestedBrackets) {
    EXPECT_EQ(FindClosingBracket("$GET(a(b)c)d", 6), 11);
    EXPECT_EQ(FindClosingBracket("$GET(a(b", 6), 0);
    EXPECT_EQ(FindClosingBracket("x)", 1), 2);
}

TEST_F(Statements, ALineThatGrowsWithoutBoundEndsWithAnError) {
    QStringList doubling;
    for (int i = 0; i < 30; ++i)
        doubling.append(QString("A%1=$REPLACE(A%2)$REPLACE(A%2)").arg(i).arg(i + 1));
    doubling.append("A30=x");
    EXPECT_EQ(Failure(doubling),
              "Line \"A0=" + QString(57, 'x') + "...\" expands more than 10000 statements");
}

TEST_F(Statements, ProjectSourceIsTheFoldersProgramOrPackageAsItsLettersStand) {
    struct TCase {
        QStringList Files;
        QString Source;
    } cases[] = {
        {{}, "App.dpr"},
        {{"App.dpk"}, "App.dpk"},
        {{"app.DPK", "Other.dpr"}, "app.DPK"},
        {{"App.dpk", "APP.dpr"}, "APP.dpr"},
        {{"App.dpr.bak", "App.dpk"}, "App.dpk"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Files.join(' ').toStdString());
        for (const QString& name : QDir(Dir()).entryList(QDir::Files))
            QFile::remove(PathOf(name));
        for (const QString& name : c.Files)
            WriteText(name, "");
        EXPECT_EQ(ExpandList({"S=$get(ProjectSource)"}), QStringList{"S=" + c.Source});
    }
}
