// The CLI run on projects in a scratch folder, as a build pipeline runs it.
#pragma once

#include "support/PrintTo.h"
#include "support/TScratchDir.h"

#include <QProcess>
#include <gtest/gtest.h>

struct TResult {
    int ExitCode;
    QString Out, Err;
};

class Pipeline : public ::testing::Test {
protected:
    TScratchDir Temp;

    TResult Run(QStringList AArguments) {
        QProcess process;
        process.start(WRENFOLD_CLI_PATH, AArguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QString Path(const QString& AName) const { return Temp.FilePath(AName); }
    void Write(const QString& AName, const QByteArray& AText) { Temp.WriteBytes(AName, AText); }
    QByteArray Read(const QString& AName) const { return Temp.ReadBytes(AName); }
    // A project whose output holds a made-up GUID, and which copies and deletes files afterwards.
    void MakeProject() {
        Write("p/App.wfmconfig",
              "[General]\nInputName=T\n[Replace]\nGuid=$GET(RANDOMGUID)\nName=$GET(PROJECTNAME)\n"
              "[PostActions]\nFileCopy=App.dproj;Backup.dproj\nFileDelete=Old.txt\n");
        Write("p/T.wfmInput",
              "<P>\n  <Guid>$P(Guid)</Guid>\n  <Name>$P(Name)</Name>\n  <Kind>VCL</Kind>\n</P>\n");
        Write("p/Old.txt", "old");
    }
};
