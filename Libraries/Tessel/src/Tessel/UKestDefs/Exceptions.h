// The library's exception classes: one per unit, and the base that carries a help topic.
#pragma once

#include "Tessel/Rtl/Exception.h"

#include <QVariant>

namespace Tessel {

// Base of the library's exceptions that carry a help topic.
class EKestException : public Exception {
public:
    explicit EKestException(const QString& AMessage, const QString& AHelpTopic = QString())
        : Exception(AMessage), FHelpTopic(AHelpTopic) {}
    // The message is AMessage formatted with AArgs (Format with the user's settings).
    EKestException(const QString& AMessage, const QVariantList& AArgs, const QString& AHelpTopic);
    static EKestException CreateFmt(const QString& AMessage, const QVariantList& AArgs,
                                    const QString& AHelpTopic = QString()) {
        return EKestException(AMessage, AArgs, AHelpTopic);
    }
    const QString& HelpTopic() const { return FHelpTopic; }

private:
    QString FHelpTopic;
};

// One exception class per library unit.
class EKestLibrary : public Exception {
public:
    using Exception::Exception;
};
class EKestAlias : public Exception {
public:
    using Exception::Exception;
};
class EKestRegistry : public Exception {
public:
    using Exception::Exception;
};
class EKestRTTI : public Exception {
public:
    using Exception::Exception;
};
class EKestWaypoint : public EKestException {
public:
    using EKestException::EKestException;
};
// Internal errors; the message begins "Internal error ".
class EDebugTrap : public EKestLibrary {
public:
    using EKestLibrary::EKestLibrary;
};

} // namespace Tessel
