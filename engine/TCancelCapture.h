// A capture of the program's cancel handler for the length of a scope: while it is open the user
// may ask to stop a batch (Esc in the window, Ctrl+C in the CLI), and the batch stops before its
// next project.
#pragma once

#include <QString>

namespace Wrenfold {

class TCancelCapture {
public:
    // AConfirmPrompt is asked (Yes/No, default No) before a request is recorded; empty records a
    // request at once. Without the library's cancel handler nothing can be cancelled.
    explicit TCancelCapture(const QString& AConfirmPrompt = QString());
    ~TCancelCapture();
    TCancelCapture(const TCancelCapture&) = delete;
    TCancelCapture& operator=(const TCancelCapture&) = delete;

private:
    bool FOpen = false;
};

// Asks to stop, as the Esc key does: only while a capture is open, after its question when it has
// one. True when a request is recorded by now.
bool RequestCancel();
// Whether a request to stop was recorded in the open capture.
bool CancelRequested();

} // namespace Wrenfold
