#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "Unavailable.h"
#include "backup/Backup.h"
#include "backup/Bin.h"
#include "backup/Sha256.h"
#include "base/Failure.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>

using namespace pinakos;
using namespace pinakos::test;
using backup::Kind;

namespace {

using Files = QMap<QString, QByteArray>;

const QDateTime kWhen(QDate(2026, 12, 10), QTime(20, 34, 46));

QByteArray bytesOf(int size, char seed)
{
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char(seed + i * 31 + (i >> 7));
    return b;
}

// A program folder as the program leaves it.
Files sampleFolder()
{
    return {
        {QStringLiteral("Paesaggi.art"), bytesOf(2925 * 3, 'a')},
        {QStringLiteral("Città del Nord.art"), bytesOf(2925, 'b')},
        {QStringLiteral("unins000.dll"), QByteArray("[Password]\r\nValore=QWERTY\r\n")},
        {QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg"), bytesOf(300000, 'c')},
        {QStringLiteral("Pinakos/Città del Nord_Foto_1.jpg"), bytesOf(1000, 'd')},
        {QStringLiteral("Documenti_Allegati/Perizia è firmata.pdf"), bytesOf(5000, 'e')},
        {QStringLiteral("Documenti_Allegati/sotto/nota.txt"), QByteArray("nota")},
    };
}

void put(const TempFolder& tmp, const Files& files)
{
    for (auto it = files.begin(); it != files.end(); ++it)
        tmp.write(it.key(), it.value());
}

// Every file under a folder, by path inside it.
Files filesUnder(const QString& folder)
{
    Files out;
    const QString root = QDir::fromNativeSeparators(QDir(folder).absolutePath()) + u'/';
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = QDir::fromNativeSeparators(it.next());
        out.insert(p.mid(root.size()), readAll(p));
    }
    return out;
}

// The lines of copia.txt that list files: path -> (size, hash).
QMap<QString, QPair<qint64, QByteArray>> listed(const QString& copyFolder)
{
    QMap<QString, QPair<qint64, QByteArray>> out;
    const QString text = QString::fromUtf8(readAll(copyFolder + QStringLiteral("/copia.txt")));
    for (const QString& l : text.split(QStringLiteral("\r\n"))) {
        const QStringList f = l.split(u'\t');
        if (f.size() == 3)
            out.insert(f[2], {f[1].toLongLong(), f[0].toLatin1()});
    }
    return out;
}

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray sha(const QByteArray& b) { return QCryptographicHash::hash(b, QCryptographicHash::Sha256).toHex(); }

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hashMatchesKnownDigests_data();
    void hashMatchesKnownDigests();
    void copyHoldsEveryFile_data();
    void copyHoldsEveryFile();
    void copiesOfOneSecondKeepApart();
    void damagedCopyIsNotRestored_data();
    void damagedCopyIsNotRestored();
    void failedCopyLeavesNoFinalFolder_data();
    void failedCopyLeavesNoFinalFolder();
    void damagedReadBackIsCaught_data();
    void damagedReadBackIsCaught();
    void cancelledCopyLeavesNothing();
    void copyRemovedWhileListed();
    void listingAndRotation();
    void restoreBringsBackTheCopy();
    void restoreStopsAtAFileDamagedMeanwhile();
    void automaticCopyRuns_data();
    void automaticCopyRuns();
    void binKeepsEveryDeletion();
    void binPurgeAfterNinetyDays_data();
    void binPurgeAfterNinetyDays();
    void sizeTexts_data();
    void sizeTexts();
};

void TestBackup::hashMatchesKnownDigests_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("digest");
    QTest::newRow("empty") << QByteArray()
                           << QByteArray("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    QTest::newRow("abc") << QByteArray("abc")
                         << QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    QTest::newRow("a million a") << QByteArray(1000000, 'a')
                                 << QByteArray("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

void TestBackup::hashMatchesKnownDigests()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, digest);
    Sha256 h;
    // In uneven pieces, as files are read.
    for (qsizetype at = 0; at < bytes.size(); at += 4093)
        h.add(QByteArrayView(bytes).sliced(at, std::min<qsizetype>(4093, bytes.size() - at)));
    QCOMPARE(h.hexResult(), digest);
    h.add(QByteArrayView("abc"));
    QCOMPARE(h.hexResult(), QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
}

void TestBackup::copyHoldsEveryFile_data()
{
    QTest::addColumn<QStringList>("names"); // which sample files the folder holds
    const QStringList all = sampleFolder().keys();
    QTest::newRow("everything, accents and blanks") << all;
    QTest::newRow("0 catalogs, password only") << QStringList{QStringLiteral("unins000.dll")};
    QTest::newRow("photos without archive")
        << QStringList{QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg"), QStringLiteral("unins000.dll")};
}

void TestBackup::copyHoldsEveryFile()
{
    QFETCH(QStringList, names);
    TempFolder tmp;
    Files files;
    for (const QString& n : names)
        files.insert(n, sampleFolder().value(n));
    put(tmp, files);
    // What a copy never takes: other files of the folder, the bin.
    tmp.write(QStringLiteral("Inventario_Opere.xls"), "xls");
    tmp.write(QStringLiteral("Cestino/Vecchio.art"), "old");
    QTemporaryDir target;

    const std::optional<backup::Copy> c =
        backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen, [](qint64, qint64) { return true; });
    QVERIFY(c);
    QCOMPARE(c->name, QStringLiteral("Pinakos-copia-2026-12-10-203446"));
    QCOMPARE(namesIn(target.path()), QStringList{c->name});

    Files inCopy = filesUnder(c->folder);
    QVERIFY(inCopy.remove(QStringLiteral("copia.txt")));
    QCOMPARE(inCopy, files); // byte for byte, nothing more
    const auto list = listed(c->folder);
    QCOMPARE(list.keys(), files.keys());
    for (auto it = files.begin(); it != files.end(); ++it) {
        QCOMPARE(list.value(it.key()).first, qint64(it.value().size()));
        QCOMPARE(list.value(it.key()).second, sha(it.value()));
    }
    QVERIFY(QString::fromUtf8(readAll(c->folder + QStringLiteral("/copia.txt"))).contains(QStringLiteral("manuale")));
    backup::checkCopy(c->folder);

    const QList<backup::Copy> copies = backup::listCopies(target.path());
    QCOMPARE(copies.size(), 1);
    QCOMPARE(copies[0].kind, Kind::Manual);
    QCOMPARE(copies[0].when, kWhen);
    qint64 total = 0;
    for (const QByteArray& b : files)
        total += b.size();
    QCOMPARE(copies[0].size, total);
}

void TestBackup::copiesOfOneSecondKeepApart()
{
    TempFolder tmp;
    put(tmp, sampleFolder());
    QTemporaryDir target;
    const auto a = backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen);
    tmp.write(QStringLiteral("Paesaggi.art"), "changed");
    const auto b = backup::makeCopy(tmp.path(), target.path(), Kind::Automatic, kWhen);
    QVERIFY(a && b);
    QVERIFY(a->folder != b->folder);
    QCOMPARE(readAll(a->folder + QStringLiteral("/Paesaggi.art")),
             sampleFolder().value(QStringLiteral("Paesaggi.art")));
    QCOMPARE(readAll(b->folder + QStringLiteral("/Paesaggi.art")), QByteArray("changed"));
    const QList<backup::Copy> copies = backup::listCopies(target.path());
    QCOMPARE(copies.size(), 2);
    QCOMPARE(copies[0].name, b->name); // the later one first
}

void TestBackup::damagedCopyIsNotRestored_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("file"); // the file the message must name
    QTest::newRow("a byte changed") << "flip" << QStringLiteral("Paesaggi.art");
    QTest::newRow("a photo cut short") << "cut" << QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg");
    QTest::newRow("a document gone") << "remove" << QStringLiteral("Documenti_Allegati/Perizia è firmata.pdf");
    QTest::newRow("no list") << "remove" << QStringLiteral("copia.txt");
}

void TestBackup::damagedCopyIsNotRestored()
{
    QFETCH(QString, damage);
    QFETCH(QString, file);
    TempFolder tmp;
    put(tmp, sampleFolder());
    QTemporaryDir target;
    const auto c = backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen);
    QVERIFY(c);
    const QString path = c->folder + u'/' + file;
    QByteArray b = readAll(path);
    if (damage == QLatin1String("flip")) {
        b[100] = char(b[100] ^ 0x01);
        QVERIFY(writeFile(path, b));
    } else if (damage == QLatin1String("cut")) {
        QVERIFY(writeFile(path, b.left(b.size() - 1)));
    } else {
        QVERIFY(QFile::remove(path));
    }
    // The present state, which the failed restore must leave alone.
    tmp.write(QStringLiteral("Paesaggi.art"), "present");
    const Files before = filesUnder(tmp.path());

    try {
        backup::restoreCopy(c->folder, tmp.path(), target.path(), kWhen.addSecs(60));
        QFAIL("restored a damaged copy");
    } catch (const Failure& f) {
        QVERIFY2(f.message().contains(QDir::toNativeSeparators(file)), qPrintable(f.message()));
    }
    QCOMPARE(filesUnder(tmp.path()), before);
    QCOMPARE(namesIn(target.path()), QStringList{c->name}); // no copy before a restore that did not start
}

void TestBackup::failedCopyLeavesNoFinalFolder_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("says");
    QTest::newRow("full disk") << "full" << QStringLiteral("pieno");
    QTest::newRow("a write refused halfway") << "limit" << QStringLiteral("Pinakos");
    QTest::newRow("an unreadable file") << "unreadable" << QStringLiteral("Paesaggi.art");
    QTest::newRow("backup folder removed") << "gone" << QStringLiteral("non è raggiungibile");
    QTest::newRow("backup folder among the photos") << "photos" << QStringLiteral("dentro la cartella delle foto");
}

void TestBackup::failedCopyLeavesNoFinalFolder()
{
    QFETCH(QString, fault);
    QFETCH(QString, says);
    TempFolder tmp;
    put(tmp, sampleFolder());
    QTemporaryDir target;
    QString folder = target.path();
    std::unique_ptr<FileSizeLimit> limit;
    if (fault == QLatin1String("full")) {
        backup::setFreeSpaceProbe([](const QString&) { return qint64(4096); });
    } else if (fault == QLatin1String("limit")) {
        limit = std::make_unique<FileSizeLimit>(100000); // the 300 kB photo does not fit
        if (!limit->active())
            QSKIP("no file size limit here");
    } else if (fault == QLatin1String("unreadable")) {
        const QString p = tmp.file(QStringLiteral("Paesaggi.art"));
        if (!QFile::setPermissions(p, QFileDevice::Permissions()))
            QSKIP(kNoUnreadableFile);
        if (QFile f(p); f.open(QIODevice::ReadOnly))
            QSKIP(kNoUnreadableFile);
    } else if (fault == QLatin1String("photos")) {
        folder = tmp.file(QStringLiteral("Pinakos/copie"));
        QVERIFY(QDir().mkpath(folder));
    } else {
        folder = target.path() + QStringLiteral("/chiavetta");
    }
    try {
        backup::makeCopy(tmp.path(), folder, Kind::Manual, kWhen);
        limit.reset();
        backup::setFreeSpaceProbe({});
        QFAIL("the copy did not fail");
    } catch (const Failure& f) {
        limit.reset();
        backup::setFreeSpaceProbe({});
        QVERIFY2(f.message().startsWith(QStringLiteral("Attenzione: non è stato possibile creare la copia")),
                 qPrintable(f.message()));
        QVERIFY2(f.message().contains(says), qPrintable(f.message()));
    }
    QCOMPARE(namesIn(target.path()), QStringList{}); // neither a final nor a temporary folder
    QVERIFY(backup::listCopies(target.path()).isEmpty());
    QVERIFY(backup::listCopies(folder).isEmpty());
}

void TestBackup::damagedReadBackIsCaught_data()
{
    QTest::addColumn<int>("extraPhotos"); // photos beside the sample, copied at once
    QTest::addColumn<QString>("damaged");
    QTest::addColumn<int>("block"); // which block of it reads back wrong, from 0
    QTest::newRow("a photo, past its first block") << 0 << QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg") << 1;
    QTest::newRow("the archive") << 0 << QStringLiteral("Paesaggi.art") << 0;
    QTest::newRow("one of many photos") << 60 << QStringLiteral("Pinakos/Altro_Foto_37.jpg") << 0;
}

void TestBackup::damagedReadBackIsCaught()
{
    QFETCH(int, extraPhotos);
    QFETCH(QString, damaged);
    QFETCH(int, block);
    TempFolder tmp;
    Files files = sampleFolder();
    for (int n = 1; n <= extraPhotos; ++n)
        files.insert(QStringLiteral("Pinakos/Altro_Foto_%1.jpg").arg(n), bytesOf(70000, char(n)));
    put(tmp, files);
    QTemporaryDir target;
    std::atomic<int> seen{0};
    // The disk gives back one byte changed.
    backup::setReadBackProbe([&](const QString& path, char* bytes, qint64 size) {
        if (path == damaged && seen++ == block)
            bytes[size / 2] ^= 0x10;
    });
    try {
        backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen);
        backup::setReadBackProbe({});
        QFAIL("a copy that reads back wrong was kept");
    } catch (const Failure& f) {
        backup::setReadBackProbe({});
        QVERIFY2(f.message().contains(QDir::toNativeSeparators(damaged) + QStringLiteral(" riletto dalla copia")),
                 qPrintable(f.message()));
    }
    QVERIFY(seen > block);
    QCOMPARE(namesIn(target.path()), QStringList{});
    // The same folder copies well once the disk reads right.
    const auto c = backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen);
    QVERIFY(c);
    Files inCopy = filesUnder(c->folder);
    inCopy.remove(QStringLiteral("copia.txt"));
    QCOMPARE(inCopy, files);
}

void TestBackup::cancelledCopyLeavesNothing()
{
    TempFolder tmp;
    put(tmp, sampleFolder());
    QTemporaryDir target;
    int calls = 0;
    const auto c = backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen,
                                    [&](qint64 done, qint64) { return ++calls < 3 || done == 0; });
    QVERIFY(!c);
    QCOMPARE(namesIn(target.path()), QStringList{});
}

void TestBackup::copyRemovedWhileListed()
{
    TempFolder tmp;
    put(tmp, sampleFolder());
    QTemporaryDir target;
    const auto a = backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen);
    const auto b = backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen.addSecs(1));
    QVERIFY(a && b);
    const QList<backup::Copy> shown = backup::listCopies(target.path());
    QCOMPARE(shown.size(), 2);
    QVERIFY(QDir(a->folder).removeRecursively()); // someone removes it from the disk
    const Files before = filesUnder(tmp.path());
    try {
        backup::restoreCopy(shown[1].folder, tmp.path(), target.path(), kWhen.addSecs(60));
        QFAIL("restored a copy that is gone");
    } catch (const Failure& f) {
        QVERIFY2(f.message().contains(QStringLiteral("non esiste più")), qPrintable(f.message()));
    }
    QCOMPARE(filesUnder(tmp.path()), before);
    QCOMPARE(backup::listCopies(target.path()).size(), 1);
    // A folder named as a copy but without its list is not a copy.
    QVERIFY(QDir().mkpath(target.path() + QStringLiteral("/Pinakos-copia-2020-01-01-000000")));
    QCOMPARE(backup::listCopies(target.path()).size(), 1);
}

void TestBackup::listingAndRotation()
{
    TempFolder tmp;
    tmp.write(QStringLiteral("Uno.art"), "1");
    QTemporaryDir target;
    QVERIFY(backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen.addDays(-30)));
    QVERIFY(backup::makeCopy(tmp.path(), target.path(), Kind::BeforeRestore, kWhen.addDays(-29)));
    for (int i = 0; i < 12; ++i)
        QVERIFY(backup::makeCopy(tmp.path(), target.path(), Kind::Automatic, kWhen.addDays(-20 + i)));
    QCOMPARE(backup::removeOldAutomatic(target.path(), 10), 2);
    const QList<backup::Copy> copies = backup::listCopies(target.path());
    QCOMPARE(copies.size(), 12);
    for (int i = 1; i < copies.size(); ++i)
        QVERIFY(copies[i - 1].when > copies[i].when);
    QCOMPARE(copies.first().when, kWhen.addDays(-9));
    QCOMPARE(copies[9].when, kWhen.addDays(-18)); // the two oldest automatic ones went
    QCOMPARE(copies[10].kind, Kind::BeforeRestore);
    QCOMPARE(copies[11].kind, Kind::Manual);
    QCOMPARE(backup::copyLine(copies[10]), QStringLiteral("11/11/2026 20:34:46   prima del ripristino   1 byte"));
    QCOMPARE(backup::removeOldAutomatic(target.path(), 10), 0);
}

void TestBackup::restoreBringsBackTheCopy()
{
    TempFolder tmp;
    const Files files = sampleFolder();
    put(tmp, files);
    tmp.write(QStringLiteral("Copie.ini"), "[Copie]\r\nCartella=prima\r\n");
    QTemporaryDir target;
    const auto c = backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen);
    QVERIFY(c);

    // Later: the archive damaged, a photo changed, a new catalog, other settings.
    tmp.write(QStringLiteral("Paesaggi.art"), "rovinato");
    tmp.write(QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg"), "altra foto");
    tmp.write(QStringLiteral("Nuovo.art"), "nuovo");
    tmp.write(QStringLiteral("Copie.ini"), "[Copie]\r\nCartella=dopo\r\n");

    const auto before = backup::restoreCopy(c->folder, tmp.path(), target.path(), kWhen.addSecs(60));
    QVERIFY(before);
    QCOMPARE(before->kind, Kind::BeforeRestore);
    for (auto it = files.begin(); it != files.end(); ++it)
        QCOMPARE(tmp.read(it.key()), it.value());
    QCOMPARE(tmp.read(QStringLiteral("Nuovo.art")), QByteArray("nuovo")); // not in the copy: kept
    QCOMPARE(tmp.read(QStringLiteral("Copie.ini")), QByteArray("[Copie]\r\nCartella=dopo\r\n"));
    // The copy made first holds the damaged state.
    QCOMPARE(readAll(before->folder + QStringLiteral("/Paesaggi.art")), QByteArray("rovinato"));
    QCOMPARE(readAll(before->folder + QStringLiteral("/Nuovo.art")), QByteArray("nuovo"));
    // No temporary file left beside the restored ones.
    for (const QString& n : namesIn(tmp.path()))
        QVERIFY2(!n.contains(QStringLiteral("tmp"), Qt::CaseInsensitive), qPrintable(n));
    QCOMPARE(backup::listCopies(target.path()).size(), 2);
}

void TestBackup::restoreStopsAtAFileDamagedMeanwhile()
{
    TempFolder tmp;
    const Files files = sampleFolder();
    put(tmp, files);
    QTemporaryDir target;
    const auto c = backup::makeCopy(tmp.path(), target.path(), Kind::Manual, kWhen);
    QVERIFY(c);
    tmp.write(QStringLiteral("Paesaggi.art"), "presente");
    qint64 total = 0;
    for (const QByteArray& b : files)
        total += b.size();
    // The copy's archive is damaged once the files are being replaced
    // (the check and the copy of the present state are the first two thirds).
    bool damaged = false;
    const auto progress = [&](qint64 done, qint64) {
        if (!damaged && done > 2 * total) {
            damaged = writeFile(c->folder + QStringLiteral("/Paesaggi.art"), "rovinato");
        }
        return true;
    };
    try {
        backup::restoreCopy(c->folder, tmp.path(), target.path(), kWhen.addSecs(60), progress);
        QFAIL("restored a file damaged meanwhile");
    } catch (const Failure& f) {
        QVERIFY2(f.message().contains(QStringLiteral("File danneggiato: Paesaggi.art")), qPrintable(f.message()));
        QVERIFY2(f.message().contains(QStringLiteral("Pinakos-copia-2026-12-10-203546")), qPrintable(f.message()));
    }
    QVERIFY(damaged);
    // The archive, replaced last, is as it was; the files before it are back.
    QCOMPARE(tmp.read(QStringLiteral("Paesaggi.art")), QByteArray("presente"));
    QCOMPARE(tmp.read(QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg")),
             files.value(QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg")));
    QCOMPARE(readAll(target.path() + QStringLiteral("/Pinakos-copia-2026-12-10-203546/Paesaggi.art")),
             QByteArray("presente"));
}

void TestBackup::automaticCopyRuns_data()
{
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<bool>("folderChosen");
    QTest::addColumn<QString>("change"); // what changes after a first copy
    QTest::addColumn<int>("result");
    QTest::newRow("archive changed") << true << true << "Paesaggi.art" << int(backup::AutoResult::Made);
    QTest::newRow("photo changed") << true << true << "Pinakos/Paesaggi_Foto_1.jpg" << int(backup::AutoResult::Made);
    QTest::newRow("document added") << true << true << "Documenti_Allegati/nuovo.txt" << int(backup::AutoResult::Made);
    QTest::newRow("password changed") << true << true << "unins000.dll" << int(backup::AutoResult::Made);
    QTest::newRow("nothing changed") << true << true << "" << int(backup::AutoResult::NotNeeded);
    QTest::newRow("other file changed") << true << true << "Inventario_Opere.xls" << int(backup::AutoResult::NotNeeded);
    QTest::newRow("option off") << false << true << "Paesaggi.art" << int(backup::AutoResult::NotNeeded);
    QTest::newRow("no folder") << true << false << "Paesaggi.art" << int(backup::AutoResult::NotNeeded);
}

void TestBackup::automaticCopyRuns()
{
    QFETCH(bool, automatic);
    QFETCH(bool, folderChosen);
    QFETCH(QString, change);
    QFETCH(int, result);
    TempFolder tmp;
    put(tmp, sampleFolder());
    QTemporaryDir target;
    backup::Settings s;
    s.folder = folderChosen ? target.path() : QString();
    s.automatic = automatic;
    backup::saveSettings(tmp.path(), s);
    if (folderChosen)
        QVERIFY(backup::copyNow(tmp.path(), Kind::Manual, kWhen));
    if (!change.isEmpty()) {
        // A later time and other bytes, as a real edit leaves them.
        tmp.write(change, "cambiato");
        QFile f(tmp.file(change));
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    }
    const int before = int(backup::listCopies(target.path()).size());
    QCOMPARE(int(backup::automaticCopy(tmp.path(), kWhen.addSecs(60))), result);
    const QList<backup::Copy> after = backup::listCopies(target.path());
    QCOMPARE(int(after.size()), before + (result == int(backup::AutoResult::Made)));
    if (result == int(backup::AutoResult::Made)) {
        QCOMPARE(after.first().kind, Kind::Automatic);
        QCOMPARE(readAll(after.first().folder + u'/' + change), QByteArray("cambiato"));
        // Right after it, nothing more to copy.
        QCOMPARE(backup::automaticCopy(tmp.path(), kWhen.addSecs(120)), backup::AutoResult::NotNeeded);
    }
    QCOMPARE(backup::takeAutomaticFailure(tmp.path()), QString());
}

void TestBackup::binKeepsEveryDeletion()
{
    TempFolder tmp;
    // Deleted twice under one name: both stay, each with its time.
    tmp.write(QStringLiteral("Città vecchia.art"), "prima");
    bin::moveToBin(tmp.path(), tmp.file(QStringLiteral("Città vecchia.art")), kWhen);
    tmp.write(QStringLiteral("Città vecchia.art"), "seconda");
    bin::moveToBin(tmp.path(), tmp.file(QStringLiteral("Città vecchia.art")), kWhen.addSecs(3600));
    QVERIFY(!QFileInfo::exists(tmp.file(QStringLiteral("Città vecchia.art"))));

    QList<bin::Entry> entries = bin::listBin(tmp.path());
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].name, QStringLiteral("Città vecchia"));
    QCOMPARE(entries[1].name, QStringLiteral("Città vecchia"));
    QCOMPARE(entries[0].deleted, kWhen.addSecs(3600));
    QCOMPARE(readAll(entries[0].file), QByteArray("seconda"));
    QCOMPARE(readAll(entries[1].file), QByteArray("prima"));
    QCOMPARE(bin::binLine(entries[1]), QStringLiteral("Città vecchia   eliminato il 10/12/2026 alle 20:34"));

    QVERIFY(bin::recover(tmp.path(), entries[0], QStringLiteral("Città vecchia")));
    QCOMPARE(tmp.read(QStringLiteral("Città vecchia.art")), QByteArray("seconda"));
    // The name is taken now, in any letter case: nothing moves.
    QVERIFY(!bin::recover(tmp.path(), entries[1], QStringLiteral("CITTÀ VECCHIA")));
    QVERIFY(!bin::recover(tmp.path(), entries[1], QStringLiteral("città vecchia")));
    QCOMPARE(bin::listBin(tmp.path()).size(), 1);
    QVERIFY(bin::recover(tmp.path(), entries[1], QStringLiteral("Città vecchia 2")));
    QCOMPARE(tmp.read(QStringLiteral("Città vecchia 2.art")), QByteArray("prima"));
    QVERIFY(bin::listBin(tmp.path()).isEmpty());
    QCOMPARE(namesIn(bin::binFolder(tmp.path())), QStringList{}); // the side files went too

    // What is not an archive file is not moved.
    tmp.write(QStringLiteral("Cartella.art/dentro.txt"), "x");
    QVERIFY_THROWS_EXCEPTION(Failure, bin::moveToBin(tmp.path(), tmp.file(QStringLiteral("Cartella.art")), kWhen));
    QVERIFY(QFileInfo(tmp.file(QStringLiteral("Cartella.art/dentro.txt"))).isFile());
}

void TestBackup::binPurgeAfterNinetyDays_data()
{
    QTest::addColumn<int>("ageDays");
    QTest::addColumn<bool>("kept");
    QTest::newRow("today") << 0 << true;
    QTest::newRow("89 days") << 89 << true;
    QTest::newRow("90 days") << 90 << true;
    QTest::newRow("91 days") << 91 << false;
    QTest::newRow("a year") << 365 << false;
}

void TestBackup::binPurgeAfterNinetyDays()
{
    QFETCH(int, ageDays);
    QFETCH(bool, kept);
    TempFolder tmp;
    tmp.write(QStringLiteral("Uno.art"), "1");
    bin::moveToBin(tmp.path(), tmp.file(QStringLiteral("Uno.art")), kWhen.addDays(-ageDays));
    QCOMPARE(bin::purge(tmp.path(), kWhen), kept ? 0 : 1);
    QCOMPARE(bin::listBin(tmp.path()).size(), kept ? 1 : 0);
}

void TestBackup::sizeTexts_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "0 byte";
    QTest::newRow("1023") << qint64(1023) << "1023 byte";
    QTest::newRow("1536") << qint64(1536) << "1,5 KB";
    QTest::newRow("292.5 MB") << qint64(292500000) << "278,9 MB";
    QTest::newRow("2 GB") << (qint64(2) << 30) << "2,0 GB";
}

void TestBackup::sizeTexts()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(backup::sizeText(bytes), text);
}

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
