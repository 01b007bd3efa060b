// The window's message boxes and file dialogs over Qt, and the text rules of its error boxes.
#pragma once

#include "main/IWrenfoldPrompter.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace Wrenfold {

// The program's title, the caption of the plain box and the general error box.
QString ProgramTitle();
// The text of the general error box: the message with a full stop appended when its last character
// comes after "." in the character table (a letter or a digit, not a closing quote).
QString ApplicationErrorText(const QString& AMessage);

// The boxes the prompter shows, built but not yet shown. Their text is always plain: a message about
// a template quotes its XML, which must show as written.
std::unique_ptr<QMessageBox> QuestionBoxFor(const QString& AText, QWidget* AParent);
std::unique_ptr<QMessageBox> MessageBoxFor(TMessageKind AKind, const QString& ACaption, const QString& AText,
                                           QWidget* AParent);

// Gives the support library the window's dialogs for its messages and questions, and the screen-wide
// busy cursor for its progress; without a widget application they stay on the console.
void InstallLibraryDialogs();

// Real modal dialogs, owned by the window.
class TDialogPrompter : public IWrenfoldPrompter {
public:
    explicit TDialogPrompter(QWidget* AParent) : FParent(AParent) {}

    bool AskYesNo(const QString& AText) override;
    bool AskYesNoDefaultNo(const QString& AText) override;
    void ShowMessage(TMessageKind AKind, const QString& ACaption, const QString& AText) override;
    bool Execute(TFileDialog& ADialog) override;
    bool OpenDocument(const QString& AFileName) override;

private:
    QWidget* FParent;
};

} // namespace Wrenfold
