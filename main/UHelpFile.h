// The help file: where it is looked for and how it is shown.
#pragma once

#include <QString>

namespace Wrenfold {

class IWrenfoldPrompter;

// The help file the Help button shows.
inline const QString HelpFileName = QStringLiteral("Wrenfold.chm");

// The full path under which the help file AFileName is to be opened. An empty or full file name is
// returned as given. Otherwise the file is looked for in the shared documentation folder
// "%CommonAppDataFolder%/Kest/%AppDataName%/Documentation/"; when that folder does not exist, in
// the installed documentation folder "<program folder>/../share/doc/wrenfold/"; when neither exists,
// in the program's own folder. An alias that cannot be expanded raises EKestAlias.
QString GetHelpFilePath(const QString& AFileName);

// The document to hand to the viewer for the help file at APath. No compiled-help viewer exists
// here, so the guide ships as HTML: when APath does not exist, the HTML guide beside it is shown
// instead, "<base name>.html" or else "index.html" in the same folder. When neither exists either,
// APath itself is handed on and the viewer reports the missing file.
QString HelpDocumentToShow(const QString& APath);

// Hands the help file AFileName to the desktop's viewer (through AViewer, so tests script it).
// Raises, naming the file, when the desktop has no program to show it.
void ShowHelpFile(const QString& AFileName, IWrenfoldPrompter& AViewer);

} // namespace Wrenfold
