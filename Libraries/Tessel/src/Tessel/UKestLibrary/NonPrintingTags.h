// Reversible and display tags for the control characters (codes 0 to 31) of a text.
#pragma once

#include <QString>

namespace Tessel {

// 32 slots of three characters, slot n holding the blank-padded name of code n (blank when unnamed).
extern const QString NonPrintingCharNames;

// Replaces the control characters of AText by tags: "<!NAME>" (reversible form) or "<NAME>" (display
// form), the code in decimal when it has no name; CR LF pairs become "<CRLF>" and lone CRs "<CR>".
// Characters occurring in AAllowedChars pass unchanged.
QString StringToNonPrintingTags(const QString& AText, const QString& AAllowedChars, bool ADisplayForm);

// Turns "<CR>", "<CRLF>" and every reversible tag back into the character(s) it stands for.
// Raises EKestLibrary for a reversible tag that names no character.
QString NonPrintingTagsToString(const QString& AText);

} // namespace Tessel
