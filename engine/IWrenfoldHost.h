// What the engine needs from a user: message boxes, the save prompt and event pumping.
#pragma once

#include <QString>

namespace Wrenfold {

// The window implements this with real dialogs, tests with scripted answers, the CLI by printing.
// What the engine did (a project loaded, a template dropped) it announces by its signals; each
// front end decides what to show for it.
class IWrenfoldHost {
public:
    virtual ~IWrenfoldHost() = default;

    virtual bool AskYesNo(const QString& AMessage) = 0;     // "Confirm" question; true only for Yes
    virtual void ShowErrorBox(const QString& AMessage) = 0; // "Error" box
    virtual void ShowInfoBox(const QString& AMessage) = 0;  // "Information" box
    virtual void ShowPlainBox(const QString& AMessage) = 0; // no icon, the program's title as caption
    // Offers to save a modified project text (may show dialogs); raises on a failed save.
    virtual void SaveProjectIfModified() = 0;
    // Lets the front end repaint and handle input between the projects of a batch.
    virtual void ProcessPendingEvents() = 0;
};

} // namespace Wrenfold
