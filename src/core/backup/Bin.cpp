#include "backup/Bin.h"

#include "base/Failure.h"
#include "base/Log.h"
#include "store/Catalogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace pinakos::bin {

namespace {

const QString kSide = QStringLiteral(".eliminato");
const QString kRefused = QStringLiteral("Attenzione: non è stato possibile eliminare il catalogo selezionato.");

QString withSlash(const QString& folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

QString stem(const QString& fileName) { return fileName.left(std::max<qsizetype>(0, fileName.size() - 4)); }

} // namespace

QString binFolder(const QString& programFolder) { return withSlash(programFolder) + QStringLiteral("Cestino"); }

void moveToBin(const QString& programFolder, const QString& archivePath, const QDateTime& when)
{
    const QFileInfo archive(archivePath);
    if (!archive.isFile())
        throw Failure(
            lcBackup,
            kRefused + QStringLiteral("\r\n\r\n") + QStringLiteral("Il file ") + QDir::toNativeSeparators(archivePath)
                + (archive.exists() ? QStringLiteral(" non è un archivio.") : QStringLiteral(" non esiste più.")));
    const QString bin = binFolder(programFolder);
    if (!QDir().mkpath(bin))
        throw Failure(lcBackup,
                      kRefused + QStringLiteral("\r\n\r\n") + QStringLiteral("Non è possibile creare la cartella ")
                          + QDir::toNativeSeparators(bin) + u'.');
    const QString name = stem(archive.fileName());
    QString stored = name;
    for (int n = 2;
         catalogExists(bin, stored) || QFileInfo::exists(bin + u'/' + stored + QStringLiteral(".art") + kSide); ++n)
        stored = name + QStringLiteral(" (") + QString::number(n) + u')';
    const QString target = bin + u'/' + stored + QStringLiteral(".art");

    QSaveFile side(target + kSide);
    const QByteArray text = (QStringLiteral("Nome=") + name + QStringLiteral("\r\nEliminato=")
                             + when.toString(Qt::ISODate) + QStringLiteral("\r\n"))
                                .toUtf8();
    if (!side.open(QIODevice::WriteOnly) || side.write(text) < 0 || !side.commit())
        throw Failure(lcBackup, kRefused + QStringLiteral("\r\n\r\n") + side.errorString());
    QFile f(archivePath);
    if (!f.rename(target)) {
        QFile::remove(target + kSide);
        throw Failure(lcBackup, kRefused + QStringLiteral("\r\n\r\n") + f.errorString());
    }
}

QList<Entry> listBin(const QString& programFolder)
{
    QList<Entry> out;
    const QString bin = binFolder(programFolder);
    for (const QString& file : listCatalogs(bin)) {
        Entry e;
        e.file = bin + u'/' + file;
        e.name = stem(file);
        QFile side(e.file + kSide);
        if (side.size() < 4096 && side.open(QIODevice::ReadOnly)) {
            for (QString line : QString::fromUtf8(side.readAll()).split(u'\n')) {
                line = line.trimmed();
                if (line.startsWith(QStringLiteral("Nome=")) && line.size() > 5)
                    e.name = line.mid(5);
                else if (line.startsWith(QStringLiteral("Eliminato=")))
                    e.deleted = QDateTime::fromString(line.mid(10), Qt::ISODate);
            }
        }
        if (!e.deleted.isValid())
            e.deleted = QFileInfo(e.file).lastModified();
        out.append(e);
    }
    std::stable_sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return a.deleted > b.deleted; });
    return out;
}

QString binLine(const Entry& entry)
{
    return entry.name + QStringLiteral("   eliminato il ") + entry.deleted.toString(QStringLiteral("dd/MM/yyyy"))
        + QStringLiteral(" alle ") + entry.deleted.toString(QStringLiteral("HH:mm"));
}

bool recover(const QString& programFolder, const Entry& entry, const QString& name)
{
    if (catalogExists(programFolder, name))
        return false;
    const QString target = withSlash(programFolder) + name + QStringLiteral(".art");
    QFile f(entry.file);
    if (!f.exists())
        throw Failure(lcBackup, QStringLiteral("Attenzione: il catalogo non è più nel cestino."));
    if (!f.rename(target))
        throw Failure(lcBackup,
                      QStringLiteral("Attenzione: non è stato possibile recuperare il catalogo.\r\n\r\n")
                          + f.errorString());
    QFile::remove(entry.file + kSide);
    return true;
}

int purge(const QString& programFolder, const QDateTime& now, int days)
{
    int removed = 0;
    const QDateTime limit = now.addDays(-days);
    for (const Entry& e : listBin(programFolder)) {
        if (e.deleted >= limit)
            continue;
        if (QFile::remove(e.file)) {
            QFile::remove(e.file + kSide);
            ++removed;
        }
    }
    return removed;
}

} // namespace pinakos::bin
