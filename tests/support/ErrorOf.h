// The message of the exception of type E that an action raises, or "(none)" when it raises nothing.
#pragma once

#include <QString>

#include <functional>

template <class E> QString ErrorOf(const std::function<void()>& AAction) {
    try {
        AAction();
    } catch (const E& AError) {
        return AError.Message();
    }
    return QStringLiteral("(none)");
}
