#include "TempFolder.h"

#include "base/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pinakos::test {

TempFolder::TempFolder() { setProgramFolder(m_dir.path()); }

// The newest folder still alive takes over (an outer one when an inner one
// ends; the new one when the one it replaces ends after it).
TempFolder::~TempFolder()
{
    const TempFolder* next = m_newest.other();
    setProgramFolder(next ? next->m_dir.path() : QString());
}

QString TempFolder::path() const { return programFolder(); }

QString TempFolder::file(const QString& name) const { return path() + name; }

void TempFolder::write(const QString& name, const QByteArray& bytes) const { writeFile(file(name), bytes); }

QByteArray TempFolder::read(const QString& name) const { return readAll(file(name)); }

QStringList TempFolder::entries() const
{
    return QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

qint64 sizeOf(const QString& path) { return QFileInfo(path).size(); }

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace pinakos::test
