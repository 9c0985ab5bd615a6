#include "shell/core/prompter.h"

#include <QFileInfo>

namespace telvio {

QString WithDefaultExtension(const QString &path, const QString &defaultExt)
{
    if (path.isEmpty() || defaultExt.isEmpty())
        return path;
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + defaultExt;
}

} // namespace telvio
