#include "store/ImportJob.h"

#include "backup/Sha256.h"
#include "base/Clock.h"
#include "base/Failure.h"
#include "base/Log.h"
#include "sheet/Photo.h"
#include "store/Catalogs.h"
#include "store/ImportFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QUuid>
#include <map>

namespace pinakos {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

bool isJpeg(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(3);
    return head == QByteArrayView("\xFF\xD8\xFF");
}

// The folder's files by their name in lower case, for matching a name in any case.
class FolderIndex
{
public:
    explicit FolderIndex(const QString& folder) : m_folder(folder)
    {
        const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        for (const QString& n : names)
            m_byLower.insert(n.toLower(), n);
    }
    QString find(const QString& cell) const
    {
        QString name = cell.trimmed();
        name = name.mid(std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1);
        if (name.isEmpty() || name == u"." || name == u"..")
            return {};
        const QString candidates[] = {name, name + QStringLiteral(".jpg"), name + QStringLiteral(".jpeg")};
        for (const QString& candidate : candidates) {
            if (const auto it = m_byLower.constFind(candidate.toLower()); it != m_byLower.cend())
                return QDir(m_folder).filePath(*it);
        }
        return {};
    }

private:
    QString m_folder;
    QHash<QString, QString> m_byLower;
};

// Photos copied under temporary names, removed again unless placed.
class StagedPhotos
{
public:
    ~StagedPhotos()
    {
        for (const auto& [row, temp] : m_temp)
            QFile::remove(temp);
    }
    void stage(int row, const QString& source, const QString& folder)
    {
        const QString temp = QDir(folder).filePath(
            QStringLiteral(".importazione-%1.tmp").arg(QUuid::createUuid().toString(QUuid::Id128)));
        if (!QFile::copy(source, temp)) {
            QFile::remove(temp);
            throw Failure(lcStore,
                          QStringLiteral("Impossibile copiare la foto %1 nella cartella %2.")
                              .arg(native(source), native(folder)));
        }
        m_temp.emplace(row, temp);
    }
    const std::map<int, QString>& staged() const { return m_temp; }
    void placed(int row) { m_temp.erase(row); }

private:
    std::map<int, QString> m_temp; // table row -> temporary file
};

// Writes the report; false, with the cause logged, when it could not.
bool writeReport(const QString& path, const QStringList& lines)
{
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write("\xEF\xBB\xBF");
        for (const QString& l : lines)
            f.write(l.toUtf8() + "\r\n");
        if (f.commit())
            return true;
    }
    qCWarning(lcStore).noquote() << "Resoconto dell'importazione non scritto:" << native(path) << f.errorString();
    return false;
}

QByteArray hashOf(QByteArrayView bytes)
{
    Sha256 h;
    h.add(bytes);
    return h.hexResult();
}

[[noreturn]] void cannotRead(const QFile& f)
{
    throw Failure(lcStore,
                  QStringLiteral("Impossibile leggere il file (%1): %2").arg(native(f.fileName()), f.errorString()));
}

} // namespace

ImportSource readImportSource(const QString& path)
{
    const QByteArray bytes = readTableBytes(path);
    return ImportSource{path, readTable(bytes), hashOf(bytes)};
}

QByteArray importFingerprint(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        cannotRead(f);
    const QByteArray h = Sha256::ofDevice(f);
    if (h.isEmpty())
        cannotRead(f);
    return h;
}

QString findPhoto(const QString& folder, const QString& cell)
{
    if (folder.isEmpty())
        return {};
    return FolderIndex(folder).find(cell);
}

ImportResult importFile(const ImportRequest& request, const ImportSource& source)
{
    if (importFingerprint(source.path) != source.fingerprint)
        throw Failure(lcStore,
                      QStringLiteral("Il file %1 è cambiato dopo la sua lettura: sceglierlo di nuovo e "
                                     "ripetere l'importazione.")
                          .arg(native(source.path)));
    const CsvTable& table = source.table;

    const int first = request.firstRowHeadings ? 1 : 0;
    const int photoColumn = request.mapping[kImportPhoto];
    std::map<int, QString> missing; // table row -> what became of its photo
    StagedPhotos photos;
    if (photoColumn >= 0 && !request.photoFolder.isEmpty()) {
        const FolderIndex index(request.photoFolder);
        const QString folder = photoFolder();
        if (!QDir().mkpath(folder))
            throw Failure(lcStore, QStringLiteral("Impossibile creare la cartella delle foto %1.").arg(native(folder)));
        for (int row = first; row < table.rowCount(); ++row) {
            const QString cell = table.cell(row, photoColumn).trimmed().toString();
            if (cell.isEmpty())
                continue;
            const QString source = index.find(cell);
            if (source.isEmpty())
                missing.emplace(row, QStringLiteral("foto \"%1\" non trovata").arg(cell));
            else if (!isJpeg(source))
                missing.emplace(row, QStringLiteral("foto \"%1\" non in formato JPEG").arg(cell));
            else
                photos.stage(row, source, folder);
        }
    }

    bool created = false;
    if (request.createArchive) {
        if (QFileInfo::exists(request.archivePath))
            throw Failure(lcStore, QStringLiteral("L'archivio %1 esiste già.").arg(native(request.archivePath)));
        createCatalog(request.archivePath);
        created = true;
    }
    ImportResult result;
    std::map<int, QString> changes; // table row -> its report line: what the rules changed, then its photo
    try {
        result.counts = importCsv(request.archivePath, table, request.mapping, request.firstRowHeadings,
                                  &result.firstNumber, [&](int row, const ImportedRow& made) {
                                      if (made.cut || made.replaced || made.priceUnread)
                                          changes[row] = describeChanges(row + 1, made);
                                  });
    } catch (...) {
        if (created)
            QFile::remove(request.archivePath);
        throw;
    }

    // The records are in: each staged photo takes its record's name.
    const auto staged = photos.staged();
    for (const auto& [row, temp] : staged) {
        const QString dest = photoPath(request.catalogName, result.firstNumber + row - first);
        QFile::remove(dest);
        if (QFile::rename(temp, dest)) {
            photos.placed(row);
            ++result.photosCopied;
        } else {
            missing.emplace(row, QStringLiteral("foto non sistemata in %1").arg(native(dest)));
        }
    }
    result.photosMissing = int(missing.size());

    if (changes.empty() && missing.empty())
        return result;
    QStringList lines;
    lines << QStringLiteral("Importazione del %1 dal file %2 nel catalogo %3")
                 .arg(now().toString(QStringLiteral("dd/MM/yyyy HH:mm")), native(source.path), request.catalogName);
    if (result.counts.rows > 0)
        lines << QStringLiteral("Importate %1 schede, dalla numero %2 alla numero %3.")
                     .arg(result.counts.rows)
                     .arg(result.firstNumber)
                     .arg(result.firstNumber + result.counts.rows - 1);
    lines << QString();
    for (const auto& [row, what] : missing) {
        QString& line = changes[row];
        line = line.isEmpty() ? QStringLiteral("Riga %1: %2").arg(row + 1).arg(what) : line + u"; " + what;
    }
    for (const auto& [row, line] : changes)
        lines << line + QStringLiteral(" (scheda numero %1)").arg(result.firstNumber + row - first);
    const QString report =
        QFileInfo(request.archivePath)
            .absoluteDir()
            .filePath(QStringLiteral("%1_importazione_%2.txt")
                          .arg(request.catalogName.trimmed(), now().toString(QStringLiteral("yyyy-MM-dd_HHmmss"))));
    if (writeReport(report, lines))
        result.reportPath = report;
    return result;
}

QString importMessage(const ImportResult& result)
{
    QString m = importMessage(result.counts);
    if (result.photosCopied || result.photosMissing)
        m += QStringLiteral("\nFoto copiate: %1; non trovate o non JPEG: %2.")
                 .arg(result.photosCopied)
                 .arg(result.photosMissing);
    if (!result.reportPath.isEmpty())
        m += QStringLiteral("\nIl dettaglio è nel file %1.").arg(QFileInfo(result.reportPath).fileName());
    return m;
}

} // namespace pinakos
