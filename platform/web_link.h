#pragma once
// The two fan web sites that the menu's link strips and the game window's banner open
// (example addresses: they belong to no one).

#include <QString>

namespace platform
{
inline const QString kFirstFanSite = QStringLiteral("https://fans-one.example.org/");
inline const QString kSecondFanSite = QStringLiteral("https://fans-two.example.net/");
} // namespace platform
