#pragma once
// Backup copies of the program folder: making one, checking it, listing the
// copies of a backup folder, keeping the last automatic ones, restoring one.
//
// A copy is a plain folder "Pinakos-copia-AAAA-MM-GG-hhmmss" of the backup
// folder holding every archive, the photo and document folders, the
// password file and Copie.ini as they are in the program folder, and
// copia.txt, which lists each file with its size and SHA-256. It is written
// under a temporary name, read back and checked, and only then renamed.
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace pinakos::backup {

enum class Kind { Manual, Automatic, BeforeRestore };

// "manuale", "automatica", "prima del ripristino".
QString kindText(Kind kind);

// One file of a copy: its path inside the folder ("Pinakos/Arte_Foto_1.jpg",
// with "/"), its size and its SHA-256 in lower-case hexadecimal.
struct Entry
{
    QString path;
    qint64 size = 0;
    QByteArray sha256;
};

// A copy found in the backup folder.
struct Copy
{
    QString folder; // full path
    QString name; // the folder's own name
    QDateTime when;
    Kind kind = Kind::Manual;
    qint64 size = 0; // bytes of the files listed in copia.txt
};

// Work under way: bytes done of the total; false stops the work (Cancel).
using Progress = std::function<bool(qint64 done, qint64 total)>;

// The name of the list of a copy.
inline constexpr const char* kManifest = "copia.txt";

// "Pinakos-copia-2026-12-10-203446".
QString copyName(const QDateTime& when);

// The files a copy takes from the program folder, by path inside it, sizes
// filled in: *.art of the folder itself, everything under Pinakos/ and
// Documenti_Allegati/, unins000.dll and Copie.ini. Nothing under `skip`
// (the backup folder, when it lies inside the program folder). Archives
// come last.
QList<Entry> filesToCopy(const QString& programFolder, const QString& skip = QString());

// Why `backupFolder` cannot hold the copies of `programFolder` (it lies in
// the photo or document folder, which a copy takes whole), or an empty text.
QString folderProblem(const QString& programFolder, const QString& backupFolder);

// Makes a copy of the program folder in the backup folder. Gives the copy,
// or nothing when the user cancelled; throws pinakos::Failure saying why
// when it fails. Either way no folder is left under a copy's name unless
// it is complete and checked.
std::optional<Copy> makeCopy(const QString& programFolder, const QString& backupFolder, Kind kind,
                             const QDateTime& when, const Progress& progress = {});

// The copies of a backup folder, newest first. Folders without a readable
// copia.txt, or not named as copies, are not copies.
QList<Copy> listCopies(const QString& backupFolder);

// "10/12/2026 20:34:46   manuale   2,4 MB".
QString copyLine(const Copy& copy);
// "0 byte", "512 byte", "1,5 KB", "2,4 MB", "3,1 GB".
QString sizeText(qint64 bytes);

// The files listed in a copy's copia.txt; throws pinakos::Failure when it
// is missing or unreadable.
QList<Entry> readManifest(const QString& copyFolder);
// Reads every file of a copy back and compares it with copia.txt; throws
// pinakos::Failure naming the first damaged or missing file.
void checkCopy(const QString& copyFolder, const Progress& progress = {});

// Removes the automatic copies beyond the newest `keep`; manual ones and
// those made before a restore stay. Gives how many went.
int removeOldAutomatic(const QString& backupFolder, int keep = 10);

// Restores a copy into the program folder: checks it whole, makes a copy
// "prima del ripristino" of the present state in the backup folder, then
// replaces the program folder's files by the copy's, each through a
// temporary file and a rename, checked again, the archives last. Files that
// are not in the copy stay; Copie.ini stays as it is now. Gives the copy
// made before the restore, or nothing when cancelled before any file was
// replaced. Throws pinakos::Failure saying why.
std::optional<Copy> restoreCopy(const QString& copyFolder, const QString& programFolder, const QString& backupFolder,
                                const QDateTime& when, const Progress& progress = {});

// The free bytes where a folder lies; tests replace it to stand for a full
// disk (an empty function goes back to the file system's answer).
qint64 freeSpace(const QString& folder);
void setFreeSpaceProbe(std::function<qint64(const QString&)> probe);
// Tests stand for a disk that gives back other bytes than it was given: the
// probe sees each block read back while a copy is made (the file's path
// inside the copy, the bytes) and may change it. It is called from the
// copying threads; an empty function leaves the bytes alone.
void setReadBackProbe(std::function<void(const QString& path, char* bytes, qint64 size)> probe);

// ---------------------------------------------------------------- settings

// The settings of the backup window, in Copie.ini of the program folder.
struct Settings
{
    QString folder; // the backup folder; empty until chosen
    bool automatic = true; // a copy at the end of the program
    QString stamp; // the program folder's state at the last copy
    QString autoFailure; // why the last automatic copy failed, until told
};

QString settingsFile(const QString& programFolder);
Settings loadSettings(const QString& programFolder);
// Throws pinakos::Failure when the file cannot be written.
void saveSettings(const QString& programFolder, const Settings& settings);

// A fingerprint of what a copy would take (names, sizes, modification
// times, Copie.ini left out): it changes when an archive, photo, document
// or the password changes.
QString stateStamp(const QString& programFolder, const QString& skip = QString());

// A copy into the chosen folder, recorded in the settings (the state stamp;
// the old automatic copies are pruned after an automatic one).
std::optional<Copy> copyNow(const QString& programFolder, Kind kind, const QDateTime& when,
                            const Progress& progress = {});

// Whether the copy at the end of the program is due: the option on, a
// folder chosen, something changed since the last copy.
bool automaticCopyDue(const QString& programFolder);

enum class AutoResult { NotNeeded, Made, Failed };
// The copy at the end of the program: made when the option is on, a folder
// is chosen and something changed since the last copy. A failure is kept
// in the settings, to be told at the next start; nothing is thrown.
AutoResult automaticCopy(const QString& programFolder, const QDateTime& when, const Progress& progress = {});
// Why the last automatic copy failed, once: the text is cleared.
QString takeAutomaticFailure(const QString& programFolder);

} // namespace pinakos::backup
