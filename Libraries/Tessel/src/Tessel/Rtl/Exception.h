// The base of every failure the library and the program raise: an exception carrying a message text.
#pragma once

#include <QString>
#include <exception>
#include <string>

namespace Tessel {

class Exception : public std::exception {
public:
    explicit Exception(const QString& AMessage) : FMessage(AMessage), FUtf8(AMessage.toStdString()) {}
    const QString& Message() const { return FMessage; }
    void SetMessage(const QString& AMessage) {
        FMessage = AMessage;
        FUtf8 = AMessage.toStdString();
    }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FMessage;
    std::string FUtf8;
};

// The silent exception: it unwinds an operation the user stopped, and error handling drops it
// without a message.
class EAbort : public Exception {
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
    using Exception::Exception;
};

// Failure of a file operation; the message carries the platform's reason.
class EFileError : public Exception {
public:
    using Exception::Exception;
};

} // namespace Tessel
