#include "Catalogs.h"
#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "base/Clock.h"
#include "base/Failure.h"
#include "sheet/Photo.h"
#include "store/Archive.h"
#include "store/ImportJob.h"

#include <QDir>
#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

namespace {

const QString kCatalog = QStringLiteral("Ritratti");

QByteArray jpegBytes(char fill) { return QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(3000, fill); }

// A CSV with the title, the notes and the photo column, `rows` of them.
QByteArray csvOf(const QList<QStringList>& rows)
{
    QByteArray out = (importTargetName(0) + u';' + importTargetName(13) + u";Foto\r\n").toUtf8();
    for (const QStringList& r : rows)
        out += r.join(u';').toUtf8() + "\r\n";
    return out;
}

struct Setup
{
    TempFolder folder;
    QString archive = folder.file(kCatalog + QStringLiteral(".art"));
    QString source = folder.file(QStringLiteral("opere.csv"));
    QString photos = folder.file(QStringLiteral("foto"));

    ImportRequest request(const CsvTable& table) const
    {
        ImportRequest r;
        r.archivePath = archive;
        r.catalogName = kCatalog;
        r.mapping = matchHeadings(table.row(0));
        r.firstRowHeadings = true;
        r.photoFolder = photos;
        return r;
    }
    // Files of the photo folder the program keeps.
    QStringList photoFiles() const { return QDir(photoFolder()).entryList(QDir::Files | QDir::Hidden); }
};

} // namespace

class TestImportJob : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(9, 30, 5)); });
    }
    void cleanup() { setClock({}); }
    void photosAndReport();
    void appendsAfterExistingRecords();
    void failureLeavesEverything_data();
    void failureLeavesEverything();
    void findsPhoto_data();
    void findsPhoto();
    void message_data();
    void message();
};

void TestImportJob::photosAndReport()
{
    Setup s;
    s.folder.write(QStringLiteral("foto/Alba.JPG"), jpegBytes('a'));
    s.folder.write(QStringLiteral("foto/notte.jpeg"), jpegBytes('n'));
    s.folder.write(QStringLiteral("foto/disegno.jpg"), QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray(100, 'p'));
    QVERIFY(writeFile(s.archive, {}));
    const QString longNote(300, u'n');
    QVERIFY(writeFile(s.source,
                      csvOf({{QStringLiteral("Alba"), QStringLiteral("prima"), QStringLiteral("alba.jpg")},
                             {QStringLiteral("Notte"), longNote, QStringLiteral("C:\\vecchie\\notte")},
                             {QStringLiteral("Disegno"), QString(), QStringLiteral("disegno.jpg")},
                             {QStringLiteral("Senza foto \u263A"), QString(), QString()},
                             {QStringLiteral("Perduta"), QString(), QStringLiteral("assente.jpg")}})));
    const ImportSource preview = readImportSource(s.source);

    const ImportResult r = importFile(s.request(preview.table), preview);

    QCOMPARE(r.counts.rows, 5);
    QCOMPARE(r.firstNumber, 1);
    QCOMPARE(r.photosCopied, 2);
    QCOMPARE(r.photosMissing, 2);
    const auto records = readRecords(s.archive);
    QCOMPARE(int(records.size()), 5);
    QCOMPARE(records[3].text(Campo::Capo), QStringLiteral("Senza foto ?"));
    QCOMPARE(readAll(photoPath(kCatalog, 1)), jpegBytes('a'));
    QCOMPARE(readAll(photoPath(kCatalog, 2)), jpegBytes('n'));
    QVERIFY(!QFileInfo::exists(photoPath(kCatalog, 3)));
    QCOMPARE(s.photoFiles(),
             QStringList({QStringLiteral("Ritratti_Foto_1.jpg"), QStringLiteral("Ritratti_Foto_2.jpg")}));

    QCOMPARE(QDir::fromNativeSeparators(r.reportPath),
             QDir::fromNativeSeparators(s.folder.file(QStringLiteral("Ritratti_importazione_2026-12-10_093005.txt"))));
    const QString report = QString::fromUtf8(readAll(r.reportPath));
    QVERIFY2(report.contains(QStringLiteral("Riga 3: Note tagliato (scheda numero 2)")), qPrintable(report));
    QVERIFY(report.contains(QStringLiteral("Riga 4: foto \"disegno.jpg\" non in formato JPEG (scheda numero 3)")));
    QVERIFY(report.contains(QStringLiteral("Riga 5: Titolo opera con caratteri sostituiti (scheda numero 4)")));
    QVERIFY(report.contains(QStringLiteral("Riga 6: foto \"assente.jpg\" non trovata (scheda numero 5)")));
    QVERIFY(!report.contains(QStringLiteral("Riga 2")));
}

void TestImportJob::appendsAfterExistingRecords()
{
    Setup s;
    {
        QVERIFY(writeFile(s.archive, {}));
        Archive a(s.archive);
        a.append(TSchedaOpera());
        a.append(TSchedaOpera());
    }
    s.folder.write(QStringLiteral("foto/a.jpg"), jpegBytes('a'));
    // A photo left by a deleted catalog of the same name gives way.
    QVERIFY(writeFile(photoPath(kCatalog, 3), jpegBytes('x')));
    QVERIFY(writeFile(s.source, csvOf({{QStringLiteral("Uno"), QString(), QStringLiteral("a.jpg")}})));
    const ImportSource preview = readImportSource(s.source);

    const ImportResult r = importFile(s.request(preview.table), preview);

    QCOMPARE(r.firstNumber, 3);
    QCOMPARE(int(readRecords(s.archive).size()), 3);
    QCOMPARE(readAll(photoPath(kCatalog, 3)), jpegBytes('a'));
    QVERIFY(r.reportPath.isEmpty());
}

void TestImportJob::failureLeavesEverything_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("newCatalog");
    for (bool created : {false, true}) {
        const char* tag = created ? " new catalog" : " existing catalog";
        QTest::addRow("file changed,%s", tag) << "changed" << created;
        QTest::addRow("file gone,%s", tag) << "gone" << created;
        QTest::addRow("disk full,%s", tag) << "full" << created;
    }
}

void TestImportJob::failureLeavesEverything()
{
    QFETCH(QString, fault);
    QFETCH(bool, newCatalog);
    Setup s;
    QByteArray before;
    if (!newCatalog) {
        QVERIFY(writeFile(s.archive, {}));
        Archive a(s.archive);
        a.append(TSchedaOpera());
        a.close();
        before = readAll(s.archive);
    }
    s.folder.write(QStringLiteral("foto/a.jpg"), jpegBytes('a'));
    QList<QStringList> rows;
    for (int i = 0; i < 3000; ++i)
        rows.append({QStringLiteral("Opera %1").arg(i), QString(), i % 100 ? QString() : QStringLiteral("a.jpg")});
    QVERIFY(writeFile(s.source, csvOf(rows)));
    const ImportSource preview = readImportSource(s.source);
    ImportRequest request = s.request(preview.table);
    request.createArchive = newCatalog;

    if (fault == u"changed")
        QVERIFY(writeFile(s.source, csvOf(rows.mid(1))));
    else if (fault == u"gone")
        QVERIFY(QFile::remove(s.source));
    bool failed = false;
    try {
        if (fault == u"full") {
            FileSizeLimit limit(before.size() + 1000 * TSchedaOpera::Size);
            PINAKOS_REQUIRE_ACTIVE_LIMIT(limit);
            importFile(request, preview);
        } else {
            importFile(request, preview);
        }
    } catch (const Failure& f) {
        failed = true;
        if (fault == u"changed")
            QVERIFY(f.message().contains(QStringLiteral("è cambiato")));
    }
    QVERIFY(failed);
    if (newCatalog)
        QVERIFY(!QFileInfo::exists(s.archive));
    else
        QCOMPARE(readAll(s.archive), before);
    QCOMPARE(s.photoFiles(), QStringList());
    QVERIFY(!QFileInfo::exists(s.folder.file(QStringLiteral("Ritratti_importazione_2026-12-10_093005.txt"))));
}

void TestImportJob::findsPhoto_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("found");
    QTest::newRow("exact") << "Alba.jpg"
                           << "Alba.jpg";
    QTest::newRow("other case") << "ALBA.JPG"
                                << "Alba.jpg";
    QTest::newRow("without extension") << "alba"
                                       << "Alba.jpg";
    QTest::newRow("jpeg extension added") << "notte"
                                          << "notte.JPEG";
    QTest::newRow("Windows folder dropped") << "C:\\Foto\\alba.jpg"
                                            << "Alba.jpg";
    QTest::newRow("folder dropped") << "../../alba.jpg"
                                    << "Alba.jpg";
    QTest::newRow("blanks around") << "  alba.jpg "
                                   << "Alba.jpg";
    QTest::newRow("missing") << "manca.jpg"
                             << "";
    QTest::newRow("only a folder") << "foto/"
                                   << "";
    QTest::newRow("parent") << ".."
                            << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestImportJob::findsPhoto()
{
    QFETCH(QString, cell);
    QFETCH(QString, found);
    TempFolder folder;
    folder.write(QStringLiteral("foto/Alba.jpg"), "x");
    folder.write(QStringLiteral("foto/notte.JPEG"), "x");
    const QString dir = folder.file(QStringLiteral("foto"));
    QCOMPARE(findPhoto(dir, cell), found.isEmpty() ? QString() : QDir(dir).filePath(found));
}

void TestImportJob::message_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("copied");
    QTest::addColumn<int>("missing");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << 12 << 0 << 0 << 0 << ""
                           << "Importate 12 schede";
    QTest::newRow("cut fields") << 12 << 3 << 0 << 0 << "/x/R_importazione.txt"
                                << "Importate 12 schede\n3 campi tagliati e 0 con caratteri sostituiti, in 2 righe."
                                   "\nIl dettaglio è nel file R_importazione.txt.";
    QTest::newRow("photos") << 4 << 0 << 3 << 1 << "/x/R_importazione.txt"
                            << "Importate 4 schede\nFoto copiate: 3; non trovate o non JPEG: 1."
                               "\nIl dettaglio è nel file R_importazione.txt.";
    QTest::newRow("nothing") << 0 << 0 << 0 << 0 << ""
                             << "Importate 0 schede";
}

void TestImportJob::message()
{
    QFETCH(int, rows);
    QFETCH(int, cut);
    QFETCH(int, copied);
    QFETCH(int, missing);
    QFETCH(QString, report);
    QFETCH(QString, expected);
    ImportResult r;
    r.counts.rows = rows;
    r.counts.cutFields = cut;
    r.counts.changedRows = cut ? 2 : 0;
    r.photosCopied = copied;
    r.photosMissing = missing;
    r.reportPath = report;
    QCOMPARE(importMessage(r), expected);
}

QTEST_GUILESS_MAIN(TestImportJob)
#include "test_import_job.moc"
