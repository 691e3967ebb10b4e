#include "backup/Backup.h"

#include "access/IniFile.h"
#include "backup/Sha256.h"
#include "base/Failure.h"
#include "base/Log.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>
#include <QThreadPool>

#include <algorithm>
#include <deque>
#include <future>
#include <memory>

namespace pinakos::backup {

namespace {

const QString kPrefix = QStringLiteral("Pinakos-copia-");
const QString kCopyFailed = QStringLiteral("Attenzione: non è stato possibile creare la copia di sicurezza.");
const QString kRestoreFailed = QStringLiteral("Attenzione: la copia non è stata ripristinata.");
const QString kBreak = QStringLiteral("\r\n\r\n");
const QString kPhotos = QStringLiteral("Pinakos");
const QString kDocuments = QStringLiteral("Documenti_Allegati");
const QString kPassword = QStringLiteral("unins000.dll");
const QString kSettings = QStringLiteral("Copie.ini");
const QString kSection = QStringLiteral("Copie");
constexpr qint64 kChunk = 4 << 20;

std::function<qint64(const QString&)>& probe()
{
    static std::function<qint64(const QString&)> p;
    return p;
}

QString withSlash(const QString& folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

QString nativePath(const QString& p) { return QDir::toNativeSeparators(p); }

bool isArchive(const QString& path) { return !path.contains(u'/') && path.endsWith(u".art", Qt::CaseInsensitive); }

// Whether `path` is `folder` or lies inside it.
bool inside(const QString& path, const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QString p = withSlash(QFileInfo(path).absoluteFilePath());
    const QString f = withSlash(QFileInfo(folder).absoluteFilePath());
    return p.startsWith(f, Qt::CaseInsensitive);
}

void sortArchivesLast(QList<Entry>& entries)
{
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const bool aa = isArchive(a.path), ba = isArchive(b.path);
        if (aa != ba)
            return !aa;
        return a.path < b.path;
    });
}

// Reports progress; false once the user has cancelled.
bool report(const Progress& progress, qint64 done, qint64 total) { return !progress || progress(done, total); }

// Copies one file, hashing what it reads; gives the hash.
QByteArray copyFile(const QString& from, QIODevice& to, const QString& shownName, const QString& destFolder,
                    QByteArray& buffer, qint64& done, qint64 total, const Progress& progress, bool& cancelled)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Non è possibile leggere il file ") + shownName
                          + QStringLiteral(": ") + in.errorString());
    Sha256 hash;
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0)
            throw Failure(lcBackup,
                          kCopyFailed + kBreak + QStringLiteral("Non è possibile leggere il file ") + shownName
                              + QStringLiteral(": ") + in.errorString());
        if (n == 0)
            break;
        hash.add(QByteArrayView(buffer.constData(), n));
        if (to.write(buffer.constData(), n) != n) {
            const QFileDevice* fd = qobject_cast<const QFileDevice*>(&to);
            const bool full = (fd && fd->error() == QFileDevice::ResourceError) || freeSpace(destFolder) < n;
            throw Failure(lcBackup,
                          kCopyFailed + kBreak
                              + (full ? QStringLiteral("Il disco della cartella delle copie è pieno.")
                                      : QStringLiteral("Non è possibile scrivere il file ") + shownName
                                         + QStringLiteral(" nella copia: ") + to.errorString()));
        }
        done += n;
        if (!report(progress, done, total)) {
            cancelled = true;
            return QByteArray();
        }
    }
    return hash.hexResult();
}

QByteArray manifestText(const QList<Entry>& entries, Kind kind, const QDateTime& when)
{
    QString t;
    t += QStringLiteral("Copia di sicurezza di Pinakos\r\n");
    t += QStringLiteral("Tipo: ") + kindText(kind) + QStringLiteral("\r\n");
    t += QStringLiteral("Data: ") + when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + QStringLiteral("\r\n");
    t += QStringLiteral("Ogni riga seguente: SHA-256, dimensione in byte, file (separati da una tabulazione).\r\n");
    t += QStringLiteral("\r\n");
    for (const Entry& e : entries)
        t += QString::fromLatin1(e.sha256) + u'\t' + QString::number(e.size) + u'\t' + e.path + QStringLiteral("\r\n");
    return t.toUtf8();
}

struct Manifest
{
    Kind kind = Kind::Manual;
    QList<Entry> entries;
};

std::optional<Manifest> parseManifest(const QString& copyFolder)
{
    QFile f(withSlash(copyFolder) + QLatin1String(kManifest));
    if (f.size() > (256 << 20) || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(f.readAll());
    if (!text.startsWith(QStringLiteral("Copia di sicurezza di Pinakos")))
        return std::nullopt;
    static const QRegularExpression line(QStringLiteral("^([0-9a-f]{64})\\t(\\d+)\\t(.+)$"));
    Manifest m;
    for (QString l : text.split(u'\n')) {
        if (l.endsWith(u'\r'))
            l.chop(1);
        if (l.startsWith(QStringLiteral("Tipo: "))) {
            const QString k = l.mid(6);
            m.kind = k == kindText(Kind::Automatic)  ? Kind::Automatic
                : k == kindText(Kind::BeforeRestore) ? Kind::BeforeRestore
                                                     : Kind::Manual;
            continue;
        }
        const QRegularExpressionMatch match = line.match(l);
        if (!match.hasMatch())
            continue;
        const QString path = match.captured(3);
        // Nothing of a copy may point outside the program folder.
        if (path.startsWith(u'/') || path.contains(u'\\') || path.contains(u':')
            || path.split(u'/').contains(QStringLiteral("..")))
            continue;
        m.entries.append({path, match.captured(2).toLongLong(), match.captured(1).toLatin1()});
    }
    return m;
}

// "Pinakos-copia-2026-12-10-203446" or the same with "-2", "-3" behind.
std::optional<QDateTime> timeOfName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^Pinakos-copia-(\\d{4}-\\d{2}-\\d{2}-\\d{6})(-\\d+)?$"));
    const QRegularExpressionMatch m = re.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    const QDateTime t = QDateTime::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd-HHmmss"));
    if (!t.isValid())
        return std::nullopt;
    return t;
}

int suffixOfName(const QString& name)
{
    const int dash = int(name.lastIndexOf(u'-'));
    const QString tail = name.mid(dash + 1);
    return tail.size() < 6 ? tail.toInt() : 1;
}

// Reads a file back and gives its hash, or an empty text when unreadable.
QByteArray hashBack(const QString& path, QByteArray& buffer, qint64& size)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    Sha256 hash;
    size = 0;
    for (;;) {
        const qint64 n = f.read(buffer.data(), buffer.size());
        if (n < 0)
            return QByteArray();
        if (n == 0)
            break;
        hash.add(QByteArrayView(buffer.constData(), n));
        size += n;
    }
    return hash.hexResult();
}

} // namespace

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::Manual:
        return QStringLiteral("manuale");
    case Kind::Automatic:
        return QStringLiteral("automatica");
    case Kind::BeforeRestore:
        return QStringLiteral("prima del ripristino");
    }
    return QString();
}

QString copyName(const QDateTime& when) { return kPrefix + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss")); }

qint64 freeSpace(const QString& folder)
{
    if (probe())
        return probe()(folder);
    QStorageInfo info(folder);
    return info.isValid() ? info.bytesAvailable() : -1;
}

void setFreeSpaceProbe(std::function<qint64(const QString&)> p) { probe() = std::move(p); }

QList<Entry> filesToCopy(const QString& programFolder, const QString& skip)
{
    const QString root = withSlash(programFolder);
    QList<Entry> out;
    const QDir dir(root);
    for (const QFileInfo& fi : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        const QString n = fi.fileName();
        if (fi.isFile() && (n.endsWith(u".art", Qt::CaseInsensitive) || n == kPassword || n == kSettings))
            out.append({n, fi.size(), {}});
    }
    for (const QString& sub : {kPhotos, kDocuments}) {
        if (!QFileInfo(root + sub).isDir() || inside(root + sub, skip))
            continue;
        QDirIterator it(root + sub, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            const QFileInfo fi = it.fileInfo();
            if (!fi.isFile() || inside(p, skip))
                continue;
            out.append({QDir::fromNativeSeparators(p).mid(QDir::fromNativeSeparators(root).size()), fi.size(), {}});
        }
    }
    sortArchivesLast(out);
    return out;
}

QString folderProblem(const QString& programFolder, const QString& backupFolder)
{
    const QString root = withSlash(programFolder);
    if (inside(backupFolder, root + kPhotos) || inside(backupFolder, root + kDocuments))
        return QStringLiteral("Attenzione: la cartella delle copie non può stare dentro la cartella delle foto o "
                              "dei documenti allegati, che ogni copia contiene.");
    return QString();
}

std::optional<Copy> makeCopy(const QString& programFolder, const QString& backupFolder, Kind kind,
                             const QDateTime& when, const Progress& progress)
{
    const QString root = withSlash(programFolder);
    const QString target = withSlash(backupFolder);
    if (backupFolder.isEmpty() || !QFileInfo(target).isDir())
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("La cartella delle copie non è raggiungibile: ")
                          + nativePath(backupFolder));
    if (const QString problem = folderProblem(root, target); !problem.isEmpty())
        throw Failure(lcBackup, kCopyFailed + kBreak + problem);

    QList<Entry> entries = filesToCopy(root, target);
    qint64 total = 0;
    for (const Entry& e : entries)
        total += e.size;
    const qint64 free = freeSpace(target);
    if (free >= 0 && free < total + (1 << 20))
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Il disco della cartella delle copie è pieno: la copia ")
                          + QStringLiteral("richiede ") + sizeText(total) + QStringLiteral(", sono liberi ")
                          + sizeText(free) + u'.');

    // The final name: the time, or the time and a number when a copy of the
    // same second is already there.
    QString name = copyName(when);
    for (int n = 2; QFileInfo::exists(target + name); ++n)
        name = copyName(when) + u'-' + QString::number(n);
    const QString temp = target + u'.' + name + QStringLiteral(".in-corso");
    QDir(temp).removeRecursively(); // left over by an attempt that was cut off
    QByteArray buffer(kChunk, Qt::Uninitialized);
    qint64 done = 0;
    const qint64 work = total * 2; // copied, then read back
    if (!QDir().mkpath(temp))
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Non è possibile creare la cartella ") + nativePath(temp)
                          + u'.');

    struct Cleanup
    {
        QString folder;
        ~Cleanup()
        {
            if (!folder.isEmpty())
                QDir(folder).removeRecursively();
        }
    } cleanup{temp};

    // Each file is read back and hashed by a second thread while the next
    // one is copied. Declared after the cleanup, so that it has finished
    // reading before the folder goes.
    QThreadPool checker;
    checker.setMaxThreadCount(1);
    // The one checking thread's buffer, used by one check at a time. Not a
    // thread_local: MinGW's thread-local objects with destructors corrupt
    // the heap when a pool thread ends.
    const auto readBuffer = std::make_shared<QByteArray>(kChunk, Qt::Uninitialized);
    using Read = std::pair<QByteArray, qint64>; // hash and size read back
    std::deque<std::pair<qsizetype, std::future<Read>>> checks;
    // Waits for the oldest check; false when the user cancelled meanwhile.
    const auto settle = [&]() -> bool {
        auto [index, result] = std::move(checks.front());
        checks.pop_front();
        const Read r = result.get();
        const Entry& e = entries.at(index);
        if (r.first != e.sha256 || r.second != e.size)
            throw Failure(lcBackup,
                          kCopyFailed + kBreak + QStringLiteral("Il file ") + nativePath(e.path)
                              + QStringLiteral(" riletto dalla copia non corrisponde all'originale."));
        done += e.size;
        return report(progress, done, work);
    };

    if (!report(progress, 0, work))
        return std::nullopt;
    for (const QString& sub : {kPhotos, kDocuments})
        if (QFileInfo(root + sub).isDir())
            QDir().mkpath(temp + u'/' + sub);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        Entry& e = entries[i];
        const QString dest = temp + u'/' + e.path;
        const int slash = int(e.path.lastIndexOf(u'/'));
        if (slash > 0 && !QDir().mkpath(temp + u'/' + e.path.left(slash)))
            throw Failure(lcBackup,
                          kCopyFailed + kBreak + QStringLiteral("Non è possibile creare la cartella ")
                              + nativePath(temp + u'/' + e.path.left(slash)) + u'.');
        QFile out(dest);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            throw Failure(lcBackup,
                          kCopyFailed + kBreak + QStringLiteral("Non è possibile scrivere il file ")
                              + nativePath(e.path) + QStringLiteral(" nella copia: ") + out.errorString());
        bool cancelled = false;
        const qint64 before = done;
        e.sha256 = copyFile(root + e.path, out, nativePath(e.path), target, buffer, done, work, progress, cancelled);
        if (cancelled)
            return std::nullopt;
        e.size = done - before;
        if (!out.flush() || (out.close(), out.error() != QFileDevice::NoError))
            throw Failure(lcBackup,
                          kCopyFailed + kBreak + QStringLiteral("Non è possibile scrivere il file ")
                              + nativePath(e.path) + QStringLiteral(" nella copia: ") + out.errorString());
        // The original's time goes with it, so that the copy reads as the folder did.
        const QDateTime modified = QFileInfo(root + e.path).lastModified();
        if (out.open(QIODevice::ReadWrite)) {
            out.setFileTime(modified, QFileDevice::FileModificationTime);
            out.close();
        }

        // Read back: the file as the list says.
        auto promise = std::make_shared<std::promise<Read>>();
        checks.emplace_back(i, promise->get_future());
        checker.start([promise, dest, readBuffer] {
            qint64 size = 0;
            QByteArray h = hashBack(dest, *readBuffer, size);
            promise->set_value({std::move(h), size});
        });
        while (checks.size() > 2)
            if (!settle())
                return std::nullopt;
    }
    while (!checks.empty())
        if (!settle())
            return std::nullopt;

    QSaveFile list(temp + u'/' + QLatin1String(kManifest));
    if (!list.open(QIODevice::WriteOnly) || list.write(manifestText(entries, kind, when)) < 0 || !list.commit())
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Non è possibile scrivere l'elenco ")
                          + QLatin1String(kManifest) + QStringLiteral(": ") + list.errorString());
    const std::optional<Manifest> back = parseManifest(temp);
    if (!back || back->entries.size() != entries.size())
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("L'elenco ") + QLatin1String(kManifest)
                          + QStringLiteral(" riletto dalla copia non è completo."));

    if (!QDir().rename(temp, target + name))
        throw Failure(lcBackup,
                      kCopyFailed + kBreak + QStringLiteral("Non è possibile dare il nome ") + name
                          + QStringLiteral(" alla copia."));
    cleanup.folder.clear();

    Copy c;
    c.folder = target + name;
    c.name = name;
    c.when = when;
    c.kind = kind;
    c.size = total;
    return c;
}

QList<Copy> listCopies(const QString& backupFolder)
{
    QList<Copy> out;
    if (backupFolder.isEmpty())
        return out;
    const QString root = withSlash(backupFolder);
    const QStringList names = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& n : names) {
        const std::optional<QDateTime> t = timeOfName(n);
        if (!t)
            continue;
        const std::optional<Manifest> m = parseManifest(root + n);
        if (!m)
            continue; // removed meanwhile, or not one of ours
        Copy c;
        c.folder = root + n;
        c.name = n;
        c.when = *t;
        c.kind = m->kind;
        for (const Entry& e : m->entries)
            c.size += e.size;
        out.append(c);
    }
    std::stable_sort(out.begin(), out.end(), [](const Copy& a, const Copy& b) {
        if (a.when != b.when)
            return a.when > b.when;
        return suffixOfName(a.name) > suffixOfName(b.name);
    });
    return out;
}

QString sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" byte");
    static const char* units[] = {"KB", "MB", "GB", "TB"};
    double v = double(bytes);
    int u = -1;
    while (v >= 1024.0 && u < 3) {
        v /= 1024.0;
        ++u;
    }
    return QString::number(v, 'f', 1).replace(u'.', u',') + u' ' + QLatin1String(units[u]);
}

QString copyLine(const Copy& copy)
{
    return copy.when.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + QStringLiteral("   ") + kindText(copy.kind)
        + QStringLiteral("   ") + sizeText(copy.size);
}

QList<Entry> readManifest(const QString& copyFolder)
{
    if (!QFileInfo(copyFolder).isDir())
        throw Failure(lcBackup,
                      kRestoreFailed + kBreak + QStringLiteral("La copia scelta non esiste più: ")
                          + nativePath(copyFolder));
    const std::optional<Manifest> m = parseManifest(copyFolder);
    if (!m)
        throw Failure(lcBackup,
                      kRestoreFailed + kBreak + QStringLiteral("La copia scelta non ha un elenco ")
                          + QLatin1String(kManifest) + QStringLiteral(" leggibile."));
    return m->entries;
}

void checkCopy(const QString& copyFolder, const Progress& progress)
{
    const QList<Entry> entries = readManifest(copyFolder);
    qint64 total = 0, done = 0;
    for (const Entry& e : entries)
        total += e.size;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (const Entry& e : entries) {
        qint64 size = 0;
        const QByteArray h = hashBack(withSlash(copyFolder) + e.path, buffer, size);
        if (h != e.sha256 || size != e.size)
            throw Failure(lcBackup,
                          QStringLiteral("Attenzione: la copia scelta è danneggiata e non è stata ripristinata.")
                              + kBreak + QStringLiteral("File danneggiato: ") + nativePath(e.path));
        done += e.size;
        report(progress, done, total);
    }
}

int removeOldAutomatic(const QString& backupFolder, int keep)
{
    int kept = 0, removed = 0;
    for (const Copy& c : listCopies(backupFolder)) {
        if (c.kind != Kind::Automatic)
            continue;
        if (++kept <= keep)
            continue;
        if (QDir(c.folder).removeRecursively())
            ++removed;
    }
    return removed;
}

std::optional<Copy> restoreCopy(const QString& copyFolder, const QString& programFolder, const QString& backupFolder,
                                const QDateTime& when, const Progress& progress)
{
    QList<Entry> entries = readManifest(copyFolder);
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const Entry& e) { return e.path == kSettings; }),
                  entries.end());
    sortArchivesLast(entries);
    qint64 total = 0;
    for (const Entry& e : entries)
        total += e.size;
    // Three passes: the check, the copy of the present state (about the
    // same size), the restore itself.
    const qint64 work = total * 3;
    qint64 done = 0;
    const Progress phase = [&](qint64 d, qint64) { return report(progress, done + d, work); };

    checkCopy(copyFolder, phase);
    done += total;

    const std::optional<Copy> before =
        makeCopy(programFolder, backupFolder, Kind::BeforeRestore, when,
                 [&](qint64 d, qint64 t) { return report(progress, done + (t > 0 ? d * total / t : 0), work); });
    if (!before)
        return std::nullopt;
    done += total;

    const QString root = withSlash(programFolder);
    const QString from = withSlash(copyFolder);
    // Once files are being replaced, the message says where the state of
    // before is.
    try {
        QByteArray buffer(kChunk, Qt::Uninitialized);
        for (const Entry& e : entries) {
            const int slash = int(e.path.lastIndexOf(u'/'));
            if (slash > 0)
                QDir().mkpath(root + e.path.left(slash));
            QFile in(from + e.path);
            if (!in.open(QIODevice::ReadOnly))
                throw Failure(lcBackup,
                              QStringLiteral("Attenzione: la copia scelta è danneggiata e non è stata ripristinata.")
                                  + kBreak + QStringLiteral("File danneggiato: ") + nativePath(e.path));
            QSaveFile out(root + e.path);
            if (!out.open(QIODevice::WriteOnly))
                throw Failure(lcBackup,
                              kRestoreFailed + kBreak + QStringLiteral("Non è possibile scrivere il file ")
                                  + nativePath(e.path) + QStringLiteral(": ") + out.errorString());
            Sha256 hash;
            qint64 size = 0;
            for (;;) {
                const qint64 n = in.read(buffer.data(), buffer.size());
                if (n <= 0)
                    break;
                hash.add(QByteArrayView(buffer.constData(), n));
                if (out.write(buffer.constData(), n) != n)
                    throw Failure(lcBackup,
                                  kRestoreFailed + kBreak + QStringLiteral("Non è possibile scrivere il file ")
                                      + nativePath(e.path) + QStringLiteral(": ") + out.errorString());
                size += n;
                done += n;
                report(progress, done, work); // too late to stop halfway
            }
            if (size != e.size || hash.hexResult() != e.sha256) {
                out.cancelWriting();
                throw Failure(lcBackup,
                              QStringLiteral("Attenzione: la copia scelta è danneggiata e non è stata ripristinata "
                                             "del tutto.")
                                  + kBreak + QStringLiteral("File danneggiato: ") + nativePath(e.path));
            }
            if (!out.commit())
                throw Failure(lcBackup,
                              kRestoreFailed + kBreak + QStringLiteral("Non è possibile scrivere il file ")
                                  + nativePath(e.path) + QStringLiteral(": ") + out.errorString());
        }
    } catch (const Failure& f) {
        throw Failure(lcBackup,
                      f.message() + kBreak + QStringLiteral("Lo stato di prima del ripristino è nella copia ")
                          + before->name + u'.');
    }
    return before;
}

// ---------------------------------------------------------------- settings

QString settingsFile(const QString& programFolder) { return withSlash(programFolder) + kSettings; }

Settings loadSettings(const QString& programFolder)
{
    const QString file = settingsFile(programFolder);
    Settings s;
    s.folder = readIniValue(file, kSection, QStringLiteral("Cartella"));
    s.automatic = readIniValue(file, kSection, QStringLiteral("Automatica")) != QStringLiteral("0");
    s.stamp = readIniValue(file, kSection, QStringLiteral("Stato"));
    s.autoFailure = readIniValue(file, kSection, QStringLiteral("ErroreAutomatica"));
    s.autoFailure.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    return s;
}

void saveSettings(const QString& programFolder, const Settings& s)
{
    const QString file = settingsFile(programFolder);
    if (!QFileInfo::exists(file)) {
        // UTF-8 with its mark, so that any folder name keeps its letters.
        QSaveFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write("\xEF\xBB\xBF[Copie]\r\n") < 0 || !f.commit())
            throw Failure(lcBackup,
                          QStringLiteral("Attenzione: non è possibile scrivere le impostazioni delle copie in ")
                              + nativePath(file) + QStringLiteral(": ") + f.errorString());
    }
    QString failure = s.autoFailure;
    failure.replace(QStringLiteral("\r\n"), QStringLiteral("\\n")).replace(u'\n', QStringLiteral("\\n"));
    writeIniValue(file, kSection, QStringLiteral("Cartella"), s.folder);
    writeIniValue(file, kSection, QStringLiteral("Automatica"),
                  s.automatic ? QStringLiteral("1") : QStringLiteral("0"));
    writeIniValue(file, kSection, QStringLiteral("Stato"), s.stamp);
    writeIniValue(file, kSection, QStringLiteral("ErroreAutomatica"), failure);
}

QString stateStamp(const QString& programFolder, const QString& skip)
{
    const QString root = withSlash(programFolder);
    Sha256 hash;
    for (const Entry& e : filesToCopy(root, skip)) {
        if (e.path == kSettings)
            continue;
        const QFileInfo fi(root + e.path);
        hash.add((e.path + u'\t' + QString::number(e.size) + u'\t'
                  + QString::number(fi.lastModified().toMSecsSinceEpoch()) + u'\n')
                     .toUtf8());
    }
    return QString::fromLatin1(hash.hexResult());
}

std::optional<Copy> copyNow(const QString& programFolder, Kind kind, const QDateTime& when, const Progress& progress)
{
    Settings s = loadSettings(programFolder);
    const QString stamp = stateStamp(programFolder, s.folder);
    std::optional<Copy> c = makeCopy(programFolder, s.folder, kind, when, progress);
    if (!c)
        return c;
    if (kind == Kind::Automatic)
        removeOldAutomatic(s.folder);
    s = loadSettings(programFolder);
    s.stamp = stamp;
    saveSettings(programFolder, s);
    return c;
}

bool automaticCopyDue(const QString& programFolder)
{
    const Settings s = loadSettings(programFolder);
    return s.automatic && !s.folder.isEmpty() && stateStamp(programFolder, s.folder) != s.stamp;
}

AutoResult automaticCopy(const QString& programFolder, const QDateTime& when, const Progress& progress)
{
    try {
        if (!automaticCopyDue(programFolder))
            return AutoResult::NotNeeded;
        try {
            if (!copyNow(programFolder, Kind::Automatic, when, progress))
                return AutoResult::NotNeeded;
            return AutoResult::Made;
        } catch (const Failure& f) {
            Settings s = loadSettings(programFolder);
            s.autoFailure = QStringLiteral("Attenzione: la copia automatica fatta alla chiusura del programma non è "
                                           "riuscita.")
                + kBreak + f.message();
            saveSettings(programFolder, s);
            return AutoResult::Failed;
        }
    } catch (...) {
        return AutoResult::Failed;
    }
}

QString takeAutomaticFailure(const QString& programFolder)
{
    Settings s = loadSettings(programFolder);
    const QString text = s.autoFailure;
    if (!text.isEmpty()) {
        s.autoFailure.clear();
        saveSettings(programFolder, s);
    }
    return text;
}

} // namespace pinakos::backup
