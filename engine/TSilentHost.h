// A front end for runs nobody watches (dry runs that prove or look into a configuration): it shows
// nothing, answers No and keeps the errors.
#pragma once

#include "engine/IWrenfoldHost.h"

#include <QStringList>

namespace Wrenfold {

class TSilentHost : public IWrenfoldHost {
public:
    QStringList Errors;
    bool AskYesNo(const QString&) override { return false; }
    void ShowErrorBox(const QString& AMessage) override { Errors.append(AMessage); }
    void ShowInfoBox(const QString&) override {}
    void ShowPlainBox(const QString&) override {}
    void SaveProjectIfModified() override {}
    void ProcessPendingEvents() override {}
};

} // namespace Wrenfold
