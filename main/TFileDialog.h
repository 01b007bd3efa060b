// The settings and the answer of one of the window's file dialogs, kept between uses.
#pragma once

#include <QString>
#include <QStringList>

namespace Wrenfold {

struct TFileDialog {
    enum class TKind { Open, Save };

    QString Name; // the dialog's component name, under which its last folder is remembered
    TKind Kind = TKind::Open;
    QString Title;
    QString DefaultExt;  // without the dot; added to a name typed without an extension
    QStringList Filters; // "Projects (*.wfmconfig)", ...
    bool ShowReadOnly = false;

    // Set by the command before the dialog is shown.
    QString InitialDir;
    // The proposed name before, the chosen full path after; kept for the next use.
    QString FileName;
    // Whether the read-only check box was ticked (open dialogs that show it).
    bool ReadOnlyChecked = false;
};

} // namespace Wrenfold
