#include "platform/PaintPath.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {
namespace {
const char *const NoSharedMemory = "QT_XCB_NO_MITSHM";
bool setHere = false;
} // namespace

void preferSocketPainting()
{
    if (!qEnvironmentVariableIsSet(NoSharedMemory)) {
        qputenv(NoSharedMemory, QByteArray("1"));
        setHere = true;
    }
}

void keepPaintPathToOurselves()
{
    if (setHere) {
        qunsetenv(NoSharedMemory);
        setHere = false;
    }
}

} // namespace platform
