#include "platform/display.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform
{

void prepareDisplayConnection()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace platform
