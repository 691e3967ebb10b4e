#include "sheet/Documents.h"

#include "base/Failure.h"
#include "base/Log.h"
#include "base/ProgramFolder.h"
#include "base/Text.h"
#include "store/SchedaOpera.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <memory>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace pinakos {

namespace {

constexpr qint64 kBlockBytes = 1024 * 1024;

std::filesystem::path fsPath(const QString& p) { return std::filesystem::path(p.toStdU16String()); }

const QString& cannotReadMessage()
{
    static const QString m = QStringLiteral("Attenzione: non è stato possibile leggere il file scelto.\r\n\r\n"
                                            "Il documento non è stato allegato.");
    return m;
}

const QString& cannotWriteMessage()
{
    static const QString m = QStringLiteral(
        "Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.\r\n\r\n"
        "Accertarsi che il disco non sia pieno e di possedere i privilegi di scrittura nella "
        "cartella di installazione del programma.");
    return m;
}

bool sameFile(const QString& a, const QString& b)
{
    std::error_code ec;
    const bool same = std::filesystem::equivalent(fsPath(a), fsPath(b), ec);
    return !ec && same;
}

// Makes sure the data reach the disk before the rename makes them the document.
bool syncToDisk(QFile& f)
{
    if (!f.flush())
        return false;
#ifdef Q_OS_WIN
    return ::_commit(f.handle()) == 0; // FlushFileBuffers on the file's handle
#else
    return ::fsync(f.handle()) == 0;
#endif
}

} // namespace

QString documentsFolder() { return programFolder() + QStringLiteral("Documenti_Allegati") + QDir::separator(); }

bool isSafeDocumentName(const QString& name)
{
    const QString n = trimmed(name);
    if (n.isEmpty())
        return false;
    bool onlyDots = true;
    for (QChar c : n) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32 || c.unicode() == 127)
            return false;
        if (c != u'.' && c != u' ')
            onlyDots = false;
    }
    return !onlyDots;
}

QString documentPath(const QString& name)
{
    return isSafeDocumentName(name) ? documentsFolder() + trimmed(name) : QString();
}

DocumentTarget prepareDocument(const QString& source)
{
    const QFileInfo info(source);
    DocumentTarget t;
    t.name = trimmed(info.fileName());
    if (!isSafeDocumentName(t.name))
        throw Failure(lcStore,
                      QStringLiteral("Attenzione: il nome del file scelto non può essere usato per un documento "
                                     "allegato.\r\n\r\nRinominare il file togliendo i caratteri \\ / : e "
                                     "scegliere di nuovo."));
    // The record keeps the name in Windows-1252, 250 bytes at most: a name
    // that does not come back from it whole would name no file once saved.
    TSchedaOpera probe;
    probe.setText(Campo::File01, t.name);
    if (probe.text(Campo::File01) != t.name)
        throw Failure(lcStore,
                      QStringLiteral("Attenzione: il nome del file scelto è troppo lungo o contiene caratteri che la "
                                     "scheda non può conservare.\r\n\r\nRinominare il file con un nome più breve, "
                                     "fatto di lettere, cifre e segni comuni, e sceglierlo di nuovo."));
    // Only a plain file: a folder, a pipe or a device is no document (and a
    // pipe would wait for a writer).
    if (!info.isFile() || !info.isReadable())
        throw Failure(lcStore, cannotReadMessage());
    const QString folder = documentsFolder();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        throw Failure(
            lcStore,
            QStringLiteral("Attenzione: non è stato possibile creare la cartella dei documenti allegati.\r\n\r\n"
                           "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
                           "programma."));
    t.path = folder + t.name;
    const QFileInfo target(t.path);
    t.exists = target.exists() || target.isSymLink();
    t.sameFile = t.exists && sameFile(source, t.path);
    return t;
}

void copyDocument(const QString& source, const QString& target)
{
    if (sameFile(source, target))
        return;
    if (!QFileInfo(source).isFile())
        throw Failure(lcStore, cannotReadMessage());
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw Failure(lcStore, cannotReadMessage());

    const QString folder = QFileInfo(target).absolutePath();
    auto outFile = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/.allegato-XXXXXX"));
    QTemporaryFile& out = *outFile;
    if (!out.open())
        throw Failure(lcStore, cannotWriteMessage());
    const auto buffer = std::make_unique<char[]>(kBlockBytes);
    for (;;) {
        const qint64 n = in.read(buffer.get(), kBlockBytes);
        if (n < 0)
            throw Failure(lcStore, cannotReadMessage());
        if (n == 0)
            break;
        if (out.write(buffer.get(), n) != n)
            throw Failure(lcStore, cannotWriteMessage());
    }
    if (!syncToDisk(out))
        throw Failure(lcStore, cannotWriteMessage());
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
                       | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString temp = out.fileName();
    out.close();
    if (out.error() != QFileDevice::NoError)
        throw Failure(lcStore, cannotWriteMessage());
    // A closed temporary file is still held open (to be reopened), and
    // Windows renames no open file: the object goes before the rename.
    out.setAutoRemove(false);
    outFile.reset();
    // The rename replaces the name itself, never a file that a link of that
    // name might point to.
    std::error_code ec;
    std::filesystem::rename(fsPath(temp), fsPath(target), ec);
    if (ec) {
        QFile::remove(temp);
        throw Failure(lcStore, cannotWriteMessage());
    }
}

QString overwriteDocumentQuestion()
{
    return QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso "
                          "nome.\r\n\r\nSi vuole sovrascrivere il file esistente?");
}

} // namespace pinakos
