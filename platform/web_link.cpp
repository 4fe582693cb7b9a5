#include "platform/web_link.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform
{

void OpenWebLink(QWidget *, const QString &url)
{
    // The empty address (the banner before its first picture) goes on unchanged.
    QDesktopServices::openUrl(QUrl(url));
}

} // namespace platform
