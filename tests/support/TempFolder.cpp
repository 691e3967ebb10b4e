#include "TempFolder.h"

#include "app/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pinakos::test {

TempFolder::TempFolder() { setProgramFolder(m_dir.path()); }

TempFolder::~TempFolder() { setProgramFolder(QString()); }

QString TempFolder::path() const { return programFolder(); }

QString TempFolder::file(const QString& name) const { return path() + name; }

void TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString f = file(name);
    QDir().mkpath(QFileInfo(f).absolutePath());
    QFile out(f);
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(bytes);
}

QByteArray TempFolder::read(const QString& name) const
{
    QFile in(file(name));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace pinakos::test
