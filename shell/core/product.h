#pragma once

#include <QString>

namespace telvio {

// The product line of the About box and of the status bar before the first
// update.
inline QString ProductLine()
{
    return QStringLiteral("Kestrava Telvio 1.5 (7310-0042 / 2007-08-16)");
}

// Where the stored options live: organisation and application names.
inline QString SettingsOrganisation() { return QStringLiteral("Kestrava"); }
inline QString SettingsApplication() { return QStringLiteral("Telvio"); }

} // namespace telvio
