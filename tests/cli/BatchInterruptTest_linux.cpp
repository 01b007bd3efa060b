// Ctrl+C during wrenfold-cli batch: the batch stops before its next project with exit status 130,
// and every output it leaves is whole.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include "support/PrintTo.h"
#include "support/TScratchDir.h"

#include <csignal>
#include <sys/types.h>

namespace {

constexpr int ProjectCount = 400;
constexpr int MarkerLines = 4000;

QByteArray TemplateFor(const QByteArray& AName) {
    QByteArray text = "<Project>\n";
    for (int i = 0; i < MarkerLines; ++i)
        text += "  <Item Index=\"" + QByteArray::number(i) + "\">" + AName + "</Item>\n";
    return text + "</Project>\n";
}

} // namespace

TEST(BatchInterrupt, CtrlCStopsTheBatchBeforeItsNextProjectLeavingOnlyWholeOutputs) {
    TScratchDir temp;
    temp.WriteBytes("b/AllProjects.wfmconfig", "[General]\nInputName=T\n[Replace]\nName=$GET(PROJECTNAME)\n");
    temp.WriteBytes("b/T.wfmInput", TemplateFor("$P(Name)"));
    QStringList expectedFiles{"AllProjects.wfmconfig", "T.wfmInput"};
    for (int i = 0; i < ProjectCount; ++i) {
        const QString name = QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0'));
        temp.WriteBytes("b/" + name + ".dpr", "program;");
        expectedFiles.append(name + ".dpr");
    }
    const QDir folder(temp.FilePath("b"));
    const auto outputs = [&] { return folder.entryList({"*.dproj"}, QDir::Files, QDir::Name); };

    // The log goes to a file: the test does not read a pipe while it waits.
    QProcess process;
    process.setStandardOutputFile(temp.FilePath("log.txt"));
    process.start(WRENFOLD_CLI_PATH, {"batch", folder.path()});
    ASSERT_TRUE(process.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (outputs().isEmpty() && process.state() == QProcess::Running && waited.elapsed() < 60000)
        QThread::msleep(5);
    ASSERT_EQ(QProcess::Running, process.state()) << "the batch ended before it could be stopped";
    ASSERT_EQ(0, ::kill(pid_t(process.processId()), SIGINT));
    ASSERT_TRUE(process.waitForFinished(60000));

    const QString err = QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(QProcess::NormalExit, process.exitStatus()) << "the signal ended the program";
    EXPECT_EQ(130, process.exitCode()) << err.toStdString();
    const QStringList made = outputs();
    ASSERT_FALSE(made.isEmpty());
    EXPECT_LT(made.size(), ProjectCount);
    const QByteArray log = temp.ReadBytes("log.txt");
    EXPECT_TRUE(log.endsWith(QStringLiteral("-- Batch cancelled after %1 of %2 projects ---\n")
                                 .arg(made.size())
                                 .arg(ProjectCount)
                                 .toUtf8()))
        << log.right(300).toStdString();
    EXPECT_TRUE(err.endsWith(QStringLiteral("Batch cancelled: %1 of %2 selected projects processed\n")
                                 .arg(made.size())
                                 .arg(ProjectCount)))
        << err.toStdString();
    // The projects are made in order, each output whole: the first ones, with nothing half written.
    for (int i = 0; i < made.size(); ++i) {
        const QString name = QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0'));
        ASSERT_EQ(name + ".dproj", made[i]);
        EXPECT_EQ(TemplateFor(name.toUtf8()), temp.ReadBytes("b/" + made[i])) << made[i].toStdString();
    }
    const QStringList all = folder.entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(expectedFiles.size() + made.size(), all.size())
        << "no temporary file is left: " << all.join(' ').toStdString();
}
