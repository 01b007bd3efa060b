// A host for engine tests: records every box and answers questions from a script.
#pragma once

#include "engine/IWrenfoldHost.h"

#include <QStringList>
#include <functional>

namespace Wrenfold {

class TScriptedHost : public IWrenfoldHost {
public:
    QStringList Questions, Errors, Infos, Plains;
    QList<bool> Answers; // consumed in order; No when exhausted
    int SaveProjectCalls = 0;
    int PendingEventCalls = 0;
    std::function<void()> OnProcessPendingEvents;

    bool AskYesNo(const QString& AMessage) override {
        Questions.append(AMessage);
        return Answers.isEmpty() ? false : Answers.takeFirst();
    }
    void ShowErrorBox(const QString& AMessage) override { Errors.append(AMessage); }
    void ShowInfoBox(const QString& AMessage) override { Infos.append(AMessage); }
    void ShowPlainBox(const QString& AMessage) override { Plains.append(AMessage); }
    void SaveProjectIfModified() override { ++SaveProjectCalls; }
    void ProcessPendingEvents() override {
        ++PendingEventCalls;
        if (OnProcessPendingEvents) OnProcessPendingEvents();
    }
};

} // namespace Wrenfold
