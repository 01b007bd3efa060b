#include "engine/CommandFailure.h"

#include "Tessel/Rtl/Exception.h"

#include <new>

namespace Wrenfold {

bool RunReportingFailure(const std::function<void()>& ACommand,
                         const std::function<void(const QString&)>& AReport) {
    QString message;
    try {
        ACommand();
        return true;
    } catch (const Tessel::EAbort&) {
        return false;
    } catch (const Tessel::Exception& e) {
        message = e.Message();
    } catch (const std::bad_alloc&) {
        message = QStringLiteral("Out of memory");
    } catch (const std::exception& e) {
        message = QString::fromLocal8Bit(e.what());
    }
    AReport(message);
    return false;
}

} // namespace Wrenfold
