#pragma once
#include <QString>
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

private:
    QTemporaryDir m_dir;
};

} // namespace pinakos::test
