#pragma once
// Web links: a URL handed to the desktop's browser.

#include <QString>

class QWidget;

namespace platform
{

// The two fan web sites (example addresses: they belong to no one).
inline const QString kFirstFanSite = QStringLiteral("https://fans-one.example.org/");
inline const QString kSecondFanSite = QStringLiteral("https://fans-two.example.net/");

// Hands the URL to the desktop's browser; nothing visible happens when that fails.
void OpenWebLink(QWidget *owner, const QString &url);

} // namespace platform
