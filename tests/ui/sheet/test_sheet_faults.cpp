// What a user's machine does to the sheet window's files: a full disk, an
// archive cut, grown, deleted or replaced by a folder between two commands,
// a photo replaced by a folder or an enormous file, another copy of the
// program appending meanwhile, a read-only program folder. Each test names
// its fault; in each the window says so (or stays silent where it should),
// nothing crashes and no byte saved before is lost.
#include "Catalogs.h"
#include "FileSizeLimit.h"
#include "Gui.h"
#include "LogCapture.h"
#include "ReadOnlyTree.h"
#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "kit/PhotoView.h"
#include "sheet/DefaultPicture.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "store/Archive.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <memory>

using namespace pinakos;
using test::FakeDialogs;
using test::ReadOnlyTree;

namespace {

const QString kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
constexpr qint64 kRecord = TSchedaOpera::Size;

TfrmOpere* sheet() { return windows().frmOpere; }

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file and folder below `folder`, with its size.
QStringList listing(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo i(it.next());
        out << i.filePath() + u' ' + QString::number(i.isDir() ? -1 : i.size());
    }
    out.sort();
    return out;
}

// A noisy picture, so that its JPEG is far larger than a few kilobytes.
QImage noise(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    quint32 x = 7;
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < w; ++i) {
            x = x * 1664525u + 1013904223u;
            image.setPixel(i, y, x >> 8);
        }
    return image;
}

} // namespace

class TestSheetFaults : public QObject
{
    Q_OBJECT
    std::unique_ptr<test::TestBed> m_bed;

    FakeDialogs& fake() { return m_bed->dialogs; }

    // The catalog Ritratti with three records; its path.
    QString threeRecords()
    {
        return test::makeCatalog(
            QStringLiteral("Ritratti"),
            {test::makeRecord(QStringLiteral("Primo"), QStringLiteral("Anonimo"), QStringLiteral("100,00")),
             test::makeRecord(QStringLiteral("Secondo"), QStringLiteral("Bellini"), QStringLiteral("200,00"), true),
             test::makeRecord(QStringLiteral("Terzo"), QStringLiteral("Canova"), QStringLiteral("300,00"))});
    }
    void openCatalog(const QString& name)
    {
        sheet()->openCatalog(programFolder() + name + QStringLiteral(".art"), name);
        moveTo(windows().frmAvvio, sheet());
        QVERIFY(QTest::qWaitForWindowActive(sheet()));
    }
    void fillRequired()
    {
        sheet()->txtCapo->setText(QStringLiteral("Veduta"));
        sheet()->txtColore->setText(QStringLiteral("Canaletto"));
    }
    void expectArchiveFailure()
    {
        QCOMPARE(fake().last().call, FakeDialogs::Call::Error);
        QCOMPARE(fake().last().text, archiveFailureMessage());
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { m_bed = std::make_unique<test::TestBed>(); }
    void cleanup()
    {
        bool left = true;
        if (sheet()->isVisible()) {
            moveTo(sheet(), windows().frmAvvio);
            left = QTest::qWaitForWindowActive(windows().frmAvvio);
        }
        m_bed.reset();
        QVERIFY(left);
    }

    // Disk full while a new sheet is appended: the archive message, no
    // number, the records saved before untouched; once there is room again
    // the sheet goes in as the next record, over any bytes the failed write
    // left.
    void diskFullDuringAppend()
    {
        const QString path = threeRecords();
        const QByteArray before = bytesOf(path);
        openCatalog(QStringLiteral("Ritratti"));
        fillRequired();
        {
            test::FileSizeLimit limit(3 * kRecord + 100);
            PINAKOS_REQUIRE_ACTIVE_LIMIT(limit);
            test::click(sheet()->cmdSalva);
        }
        expectArchiveFailure();
        QCOMPARE(sheet()->lblPosizione->text(), QString());
        const QByteArray after = bytesOf(path);
        QVERIFY(after.startsWith(before));
        QVERIFY(after.size() < 4 * kRecord);
        QCOMPARE(Archive(path).count(), 3);

        test::click(sheet()->cmdSalva);
        QCOMPARE(fake().last().text, kAppended);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("4"));
        QCOMPARE(QFileInfo(path).size(), 4 * kRecord);
        QVERIFY(bytesOf(path).startsWith(before));
    }

    // Disk full while the photo of a saved sheet is written: the record is
    // saved and says so, the old photo file stays whole, no temporary file
    // is left.
    void diskFullDuringPhotoSave()
    {
        const QString path = threeRecords();
        const QByteArray oldPhoto = test::jpegOf(QSize(40, 30), Qt::red);
        m_bed->folder.write(QStringLiteral("Pinakos/Ritratti_Foto_1.jpg"), oldPhoto);
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdPrimo);
        sheet()->imgFoto->setPhoto(SheetPhoto(noise(400, 300))); // must be encoded: far over the limit
        sheet()->txtNote->setText(QStringLiteral("rivista"));
        {
            test::FileSizeLimit limit(4096);
            PINAKOS_REQUIRE_ACTIVE_LIMIT(limit);
            test::click(sheet()->cmdSalva);
        }
        QCOMPARE(fake().last().text, kUpdated);
        QCOMPARE(Archive(path).read(1).text(Campo::Note), QStringLiteral("rivista"));
        QCOMPARE(m_bed->folder.read(QStringLiteral("Pinakos/Ritratti_Foto_1.jpg")), oldPhoto);
        QCOMPARE(QDir(m_bed->folder.file(QStringLiteral("Pinakos"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Ritratti_Foto_1.jpg")});
    }

    // The archive deleted between two commands: the next one re-creates it
    // empty and says the archive holds no sheet.
    void archiveDeletedBetweenCommands()
    {
        const QString path = threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdUltimo);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        QVERIFY(QFile::remove(path));
        test::click(sheet()->cmdPrimo);
        QCOMPARE(fake().last().text, kEmpty);
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    // The archive replaced by a folder between two commands: every command
    // gives the archive message, the folder stays, nothing crashes. Behind
    // the fixed message the log keeps the cause, in the archive's area.
    void archiveReplacedByFolder()
    {
        const QString path = threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdPrimo);
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
        test::LogCapture log;
        for (QWidget* command : {static_cast<QWidget*>(sheet()->cmdSalva), static_cast<QWidget*>(sheet()->cmdAvanti),
                                 static_cast<QWidget*>(sheet()->cmdUltimo)}) {
            const qsizetype calls = fake().calls.size();
            test::click(command);
            QCOMPARE(fake().calls.size(), calls + 1);
            expectArchiveFailure();
        }
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("1"));
        QVERIFY(QFileInfo(path).isDir());
        const QStringList causes =
            log.find(QStringLiteral("pinakos.store"), QStringLiteral("Al posto dell'archivio c'è una cartella"));
        QCOMPARE(causes.size(), 3);
        QVERIFY2(causes.first().contains(QDir::toNativeSeparators(path)) || causes.first().contains(path),
                 qPrintable(causes.first()));
        QVERIFY(causes.first().contains(archiveFailureMessage()));
    }

    // The archive cut between two commands below the record shown: saving
    // it fails with the archive message and writes nothing; the records
    // still there and the trailing bytes keep every byte.
    void archiveShortenedBetweenCommands()
    {
        const QString path = threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdUltimo);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        QVERIFY(QFile::resize(path, 2 * kRecord + 100));
        const QByteArray cut = bytesOf(path);
        test::click(sheet()->cmdSalva);
        expectArchiveFailure();
        QCOMPARE(bytesOf(path), cut);
        test::click(sheet()->cmdAvanti);
        expectArchiveFailure();
        QCOMPARE(bytesOf(path), cut);
        // Moving back still works on what is left.
        test::click(sheet()->cmdPrimo);
        QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("Primo"));
    }

    // Another copy of the program appends to the same catalog meanwhile: a
    // new sheet goes in after its record, which stays whole; a sheet shown
    // before keeps its number.
    void secondCopyAppendsMeanwhile()
    {
        const QString path = threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        fillRequired();
        {
            Archive other(path);
            QCOMPARE(other.append(
                         test::makeRecord(QStringLiteral("Altrui"), QStringLiteral("Tiziano"), QStringLiteral("1,00"))),
                     4);
            other.close();
        }
        const QByteArray theirs = bytesOf(path);
        test::click(sheet()->cmdSalva);
        QCOMPARE(fake().last().text, kAppended);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("5"));
        QVERIFY(bytesOf(path).startsWith(theirs));
        QCOMPARE(Archive(path).read(4).text(Campo::Capo), QStringLiteral("Altrui"));
        QCOMPARE(Archive(path).read(5).text(Campo::Capo), QStringLiteral("Veduta"));
    }

    // The archive grown by another copy past the record shown: moving on
    // reaches the new records.
    void archiveGrownBetweenCommands()
    {
        const QString path = threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdUltimo);
        {
            Archive other(path);
            other.append(test::makeRecord(QStringLiteral("Quarto"), QStringLiteral("Giotto"), QStringLiteral("4,00")));
        }
        test::click(sheet()->cmdAvanti);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("4"));
        QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("Quarto"));
    }

    // The photo file replaced by a folder or by a 2 GB sparse file: the
    // record shows the default picture at once, and saving it leaves the
    // folder a folder (no message) or replaces the enormous file.
    void photoReplacedByFolderOrHugeFile_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("folder") << true;
        QTest::newRow("2 GB sparse file") << false;
    }
    void photoReplacedByFolderOrHugeFile()
    {
        QFETCH(bool, folder);
        threeRecords();
        const QString photo = m_bed->folder.file(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"));
        QVERIFY(QDir().mkpath(m_bed->folder.file(QStringLiteral("Pinakos"))));
        if (folder) {
            QVERIFY(QDir().mkpath(photo));
        } else {
            QFile f(photo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(2LL << 30));
        }
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdPrimo);
        QElapsedTimer timer;
        timer.start();
        test::click(sheet()->cmdAvanti);
        QVERIFY2(timer.elapsed() < 5000, "the enormous file was read");
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(sheet()->imgFoto->photo().image(), defaultPicture());
        test::click(sheet()->cmdSalva);
        QCOMPARE(fake().last().text, kUpdated);
        if (folder) {
            QVERIFY(QFileInfo(photo).isDir());
        } else {
            QVERIFY(QFileInfo(photo).size() < 1 << 20);
            QCOMPARE(SheetPhoto::fromFile(photo).image().size(), defaultPicture().size());
        }
    }

    // The program folder read-only: saving a new sheet gives the archive
    // message, and so does reading, since the archive is opened for reading
    // and writing; the folder holds exactly what it held before, nothing
    // half-written, no photo.
    // A record shown and changed while the program folder is read-only:
    // saving it gives the archive message and the record stays as it was,
    // its photo too.
    void readOnlyFolderRefusesRewrite()
    {
        const QString path = threeRecords();
        const QByteArray oldPhoto = test::jpegOf(QSize(40, 30), Qt::red);
        m_bed->folder.write(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"), oldPhoto);
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdPrimo);
        test::click(sheet()->cmdAvanti);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("2"));
        const QByteArray archive = bytesOf(path);
        {
            ReadOnlyTree readOnly(m_bed->folder.path());
            if (!readOnly.active())
                QSKIP(test::kNoReadOnlyFolder);
            sheet()->txtNote->setText(QStringLiteral("cambiata"));
            test::click(sheet()->cmdSalva);
            expectArchiveFailure();
            QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("2"));
        }
        QCOMPARE(bytesOf(path), archive);
        QCOMPARE(m_bed->folder.read(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg")), oldPhoto);
    }

    void readOnlyProgramFolder()
    {
        const QString path = threeRecords();
        const QByteArray oldPhoto = test::jpegOf(QSize(40, 30), Qt::red);
        m_bed->folder.write(QStringLiteral("Pinakos/Ritratti_Foto_1.jpg"), oldPhoto);
        openCatalog(QStringLiteral("Ritratti"));
        const QStringList before = listing(m_bed->folder.path());
        const QByteArray archive = bytesOf(path);
        {
            ReadOnlyTree readOnly(m_bed->folder.path());
            if (!readOnly.active())
                QSKIP(test::kNoReadOnlyFolder);
            fillRequired();
            test::click(sheet()->cmdSalva);
            expectArchiveFailure();
            QCOMPARE(sheet()->lblPosizione->text(), QString());

            // An archive that cannot be opened for writing is not opened at all.
            test::click(sheet()->cmdPrimo);
            expectArchiveFailure();
            QCOMPARE(listing(m_bed->folder.path()), before);
        }
        QCOMPARE(bytesOf(path), archive);
        QCOMPARE(m_bed->folder.read(QStringLiteral("Pinakos/Ritratti_Foto_1.jpg")), oldPhoto);
    }
};

QTEST_MAIN(TestSheetFaults)
#include "test_sheet_faults.moc"
