#pragma once
#include "Newest.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace pinakos::test {

// A fresh program folder for one test; the program is pointed at it for the
// object's lifetime. On destruction it points at the newest other folder
// still alive, or back at the executable's folder.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    QString path() const; // with trailing separator
    QString file(const QString& name) const; // path() + name
    // Writes bytes to a file of the folder (sub-folders created).
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // Every entry of the folder itself, hidden ones too, sorted by name.
    QStringList entries() const;

private:
    QTemporaryDir m_dir;
    Newest<TempFolder> m_newest{this};
};

// The size in bytes of the file at path; 0 when there is none.
qint64 sizeOf(const QString& path);

// Writes bytes to the file at path, its folders created; false when that fails.
bool writeFile(const QString& path, const QByteArray& bytes);
// The bytes of the file at path; none when it cannot be read.
QByteArray readAll(const QString& path);

} // namespace pinakos::test
