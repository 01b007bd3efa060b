// Where the engine's parts write their log lines (the Log document, in the engine).
#pragma once

#include <QString>

#include <functional>

namespace Wrenfold {

using TLogSink = std::function<void(const QString&)>;

} // namespace Wrenfold
