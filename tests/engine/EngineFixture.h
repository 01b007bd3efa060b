// Shared fixture for engine tests: a temporary project folder, a scripted host and an engine.
#pragma once

#include "engine/TWrenfoldEngine.h"
#include "support/PrintTo.h"
#include "support/TScratchDir.h"
#include "support/TScriptedHost.h"

#include <gtest/gtest.h>

namespace Wrenfold {

class EngineFixture : public ::testing::Test {
protected:
    TScratchDir Temp;
    TScriptedHost Host;
    TWrenfoldEngine Engine{Host};

    QString Dir() const { return Temp.Path(); }
    QString PathOf(const QString& AName) const { return Temp.FilePath(AName); }

    void WriteBytes(const QString& AName, const QByteArray& ABytes) { Temp.WriteBytes(AName, ABytes); }
    void WriteText(const QString& AName, const QString& AText) { Temp.WriteText(AName, AText); }
    QByteArray ReadBytes(const QString& AName) const { return Temp.ReadBytes(AName); }
    bool Exists(const QString& AName) const { return Temp.Exists(AName); }

    // Writes a project and its template, then opens the project as the window's Open does.
    void OpenProject(const QString& AProject, const QString& AProjectText, const QString& ATemplateText,
                     const QString& ATemplateName = QStringLiteral("Template.wfmInput")) {
        WriteText(ATemplateName, ATemplateText);
        WriteText(AProject, AProjectText);
        Engine.LoadProjectFile(PathOf(AProject));
    }

    QStringList LogLines() const { return Engine.synLog.Lines(); }
    // The log from the line that starts a run on.
    QStringList RunLog() const {
        const QStringList lines = LogLines();
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].startsWith(QLatin1String("Making Dproj"))) return lines.mid(i);
        return lines;
    }
    QString LastLog() const { return LogLines().isEmpty() ? QString() : LogLines().last(); }
};

inline QString Lines(std::initializer_list<const char*> ALines) {
    QStringList list;
    for (const char* line : ALines)
        list.append(QString::fromUtf8(line));
    return list.join(u'\n');
}

} // namespace Wrenfold
