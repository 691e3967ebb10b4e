#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace pinakos {

static QString& overrideFolder()
{
    static QString folder;
    return folder;
}

static QString withSeparator(const QString& folder)
{
    QString f = QDir::toNativeSeparators(folder);
    if (!f.endsWith(QDir::separator()))
        f += QDir::separator();
    return f;
}

QString programFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return withSeparator(QCoreApplication::applicationDirPath());
}

void setProgramFolder(const QString& folder)
{
    overrideFolder() = folder.isEmpty() ? QString() : withSeparator(folder);
}

QString inProgramFolder(const QString& name) { return programFolder() + name; }

} // namespace pinakos
