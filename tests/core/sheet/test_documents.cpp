#include "FileSizeLimit.h"
#include "TempFolder.h"

#include "base/Failure.h"
#include "base/ProgramFolder.h"
#include "sheet/Documents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
// windows.h first
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

using namespace pinakos;
using pinakos::test::FileSizeLimit;
using pinakos::test::readAll;
using pinakos::test::TempFolder;
using pinakos::test::writeFile;

namespace {

// The largest resident size the process has had so far, in KB.
long peakResidentKb()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS c{};
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return long(c.PeakWorkingSetSize / 1024);
#else
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
#endif
}

// The files of the documents folder, hidden ones included.
QStringList documentFiles()
{
    return QDir(documentsFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QByteArray pattern(qint64 size)
{
    QByteArray b(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        b[i] = char((i * 7 + i / 251) & 0xFF);
    return b;
}

QString failureOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Failure& e) {
        return e.message();
    }
    return {};
}

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT
    // A fresh program folder for every test.
    std::unique_ptr<TempFolder> m_folder;

private Q_SLOTS:
    void init() { m_folder = std::make_unique<TempFolder>(); }
    void cleanup() { m_folder.reset(); }

    void folderIsInProgramFolder()
    {
        TempFolder& folder = *m_folder;
        QCOMPARE(documentsFolder(), folder.path() + "Documenti_Allegati" + QDir::separator());
        QCOMPARE(documentPath(QStringLiteral("  Certificato.pdf ")), documentsFolder() + "Certificato.pdf");
    }

    void safeNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "certificato.pdf" << true;
        QTest::newRow("blanks and accents") << QString::fromUtf8("Recensione dell'opera \u00E8 bella.docx") << true;
        QTest::newRow("no extension") << "LEGGIMI" << true;
        QTest::newRow("leading dot") << ".nascosto" << true;
        QTest::newRow("two dots inside") << "a..b.pdf" << true;
        QTest::newRow("blanks around") << "  a.pdf \t" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "   " << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dots and blanks") << ". . ." << false;
        QTest::newRow("parent folder") << "../segreto.txt" << false;
        QTest::newRow("Windows parent folder") << "..\\segreto.txt" << false;
        QTest::newRow("sub-folder") << "a/b.pdf" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("drive") << "C:\\Windows\\win.ini" << false;
        QTest::newRow("drive-relative") << "C:win.ini" << false;
        QTest::newRow("network share") << "\\\\server\\share\\x.pdf" << false;
        QTest::newRow("stream") << "a.pdf:nascosto" << false;
        QTest::newRow("control character") << "a\tb.pdf" << false;
    }
    void safeNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(isSafeDocumentName(name), safe);
        QCOMPARE(documentPath(name).isEmpty(), !safe);
    }

    void prepareCreatesFolderWithParents()
    {
        TempFolder& folder = *m_folder;
        setProgramFolder(folder.path() + "uno/due");
        const QString source = folder.file("fuori/Perizia 2024.pdf");
        writeFile(source, "pdf");
        QVERIFY(!QFileInfo::exists(documentsFolder()));
        const DocumentTarget t = prepareDocument(source);
        QVERIFY(QFileInfo(documentsFolder()).isDir());
        QCOMPARE(t.name, QStringLiteral("Perizia 2024.pdf"));
        QCOMPARE(t.path, documentsFolder() + "Perizia 2024.pdf");
        QVERIFY(!t.exists);
        QVERIFY(!t.sameFile);
    }

    void prepareSeesExistingAndSameFile()
    {
        TempFolder& folder = *m_folder;
        const QString source = folder.file("fuori/a.txt");
        writeFile(source, "nuovo");
        writeFile(documentsFolder() + "a.txt", "vecchio");
        DocumentTarget t = prepareDocument(source);
        QVERIFY(t.exists);
        QVERIFY(!t.sameFile);
        t = prepareDocument(documentsFolder() + "a.txt");
        QVERIFY(t.exists);
        QVERIFY(t.sameFile);
        // The same file reached by another way is still the same file.
        t = prepareDocument(documentsFolder() + "../Documenti_Allegati/a.txt");
        QVERIFY(t.sameFile);
    }

    void prepareRefuses_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("start");
        QTest::newRow("missing file") << "missing"
                                      << "Attenzione: non è stato possibile leggere il file scelto.";
        QTest::newRow("a folder") << "folder"
                                  << "Attenzione: non è stato possibile leggere il file scelto.";
#ifndef Q_OS_WIN // there a backslash separates folders: no file name holds one
        QTest::newRow("backslash in the name")
            << "backslash"
            << "Attenzione: il nome del file scelto non può essere usato per un documento allegato.";
#endif
        QTest::newRow("name longer than the record keeps")
            << "long"
            << "Attenzione: il nome del file scelto è troppo lungo o contiene caratteri che la scheda";
        QTest::newRow("name outside the code page")
            << "cyrillic"
            << "Attenzione: il nome del file scelto è troppo lungo o contiene caratteri che la scheda";
        QTest::newRow("folder blocked by a file")
            << "blocked"
            << "Attenzione: non è stato possibile creare la cartella dei documenti allegati.";
    }
    void prepareRefuses()
    {
        QFETCH(QString, what);
        QFETCH(QString, start);
        TempFolder& folder = *m_folder;
        QString source = folder.file("fuori/a.txt");
        writeFile(source, "a");
        if (what == "missing")
            source = folder.file("fuori/non-c-e.txt");
        else if (what == "folder")
            source = folder.file("fuori");
        else if (what == "backslash")
            writeFile(source = folder.file("fuori/a\\b.txt"), "b");
        else if (what == "long")
            writeFile(source = folder.file("fuori/" + QString(247, u'a') + ".pdf"), "b");
        else if (what == "cyrillic")
            writeFile(source = folder.file(QString::fromUtf8("fuori/\u0434\u043E\u043A.pdf")), "b");
        else if (what == "blocked")
            writeFile(folder.file("Documenti_Allegati"), "un file al posto della cartella");
        const QString message = failureOf([&] { prepareDocument(source); });
        QVERIFY2(message.startsWith(start), qPrintable(message));
    }

    // 250 bytes is what the record keeps of a name: that long is still fine.
    void longestNameAccepted()
    {
        TempFolder& folder = *m_folder;
        const QString name = QString(245, u'a') + QString::fromUtf8("\u00E8.pdf");
        const QString source = folder.file("fuori/" + name);
        writeFile(source, "b");
        QCOMPARE(prepareDocument(source).name, name);
    }

    void copiesWholeFiles_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::newRow("empty") << qint64(0);
        QTest::newRow("small") << qint64(10);
        QTest::newRow("one block") << qint64(1024 * 1024);
        QTest::newRow("several blocks and a bit") << qint64(3 * 1024 * 1024 + 17);
    }
    void copiesWholeFiles()
    {
        QFETCH(qint64, size);
        TempFolder& folder = *m_folder;
        const QString source = folder.file("fuori/doc.bin");
        const QByteArray bytes = pattern(size);
        writeFile(source, bytes);
        const DocumentTarget t = prepareDocument(source);
        copyDocument(source, t.path);
        QCOMPARE(readAll(t.path), bytes);
        QCOMPARE(QFileInfo(t.path).size(), size);
        QCOMPARE(documentFiles(), QStringList{QStringLiteral("doc.bin")}); // no temporary file left
    }

    // A document of hundreds of MB is copied block by block: what the
    // process holds at its peak grows by far less than the document.
    void largeDocumentCopiedInBlocks()
    {
        TempFolder& folder = *m_folder;
        const QString source = folder.file("fuori/grande.bin");
        writeFile(source, QByteArray());
        constexpr qint64 size = 256LL << 20;
        QVERIFY(QFile::resize(source, size)); // sparse: nothing to write here
        const long before = peakResidentKb();
        const DocumentTarget t = prepareDocument(source);
        copyDocument(source, t.path);
        QCOMPARE(QFileInfo(t.path).size(), size);
        QVERIFY2(peakResidentKb() - before < 64 * 1024, qPrintable(QString::number(peakResidentKb() - before)));
        QCOMPARE(documentFiles(), QStringList{QStringLiteral("grande.bin")});
    }

    void replacesExisting()
    {
        TempFolder& folder = *m_folder;
        const QString source = folder.file("fuori/a.txt");
        writeFile(source, "nuovo");
        writeFile(documentsFolder() + "a.txt", "vecchio e più lungo");
        copyDocument(source, documentsFolder() + "a.txt");
        QCOMPARE(readAll(documentsFolder() + "a.txt"), QByteArray("nuovo"));
        QCOMPARE(documentFiles(), QStringList{QStringLiteral("a.txt")});
    }

    void sameFileIsKept()
    {
        writeFile(documentsFolder() + "a.txt", "unico");
        copyDocument(documentsFolder() + "a.txt", documentsFolder() + "a.txt");
        QCOMPARE(readAll(documentsFolder() + "a.txt"), QByteArray("unico"));
    }

    // A full disk half way: the old document stays whole, nothing shortened
    // appears, and the user gets the message.
    void fullDiskLeavesOldFile()
    {
        TempFolder& folder = *m_folder;
        const QString source = folder.file("fuori/grande.bin");
        writeFile(source, pattern(3 * 1024 * 1024));
        writeFile(documentsFolder() + "grande.bin", "vecchio");
        writeFile(documentsFolder() + "nuovo.bin", QByteArray());
        QString message;
        {
            FileSizeLimit limit(1024 * 1024 + 100);
            if (!limit.active())
                QSKIP(pinakos::test::kNoFileSizeLimit);
            message = failureOf([&] { copyDocument(source, documentsFolder() + "grande.bin"); });
            QVERIFY(!message.isEmpty());
            QVERIFY(!failureOf([&] { copyDocument(source, documentsFolder() + "nuovo.bin"); }).isEmpty());
        }
        QVERIFY(message.startsWith(
            QString::fromUtf8("Attenzione: non è stato possibile copiare il file nella cartella dei documenti "
                              "allegati.")));
        QCOMPARE(readAll(documentsFolder() + "grande.bin"), QByteArray("vecchio"));
        QCOMPARE(QFileInfo(documentsFolder() + "nuovo.bin").size(), 0);
        QCOMPARE(documentFiles(), (QStringList{QStringLiteral("grande.bin"), QStringLiteral("nuovo.bin")}));
    }

    void unreadableSourceLeavesNothing()
    {
        TempFolder& folder = *m_folder;
        QDir().mkpath(documentsFolder());
        const QString message = failureOf([&] { copyDocument(folder.file("sparito.pdf"), documentsFolder() + "x"); });
        QVERIFY(message.startsWith(QString::fromUtf8("Attenzione: non è stato possibile leggere il file scelto.")));
        QVERIFY(documentFiles().isEmpty());
    }

    // A link of the document's name is replaced itself; the file it points to,
    // outside the folder, is not written.
    void linkInFolderIsReplacedNotFollowed()
    {
        TempFolder& folder = *m_folder;
        QTemporaryDir outside;
        const QString victim = outside.filePath("importante.txt");
        writeFile(victim, "da non toccare");
        QDir().mkpath(documentsFolder());
        if (!QFile::link(victim, documentsFolder() + "a.txt"))
            QSKIP("no symbolic links here");
        const QString source = folder.file("fuori/a.txt");
        writeFile(source, "allegato");
        const DocumentTarget t = prepareDocument(source);
        QVERIFY(t.exists);
        copyDocument(source, t.path);
        QCOMPARE(readAll(victim), QByteArray("da non toccare"));
        QVERIFY(!QFileInfo(t.path).isSymLink());
        QCOMPARE(readAll(t.path), QByteArray("allegato"));
    }

    void question()
    {
        QCOMPARE(overwriteDocumentQuestion(),
                 QString::fromUtf8("Attenzione: nella cartella dei documenti allegati \u00E8 presente un file con lo "
                                   "stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"));
    }
};

QTEST_GUILESS_MAIN(TestDocuments)
#include "test_documents.moc"
