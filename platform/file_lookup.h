#pragma once
// Paths of the data tree are written with "\" and matched without regard to letter case,
// as on the system the tree was first laid out for.

#include <QString>

namespace platform
{

// programDir followed by a relative part such as "\Data\Music\ZnGame.mus". Each component is
// looked up as written first, then case-insensitively; a component that is not there stays
// as written, so the path names the file that a reader will report missing.
QString resolveProgramPath(const QString &programDir, const QString &relative);

} // namespace platform
