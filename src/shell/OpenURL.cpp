#include "shell/OpenURL.h"

#include "app/Dialogs.h"

#include <QFileInfo>

namespace pinakos {

QUrl urlForShellCommand(const QString& command)
{
    QString c = command.trimmed();
    if (c.size() >= 2 && c.startsWith(u'"') && c.endsWith(u'"'))
        c = c.mid(1, c.size() - 2);
    if (c.isEmpty())
        return {};
    if (c.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QUrl(c, QUrl::TolerantMode);
    if (c.contains(QLatin1String("://")))
        return QUrl(c, QUrl::TolerantMode);
    if (QFileInfo(c).isAbsolute())
        return QUrl::fromLocalFile(c);
    return QUrl::fromUserInput(c);
}

} // namespace pinakos

void TMisc::Open(const QString& sCommand) { pinakos::dialogs().shellOpen(sCommand); }
