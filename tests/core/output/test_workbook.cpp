// The workbook exports (OpenDocument and Office Open XML) read back from
// their ZIP and XML: the sheet, the headings, the cells' types and texts.
#include "Catalogs.h"
#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "WorkbookReader.h"
#include "base/Failure.h"
#include "output/CatalogModel.h"
#include "output/Workbook.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

Q_DECLARE_METATYPE(pinakos::WorkbookFormat)
Q_DECLARE_METATYPE(pinakos::Campo)

namespace {

const char* const kHeadings[] = {"Titolo opera",
                                 "Soggetto rappresentato",
                                 "Artista",
                                 "Anno realizzazione",
                                 "Nazione",
                                 "Tecnica utilizzata",
                                 "Corrente artistica",
                                 "Dimensioni",
                                 "Supporto",
                                 "Luogo conservazione",
                                 "Proprietario attuale",
                                 "Codice fiscale",
                                 "Tel. preferenziale",
                                 "Note",
                                 "Valore",
                                 "Venduta"};
const int kWidths[] = {250, 300, 250, 200, 250, 200, 250, 250, 250, 250, 250, 250, 250, 400, 200, 180};

Book readBook(WorkbookFormat f, const QString& path)
{
    return f == WorkbookFormat::OpenDocument ? readOds(path) : readXlsx(path);
}

void addFormats()
{
    QTest::addColumn<WorkbookFormat>("format");
    QTest::newRow("ods") << WorkbookFormat::OpenDocument;
    QTest::newRow("xlsx") << WorkbookFormat::OfficeOpenXml;
}

} // namespace

class TestWorkbook : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempFolder> m_folder;

    // Exports the model to the workbook's file in the folder; gives its path.
    QString exportOf(const CatalogModel& m, WorkbookFormat f)
    {
        const QString path = m_folder->file(workbookFileName(f));
        if (!writeWorkbook(path, f, [&](RowSink& w) { return m.writeRows(w); }))
            return {};
        return path;
    }

private Q_SLOTS:
    void init() { m_folder = std::make_unique<TempFolder>(); }
    void cleanup() { m_folder.reset(); }

    void fileNames();
    void sheetLayout_data() { addFormats(); }
    void sheetLayout();
    void cells_data();
    void cells();
    void rowsInOrderWithEdits_data() { addFormats(); }
    void rowsInOrderWithEdits();
    void odsPackageStartsWithItsType();
    void cancelledLeavesOldFile_data() { addFormats(); }
    void cancelledLeavesOldFile();
    void fullDiskLeavesOldFile_data() { addFormats(); }
    void fullDiskLeavesOldFile();
    void blockedNameLeavesNoFile_data() { addFormats(); }
    void blockedNameLeavesNoFile();
    void odsWithoutTemporaryFolderLeavesOldFile();
};

void TestWorkbook::fileNames()
{
    QCOMPARE(workbookFileName(WorkbookFormat::OpenDocument), QStringLiteral("Inventario_Opere.ods"));
    QCOMPARE(workbookFileName(WorkbookFormat::OfficeOpenXml), QStringLiteral("Inventario_Opere.xlsx"));
}

// One sheet with its name, the sixteen headings in bold with the export's
// widths, the heading row frozen and the autofilter over heading and data.
void TestWorkbook::sheetLayout()
{
    QFETCH(WorkbookFormat, format);
    const QString archive =
        makeCatalog(QStringLiteral("Due"),
                    {makeRecord(QStringLiteral("Uno"), QStringLiteral("A"), QStringLiteral("1,00")),
                     makeRecord(QStringLiteral("Due"), QStringLiteral("B"), QStringLiteral("2,00"))});
    CatalogModel m;
    QVERIFY(m.load(archive));
    const Book b = readBook(format, exportOf(m, format));
    QVERIFY2(b.error.isEmpty(), qPrintable(b.error));
    QCOMPARE(b.sheets, QStringList{QStringLiteral("Inventario Opere")});
    QCOMPARE(b.rows.size(), 3);
    QCOMPARE(b.rows[0].size(), 16);
    for (int c = 0; c < 16; ++c) {
        QCOMPARE(b.rows[0][c].type, QStringLiteral("text"));
        QCOMPARE(b.rows[0][c].text, QString::fromUtf8(kHeadings[c]));
        QVERIFY2(b.rows[0][c].bold, kHeadings[c]);
        QVERIFY(!b.rows[1][c].bold);
    }
    QCOMPARE(b.frozenAt, QStringLiteral("A2"));
    QCOMPARE(b.filter, QStringLiteral("A1:P3"));
    QCOMPARE(b.widths.size(), 16);
    for (int c = 0; c < 16; ++c)
        QVERIFY2(qAbs(b.widths[c] - kWidths[c]) < 1.5, qPrintable(QString::number(b.widths[c])));
}

// Each field as a text cell exactly as the archive holds it; the value as
// a number with two decimals in euros when it is a price, else its text.
void TestWorkbook::cells_data()
{
    QTest::addColumn<WorkbookFormat>("format");
    QTest::addColumn<Campo>("field");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    const struct
    {
        const char* name;
        Campo field;
        QString stored, type, text;
    } cases[] = {
        {"VAT number with leading zero", Campo::CodFisc, QStringLiteral("04128730589"), QStringLiteral("text"),
         QStringLiteral("04128730589")},
        {"telephone", Campo::Recapito, QStringLiteral("0039 02 1234567"), QStringLiteral("text"),
         QStringLiteral("0039 02 1234567")},
        {"year as text", Campo::Tessuto, QStringLiteral("1889"), QStringLiteral("text"), QStringLiteral("1889")},
        {"blanks inside kept", Campo::Specifiche, QStringLiteral("Via  Roma   12"), QStringLiteral("text"),
         QStringLiteral("Via  Roma   12")},
        {"accents", Campo::Capo, QStringLiteral("Città è però Ñ €"), QStringLiteral("text"),
         QStringLiteral("Città è però Ñ €")},
        {"markup characters", Campo::Note, QStringLiteral("h < 50 & \"x\" > 'y'"), QStringLiteral("text"),
         QStringLiteral("h < 50 & \"x\" > 'y'")},
        {"line break and tab", Campo::Note, QStringLiteral("riga uno\r\nriga\tdue"), QStringLiteral("text"),
         QStringLiteral("riga uno\nriga\tdue")},
        {"looks like an Excel escape", Campo::Note, QStringLiteral("_x0041_ e _x"), QStringLiteral("text"),
         QStringLiteral("_x0041_ e _x")},
        {"control character left out", Campo::Note, QStringLiteral("a\x01z"), QStringLiteral("text"),
         QStringLiteral("az")},
        {"trimmed at both ends", Campo::Colore, QStringLiteral("  Caravaggio \t"), QStringLiteral("text"),
         QStringLiteral("Caravaggio")},
        {"sold", Campo::Segnala, QStringLiteral("Sì"), QStringLiteral("text"), QStringLiteral("Sì")},
        {"value", Campo::Prezzo, QStringLiteral("1250,50"), QStringLiteral("number"), QStringLiteral("1250.5")},
        {"large value", Campo::Prezzo, QStringLiteral("123456789012,05"), QStringLiteral("number"),
         QStringLiteral("123456789012.05")},
        {"negative value", Campo::Prezzo, QStringLiteral("-3,10"), QStringLiteral("number"), QStringLiteral("-3.1")},
        {"zero value", Campo::Prezzo, QStringLiteral("0,00"), QStringLiteral("number"), QStringLiteral("0")},
        {"value not a price stays text", Campo::Prezzo, QStringLiteral("da stimare"), QStringLiteral("text"),
         QStringLiteral("da stimare")},
        {"empty field", Campo::Descrizione, QString(), QString(), QString()},
    };
    for (const auto& c : cases) {
        QTest::addRow("ods: %s", c.name) << WorkbookFormat::OpenDocument << c.field << c.stored << c.type << c.text;
        QTest::addRow("xlsx: %s", c.name) << WorkbookFormat::OfficeOpenXml << c.field << c.stored << c.type << c.text;
    }
}

void TestWorkbook::cells()
{
    QFETCH(WorkbookFormat, format);
    QFETCH(Campo, field);
    QFETCH(QString, stored);
    QFETCH(QString, type);
    QFETCH(QString, text);
    TSchedaOpera r = makeRecord(QStringLiteral("Opera"), QStringLiteral("Artista"), QStringLiteral("5,00"));
    r.setText(field, stored);
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Uno"), {r})));
    int column = -1;
    for (int c = 1; c < CatalogModel::kColumns; ++c)
        if (CatalogModel::column(c).field == field)
            column = c - 1;
    QVERIFY(column >= 0);

    const Book b = readBook(format, exportOf(m, format));
    QVERIFY2(b.error.isEmpty(), qPrintable(b.error));
    QCOMPARE(b.rows.size(), 2);
    const BookCell cell = b.rows[1].value(column);
    QCOMPARE(cell.type, type);
    if (type == u"number") {
        QCOMPARE(cell.text.toDouble(), text.toDouble());
        QVERIFY2(cell.format.contains(QStringLiteral("0.00")) && cell.format.contains(u'€'), qPrintable(cell.format));
    } else {
        QCOMPARE(cell.text, text);
    }
    // The other cells of the row stay in their places.
    QCOMPARE(b.rows[1].value(0).text, field == Campo::Capo ? text : QStringLiteral("Opera"));
}

// Every grid row in order, an edit typed into the grid in place of the
// stored text; the archive itself is only read.
void TestWorkbook::rowsInOrderWithEdits()
{
    QFETCH(WorkbookFormat, format);
    QList<TSchedaOpera> records;
    for (int i = 1; i <= 40; ++i)
        records << makeRecord(QStringLiteral("Opera %1").arg(i), QStringLiteral("Artista"), QStringLiteral("1,00"));
    const QString archive = makeCatalog(QStringLiteral("Quaranta"), records);
    const QByteArray before = m_folder->read(QStringLiteral("Quaranta.art"));
    CatalogModel m;
    QVERIFY(m.load(archive));
    QVERIFY(m.setData(m.index(6, 12), QStringLiteral("  0012345678  ")));
    QVERIFY(m.setData(m.index(6, 14), QStringLiteral("nota   nuova")));
    const Book b = readBook(format, exportOf(m, format));
    QCOMPARE(b.rows.size(), 41);
    for (int i = 1; i <= 40; ++i)
        QCOMPARE(b.rows[i].value(0).text, QStringLiteral("Opera %1").arg(i));
    QCOMPARE(b.rows[7].value(11).text, QStringLiteral("0012345678"));
    QCOMPARE(b.rows[7].value(11).type, QStringLiteral("text"));
    QCOMPARE(b.rows[7].value(13).text, QStringLiteral("nota   nuova"));
    QCOMPARE(b.rows[8].value(13).text, QString());
    QCOMPARE(b.filter, QStringLiteral("A1:P41"));
    QCOMPARE(m_folder->read(QStringLiteral("Quaranta.art")), before);
}

// An OpenDocument reader knows the package by its first entry, "mimetype",
// stored uncompressed so that its text stands at a fixed place.
void TestWorkbook::odsPackageStartsWithItsType()
{
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Uno"), {makeRecord(QStringLiteral("Opera"), {}, {})})));
    const QString path = exportOf(m, WorkbookFormat::OpenDocument);
    const QByteArray bytes = m_folder->read(workbookFileName(WorkbookFormat::OpenDocument));
    QCOMPARE(bytes.left(4), QByteArray("PK\x03\x04"));
    QCOMPARE(bytes.mid(8, 2), QByteArray(2, '\0')); // stored
    QCOMPARE(bytes.mid(30, 8), QByteArray("mimetype"));
    QCOMPARE(bytes.mid(38, 46), QByteArray("application/vnd.oasis.opendocument.spreadsheet"));
    const Book b = readOds(path);
    QCOMPARE(b.entries.value(0), QStringLiteral("mimetype"));
    QVERIFY(b.entries.contains(QStringLiteral("META-INF/manifest.xml")));
    QVERIFY(zipEntry(path, QStringLiteral("META-INF/manifest.xml")).contains("manifest:full-path=\"content.xml\""));
}

void TestWorkbook::cancelledLeavesOldFile()
{
    QFETCH(WorkbookFormat, format);
    m_folder->write(workbookFileName(format), "vecchio");
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Uno"), {makeRecord(QStringLiteral("Opera"), {}, {})})));
    const QStringList before = m_folder->entries();
    const bool done = writeWorkbook(m_folder->file(workbookFileName(format)), format,
                                    [&](RowSink& w) { return m.writeRows(w, [](int rows) { return rows == 0; }); });
    QVERIFY(!done);
    QCOMPARE(m_folder->read(workbookFileName(format)), QByteArray("vecchio"));
    QCOMPARE(m_folder->entries(), before);
}

// A disk that fills up while the file is written: the failure says so, the
// old file stays as it was and no half-written file is left anywhere.
void TestWorkbook::fullDiskLeavesOldFile()
{
    QFETCH(WorkbookFormat, format);
    m_folder->write(workbookFileName(format), "il file buono");
    QList<TSchedaOpera> records;
    for (int i = 0; i < 300; ++i)
        records << makeRecord(QStringLiteral("Opera %1 ").arg(i).repeated(10), QStringLiteral("Artista"),
                              QStringLiteral("%1,00").arg(i));
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Molte"), records)));
    const QStringList before = m_folder->entries();
    QString message;
    {
        FileSizeLimit limit(4096);
        PINAKOS_REQUIRE_ACTIVE_LIMIT(limit);
        try {
            exportOf(m, format);
        } catch (const Failure& e) {
            message = e.message();
        }
    }
    QVERIFY2(message.contains(workbookFileName(format)), qPrintable(message));
    QCOMPARE(m_folder->read(workbookFileName(format)), QByteArray("il file buono"));
    QCOMPARE(m_folder->entries(), before);
}

// The final name held by a folder: the rename fails, and the written file
// goes with it.
void TestWorkbook::blockedNameLeavesNoFile()
{
    QFETCH(WorkbookFormat, format);
    QVERIFY(QDir(m_folder->path()).mkdir(workbookFileName(format)));
    QFile(m_folder->file(workbookFileName(format) + QStringLiteral("/dentro"))).open(QIODevice::WriteOnly);
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Uno"), {makeRecord(QStringLiteral("Opera"), {}, {})})));
    const QStringList before = m_folder->entries();
    QVERIFY_THROWS_EXCEPTION(Failure, exportOf(m, format));
    QCOMPARE(m_folder->entries(), before);
}

// The OpenDocument content is written through a temporary file: with no
// temporary folder to write it in, the export fails naming its file, and
// the old file stays as it was.
void TestWorkbook::odsWithoutTemporaryFolderLeavesOldFile()
{
    const QString name = workbookFileName(WorkbookFormat::OpenDocument);
    m_folder->write(name, "il file buono");
    // A file where the folder should be: no temporary file can be made in
    // it, whatever the user's rights.
    m_folder->write(QStringLiteral("non-una-cartella"), "x");
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Uno"), {makeRecord(QStringLiteral("Opera"), {}, {})})));
    const QStringList before = m_folder->entries();
    const QString notFolder = QDir::toNativeSeparators(m_folder->file(QStringLiteral("non-una-cartella")));
    const char* const variables[] = {"TMPDIR", "TMP", "TEMP"};
    QByteArray saved[3];
    for (int i = 0; i < 3; ++i) {
        saved[i] = qgetenv(variables[i]);
        qputenv(variables[i], notFolder.toLocal8Bit());
    }
    QString message;
    try {
        exportOf(m, WorkbookFormat::OpenDocument);
    } catch (const Failure& e) {
        message = e.message();
    }
    for (int i = 0; i < 3; ++i)
        saved[i].isNull() ? qunsetenv(variables[i]) : qputenv(variables[i], saved[i]);
    QVERIFY2(message.contains(name), qPrintable(message));
    QCOMPARE(m_folder->read(name), QByteArray("il file buono"));
    QCOMPARE(m_folder->entries(), before);
}

QTEST_GUILESS_MAIN(TestWorkbook)
#include "test_workbook.moc"
