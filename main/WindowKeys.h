// The window's keys that have no button of their own: Save for the tab in front, Help, the tabs in
// turn, and the find bar's keys; and the hints that name a key.
#pragma once

#include <QKeySequence>
#include <QString>

namespace Wrenfold {

class TForm29;

// Save for the tab in front, and Help.
QKeySequence SaveKey();
QKeySequence HelpKey();

// "Opens a config file (Ctrl+O)"; the key alone when there is no hint; the hint alone without a key.
QString HintWithKey(const QString& AHint, const QKeySequence& AKey);

// Creates the window's key actions (actSave, actHelp, actNextTab, actPreviousTab, actFind,
// actFindNext, actFindPrevious, actReplace).
void AddWindowKeys(TForm29& AForm);

} // namespace Wrenfold
