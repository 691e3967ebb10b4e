#include "base/ShellCommand.h"

#include <QDir>
#include <QFileInfo>

namespace pinakos {

namespace {

// "C:\..." or "C:/..." and "\\server\share\...": paths written on Windows,
// which the local file rules of other systems do not take for absolute.
bool isWindowsPath(const QString& c)
{
    const bool drive = c.size() >= 3 && c.at(0).isLetter() && c.at(0).unicode() < 0x80 && c.at(1) == u':'
        && (c.at(2) == u'\\' || c.at(2) == u'/');
    return drive || c.startsWith(QLatin1String("\\\\"));
}

} // namespace

QUrl urlForShellCommand(const QString& command)
{
    QString c = command.trimmed();
    const bool quoted = c.size() >= 2 && c.startsWith(u'"') && c.endsWith(u'"');
    if (quoted)
        c = c.mid(1, c.size() - 2);
    if (c.isEmpty())
        return {};
    if (c.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QUrl(c, QUrl::TolerantMode);
    if (isWindowsPath(c))
        return QUrl::fromLocalFile(c.replace(u'\\', u'/'));
    if (QDir::isAbsolutePath(c))
        return QUrl::fromLocalFile(c);
    if (c.contains(QLatin1String("://")))
        return QUrl(c, QUrl::TolerantMode);
    // A name in quotes is a file, as the shell takes it: from the current folder.
    if (quoted)
        return QUrl::fromLocalFile(QFileInfo(c).absoluteFilePath());
    return QUrl::fromUserInput(c);
}

} // namespace pinakos
