#pragma once
// The bin of deleted catalogs: the folder Cestino of the program folder.
// A deleted archive is kept there as <name>.art (<name> (2).art when a
// catalog of the same name is already in the bin), with the time of its
// deletion in <file>.eliminato beside it, until it is recovered or is older
// than 90 days.
#include <QDateTime>
#include <QList>
#include <QString>

namespace pinakos::bin {

struct Entry
{
    QString name; // the catalog's own name
    QDateTime deleted;
    QString file; // full path of the archive in the bin
};

// programFolder + "Cestino".
QString binFolder(const QString& programFolder);

// Moves the archive at `archivePath` into the bin, keeping `when` beside
// it. Throws pinakos::Failure ("Attenzione: non è stato possibile eliminare
// il catalogo selezionato." and the reason) when it cannot; the archive then
// stays where it was.
void moveToBin(const QString& programFolder, const QString& archivePath, const QDateTime& when);

// What the bin holds, the last deleted first.
QList<Entry> listBin(const QString& programFolder);

// "Paesaggi   eliminato il 10/12/2026 alle 20:34".
QString binLine(const Entry& entry);

// Brings an archive back into the program folder as name + ".art". Gives
// false, changing nothing, when a catalog of that name exists (letters
// compared without regard to case). Throws pinakos::Failure when it cannot.
bool recover(const QString& programFolder, const Entry& entry, const QString& name);

// Removes what was deleted more than `days` days before `now`; gives how
// many archives went.
int purge(const QString& programFolder, const QDateTime& now, int days = 90);

} // namespace pinakos::bin
