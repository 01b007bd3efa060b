// A second program for the registry tests: makes many keys and values, one change at a time, in the
// registry folder named by WRENFOLD_REGISTRY_DIR (it refuses to run without one).
//
//     registry_writer NAME COUNT
//
// makes the keys Software\Shared\NAME\Key<i> with the integer value "Index" = i, and in the shared
// key Software\Shared the text value "NAME<i>" = NAME, for i from 0 to COUNT - 1.
#include "Tessel/Rtl/Registry.h"

#include <QCoreApplication>

#include <cstdio>

using namespace Tessel;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3 || qEnvironmentVariableIsEmpty("WRENFOLD_REGISTRY_DIR")) {
        std::fprintf(stderr, "usage: WRENFOLD_REGISTRY_DIR=FOLDER registry_writer NAME COUNT\n");
        return 2;
    }
    const QString name = arguments[1];
    const int count = arguments[2].toInt();
    try {
        for (int i = 0; i < count; ++i) {
            TRegistry own(KEY_WRITE);
            if (!own.OpenKey(QStringLiteral("Software\\Shared\\%1\\Key%2").arg(name).arg(i), true)) return 1;
            own.WriteInteger(QStringLiteral("Index"), i);
            TRegistry shared(KEY_WRITE);
            if (!shared.OpenKey(QStringLiteral("Software\\Shared"), true)) return 1;
            shared.WriteString(name + QString::number(i), name);
        }
    } catch (const Exception& AError) {
        std::fprintf(stderr, "%s\n", AError.what());
        return 1;
    }
    return 0;
}
