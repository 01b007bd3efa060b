// The seam through which the window asks and tells the user things: message boxes, file dialogs and
// handing a file to the desktop. The window uses real dialogs; tests script the answers.
#pragma once

#include "main/TFileDialog.h"

#include <QString>

namespace Wrenfold {

enum class TMessageKind { Error, Information, Plain };

class IWrenfoldPrompter {
public:
    virtual ~IWrenfoldPrompter() = default;

    // A question captioned "Confirm" with the buttons Yes and No; true only for Yes.
    virtual bool AskYesNo(const QString& AText) = 0;
    // The same with No as the default button, for a question whose Yes cannot be taken back.
    virtual bool AskYesNoDefaultNo(const QString& AText) = 0;
    // A box with an OK button: an error or information icon, or none.
    virtual void ShowMessage(TMessageKind AKind, const QString& ACaption, const QString& AText) = 0;
    // Shows the dialog; on OK stores the chosen path (and the read-only box) in it and returns true.
    virtual bool Execute(TFileDialog& ADialog) = 0;
    // Hands a file to the desktop's viewer for it; false when the desktop has none to take it.
    virtual bool OpenDocument(const QString& AFileName) = 0;
};

} // namespace Wrenfold
