#pragma once
// Not compiled: the Qt-include check must reject this folder.
#include <QtCore/QString>
#include <cstdint>
