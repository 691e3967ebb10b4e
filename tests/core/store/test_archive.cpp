#include "Catalogs.h"
#include "ReadOnlyTree.h"
#include "TempFolder.h"
#include "base/Failure.h"
#include "store/Archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <thread>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#endif

using namespace pinakos;
using namespace pinakos::test;

namespace {

QByteArray recordBytes(const TSchedaOpera& r) { return QByteArray(r.data(), TSchedaOpera::Size); }

} // namespace

class TestArchive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failureMessage();
    void trailingBytesAreOverwritten();
    void recordsAtTheirOffsets();
    void missingFileCreatedEmpty();
    void existingNeverTruncated();
    void readOnlyExistingFails();
    void unusablePathFails_data();
    void unusablePathFails();
    void numberOutsideCountFails_data();
    void numberOutsideCountFails();
    void writeInPlace();
    void scanVisitsAllInOrder();
    void scanStops();
    void appendCountsUnderTheLock();
};

void TestArchive::failureMessage()
{
    QCOMPARE(archiveFailureMessage(),
             QStringLiteral(
                 "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                 "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma."));
}

void TestArchive::trailingBytesAreOverwritten()
{
    TempFolder tmp;
    const QString path =
        makeCatalog(QStringLiteral("Tre"),
                    {makeRecord("a", "x", "1,00"), makeRecord("b", "y", "2,00"), makeRecord("c", "z", "3,00")});
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    f.write(QByteArray(100, 'q'));
    f.close();
    QCOMPARE(sizeOf(path), 3 * 2925 + 100);

    const TSchedaOpera fourth =
        makeRecord(QStringLiteral("Quarta"), QStringLiteral("Io"), QStringLiteral("4,00"), true);
    {
        Archive a(path);
        QCOMPARE(a.count(), 3);
        QCOMPARE(a.append(fourth), 4);
        QCOMPARE(a.position(), 4);
        QCOMPARE(a.count(), 4);
        a.close();
    }
    QCOMPARE(sizeOf(path), 11700);
    QCOMPARE(tmp.read(QStringLiteral("Tre.art")).mid(8775), recordBytes(fourth));
}

void TestArchive::recordsAtTheirOffsets()
{
    TempFolder tmp;
    const QString path = tmp.file(QStringLiteral("Nuovo.art"));
    Archive a(path);
    QCOMPARE(a.count(), 0);
    QCOMPARE(a.append(makeRecord("Uno", "A", "1,00")), 1);
    QCOMPARE(a.append(makeRecord("Due", "B", "2,00")), 2);
    QCOMPARE(a.read(2).text(Campo::Capo), QStringLiteral("Due"));
    QCOMPARE(a.position(), 2);
    QCOMPARE(a.read(1).text(Campo::Capo), QStringLiteral("Uno"));
    QCOMPARE(a.position(), 1);
    a.close();
    const QByteArray bytes = tmp.read(QStringLiteral("Nuovo.art"));
    QCOMPARE(bytes.size(), 5850);
    QCOMPARE(bytes.mid(2925, 4),
             QByteArray("\x03"
                        "Due"));
}

void TestArchive::missingFileCreatedEmpty()
{
    TempFolder tmp;
    const QString path = tmp.file(QStringLiteral("Manca.art"));
    {
        Archive a(path);
        QCOMPARE(a.count(), 0);
    }
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(sizeOf(path), 0);
}

void TestArchive::existingNeverTruncated()
{
    TempFolder tmp;
    const QByteArray content = QByteArray(2925 * 2, 'r') + "coda";
    tmp.write(QStringLiteral("Pieno.art"), content);
    {
        Archive a(tmp.file(QStringLiteral("Pieno.art")));
        QCOMPARE(a.count(), 2);
        a.close();
    }
    QCOMPARE(tmp.read(QStringLiteral("Pieno.art")), content);
}

void TestArchive::readOnlyExistingFails()
{
    TempFolder tmp;
    const QByteArray content = QByteArray(2925, 'r');
    tmp.write(QStringLiteral("Chiuso.art"), content);
    const QString path = tmp.file(QStringLiteral("Chiuso.art"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    if (canWrite(path)) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QSKIP(kNoReadOnlyFolder);
    }
    QVERIFY_THROWS_EXCEPTION(Failure, Archive{path});
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(tmp.read(QStringLiteral("Chiuso.art")), content);
}

void TestArchive::unusablePathFails_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("folder in place") << "Cartella.art";
    QTest::newRow("missing folder") << "non/esiste.art";
#ifndef Q_OS_WIN
    QTest::newRow("link to nowhere") << "Legame.art";
#endif
}

void TestArchive::unusablePathFails()
{
    QFETCH(QString, file);
    TempFolder tmp;
    QVERIFY(QDir().mkpath(tmp.file(QStringLiteral("Cartella.art"))));
#ifndef Q_OS_WIN
    QVERIFY(QFile::link(tmp.file(QStringLiteral("altrove/Vero.art")), tmp.file(QStringLiteral("Legame.art"))));
#endif
    const QStringList before = QDir(tmp.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    QVERIFY_THROWS_EXCEPTION(Failure, Archive{tmp.file(file)});
    // Nothing made, nothing taken away.
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), before);
    QVERIFY(QFileInfo(tmp.file(QStringLiteral("Cartella.art"))).isDir());
}

void TestArchive::numberOutsideCountFails_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -1;
    QTest::newRow("after last") << 3;
    QTest::newRow("far beyond") << 1000000;
}

void TestArchive::numberOutsideCountFails()
{
    QFETCH(int, n);
    TempFolder tmp;
    const QString path =
        makeCatalog(QStringLiteral("Due"), {makeRecord("a", "x", "1,00"), makeRecord("b", "y", "2,00")});
    tmp.write(QStringLiteral("Due.art"), tmp.read(QStringLiteral("Due.art")) + QByteArray(2924, 'p'));
    const QByteArray before = tmp.read(QStringLiteral("Due.art"));
    Archive a(path);
    QCOMPARE(a.count(), 2);
    QVERIFY_THROWS_EXCEPTION(Failure, a.read(n));
    QVERIFY_THROWS_EXCEPTION(Failure, a.write(n, makeRecord("c", "z", "3,00")));
    a.close();
    QCOMPARE(tmp.read(QStringLiteral("Due.art")), before);
}

void TestArchive::writeInPlace()
{
    TempFolder tmp;
    const TSchedaOpera first = makeRecord("a", "x", "1,00"), third = makeRecord("c", "z", "3,00");
    const QString path = makeCatalog(QStringLiteral("Tre"), {first, makeRecord("b", "y", "2,00"), third});
    const TSchedaOpera changed =
        makeRecord(QStringLiteral("Nuova"), QStringLiteral("Lei"), QStringLiteral("9,00"), true);
    {
        Archive a(path);
        a.write(2, changed);
        QCOMPARE(a.position(), 2);
        QCOMPARE(a.count(), 3);
        a.close();
    }
    QCOMPARE(tmp.read(QStringLiteral("Tre.art")), recordBytes(first) + recordBytes(changed) + recordBytes(third));
}

void TestArchive::scanVisitsAllInOrder()
{
    TempFolder tmp;
    QList<TSchedaOpera> records;
    for (int i = 1; i <= 1000; ++i)
        records.append(makeRecord(QString::number(i), QStringLiteral("A"), QStringLiteral("1,00")));
    const QString path = makeCatalog(QStringLiteral("Mille"), records);
    Archive a(path);
    int visited = 0;
    a.scan([&](int n, const TSchedaOpera& r) {
        ++visited;
        if (n != visited || r.text(Campo::Capo) != QString::number(n))
            return false;
        return true;
    });
    QCOMPARE(visited, 1000);
    QCOMPARE(a.position(), 1000);
}

void TestArchive::scanStops()
{
    TempFolder tmp;
    QList<TSchedaOpera> records;
    for (int i = 1; i <= 300; ++i)
        records.append(makeRecord(QString::number(i), QStringLiteral("A"), QStringLiteral("1,00")));
    Archive a(makeCatalog(QStringLiteral("Trecento"), records));
    int last = 0;
    a.scan([&](int n, const TSchedaOpera&) {
        last = n;
        return n < 260;
    });
    QCOMPARE(last, 260);
}

namespace {

// Takes or gives back the lock as another copy of the program does: flock on
// the whole file; on Windows, a lock on one byte far past the end.
bool lockAsAnotherCopy(QFile& f, bool take)
{
#ifdef Q_OS_WIN
    const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(f.handle()));
    OVERLAPPED o{};
    o.Offset = 0xFFFFFFFE;
    o.OffsetHigh = 0x7FFFFFFF;
    return take ? LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &o) : UnlockFileEx(h, 0, 1, 0, &o);
#else
    return ::flock(f.handle(), take ? LOCK_EX : LOCK_UN) == 0;
#endif
}

} // namespace

void TestArchive::appendCountsUnderTheLock()
{
    // Another copy of the program holds the lock and appends meanwhile: this
    // append counts only once it has the lock, so it never writes over theirs.
    TempFolder tmp;
    const TSchedaOpera first = makeRecord("a", "x", "1,00");
    const TSchedaOpera theirs = makeRecord(QStringLiteral("Loro"), QStringLiteral("L"), QStringLiteral("2,00"));
    const TSchedaOpera mine = makeRecord(QStringLiteral("Mia"), QStringLiteral("M"), QStringLiteral("3,00"));
    const QString path = makeCatalog(QStringLiteral("Condiviso"), {first});
    QFile other(path);
    QVERIFY(other.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    QVERIFY(lockAsAnotherCopy(other, true));

    int n = 0;
    QString failure;
    std::thread appender([&] {
        try {
            Archive a(path);
            n = a.append(mine);
            a.close();
        } catch (const Failure& f) {
            failure = f.message();
        }
    });
    QTest::qSleep(300);
    const bool wrote = other.seek(2925) && other.write(recordBytes(theirs)) == 2925;
    lockAsAnotherCopy(other, false);
    appender.join();
    other.close();

    QVERIFY(wrote);
    QCOMPARE(failure, QString());
    QCOMPARE(n, 3);
    QCOMPARE(tmp.read(QStringLiteral("Condiviso.art")), recordBytes(first) + recordBytes(theirs) + recordBytes(mine));
}

QTEST_APPLESS_MAIN(TestArchive)
#include "test_archive.moc"
