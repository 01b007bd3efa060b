// The window's message boxes and file dialogs over Qt, and the text rules of its error boxes.
#pragma once

#include "main/IWrenfoldPrompter.h"

class QWidget;

namespace Wrenfold {

// The program's title: the executable's file name without folder and extension.
QString ProgramTitle();
// The text of the general error box: the message with a full stop appended when its last character
// comes after "." in the character table (a letter or a digit, not a closing quote).
QString ApplicationErrorText(const QString& AMessage);

// Real modal dialogs, owned by the window.
class TDialogPrompter : public IWrenfoldPrompter {
public:
    explicit TDialogPrompter(QWidget* AParent) : FParent(AParent) {}

    bool AskYesNo(const QString& AText) override;
    void ShowMessage(TMessageKind AKind, const QString& ACaption, const QString& AText) override;
    bool Execute(TFileDialog& ADialog) override;
    void OpenDocument(const QString& AFileName) override;

private:
    QWidget* FParent;
};

} // namespace Wrenfold
