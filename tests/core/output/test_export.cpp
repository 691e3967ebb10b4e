// The spreadsheet export's bytes and the export grid's table, without windows.
#include "Catalogs.h"
#include "FileSizeLimit.h"
#include "Spreadsheets.h"
#include "TempFolder.h"
#include "base/Failure.h"
#include "output/CatalogModel.h"
#include "output/Spreadsheet.h"
#include "store/Archive.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

Q_DECLARE_METATYPE(pinakos::Campo)

namespace {

// Everything before the first data row, as the file must hold it.
const QByteArray kHead = QByteArrayLiteral(
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>Inventario Opere</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head>"
    "<body><table x:str>"
    "<tr>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Titolo opera</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=300>Soggetto rappresentato</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Artista</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Anno realizzazione</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Nazione</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Tecnica utilizzata</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Corrente artistica</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Dimensioni</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Supporto</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Luogo conservazione</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Proprietario attuale</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Codice fiscale</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=250>Tel. preferenziale</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=400>Note</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=200>Valore</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=180>Venduta</td>"
    "</tr>");
const QByteArray kTail = QByteArrayLiteral("</table></body></html>");

QByteArray td(const QByteArray& bytes) { return "<td style=\"text-align: left;\">" + bytes + "</td>"; }

// A data row of sixteen cells, the given bytes first and empty cells after.
QByteArray row(const QList<QByteArray>& cells)
{
    QByteArray r = "<tr>";
    for (int i = 0; i < kSpreadsheetColumns; ++i)
        r += td(i < cells.size() ? cells[i] : QByteArray());
    return r + "</tr>";
}

// Stores raw bytes into a slot, length byte first, as another writer might.
void putRaw(TSchedaOpera& r, Campo c, const QByteArray& bytes, int length = -1)
{
    const Slot s = slotOf(c);
    r.bytes()[s.offset] = static_cast<unsigned char>(length < 0 ? bytes.size() : length);
    std::memcpy(r.bytes().data() + s.offset + 1, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), s.max)));
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_folder = std::make_unique<TempFolder>(); }
    void cleanup() { m_folder.reset(); }

    void wholeFileForOneRecord();
    void cellBytes_data();
    void cellBytes();
    void everyFieldInItsColumn();
    void cellFromText_data();
    void cellFromText();
    void longOutputStreamsThroughTheBuffer();

    void rowsNumberedInFileOrder();
    void emptyAndMissingArchivesGiveNoRows();
    void unfilledGridHasTenEmptyRows();
    void overlongLengthByteCutToSlot();
    void headersAndEditableColumns();
    void editReachesFileNotArchive();
    void editOfReadOnlyColumnRefused();
    void unreadableArchiveKeepsNoRows();
    void modelKeepsItsContractThroughLoadsAndEdits();

    void exportReplacesTheFile();
    void failedWriteLeavesOldFile();
    void failedRowLeavesOldFile();
    void progressHeardAndCancelled();

private:
    std::unique_ptr<TempFolder> m_folder;
};

void TestExport::wholeFileForOneRecord()
{
    TSchedaOpera r = makeRecord(QStringLiteral("Notte stellata"), QStringLiteral("Vincent"), QStringLiteral("1250,50"));
    r.setText(Campo::Descrizione, QStringLiteral("Paesaggio"));
    r.setText(Campo::Note, QStringLiteral("Dalla collezione X"));
    const QString path = makeCatalog(QStringLiteral("Uno"), {r});
    CatalogModel m;
    QVERIFY(m.load(path));

    const QByteArray expected = kHead
        + row({"Notte stellata", "Paesaggio", "Vincent", "", "", "", "", "", "", "", "", "", "", "Dalla collezione X",
               "1250,50", "No"})
        + kTail;
    const QString file = m_folder->file(spreadsheetFileName());
    writeSpreadsheet(file, [&](SpreadsheetWriter& w) { return m.writeRows(w); });
    QCOMPARE(m_folder->read(spreadsheetFileName()), expected);
    QVERIFY(!expected.contains('\n'));
}

void TestExport::cellBytes_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("cell");
    QTest::newRow("plain") << QByteArray("Ritratto") << QByteArray("Ritratto");
    QTest::newRow("trimmed, inner blanks kept") << QByteArray(" \t Due  parole\x01 ") << QByteArray("Due  parole");
    QTest::newRow("only blanks") << QByteArray("   ") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("ampersand and angles escaped")
        << QByteArray("h < 50 cm & cornice > 3") << QByteArray("h &lt; 50 cm &amp; cornice &gt; 3");
    QTest::newRow("an entity as typed") << QByteArray("&amp;") << QByteArray("&amp;amp;");
    QTest::newRow("escape at the edges") << QByteArray("<x>") << QByteArray("&lt;x&gt;");
    QTest::newRow("quotes as they are") << QByteArray("\"Il bacio\" d'Hayez") << QByteArray("\"Il bacio\" d'Hayez");
    QTest::newRow("Windows-1252 bytes unchanged")
        << QByteArray("citt\xE0 \x80 \x9C") << QByteArray("citt\xE0 \x80 \x9C");
    QTest::newRow("sold mark") << QByteArray("S\xEC") << QByteArray("S\xEC");
    QTest::newRow("inner line break kept") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
}

void TestExport::cellBytes()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, cell);
    TSchedaOpera r;
    putRaw(r, Campo::Note, stored);
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Celle"), {r})));
    QList<QByteArray> cells(kSpreadsheetColumns);
    cells[13] = cell;
    QCOMPARE(spreadsheetOf(m), kHead + row(cells) + kTail);
}

void TestExport::everyFieldInItsColumn()
{
    // Each field holds its own name: the columns must come out in the grid's order.
    const Campo order[kSpreadsheetColumns] = {Campo::Capo,     Campo::Descrizione, Campo::Colore,  Campo::Tessuto,
                                              Campo::Misure,   Campo::Peso,        Campo::Usura,   Campo::Difetti,
                                              Campo::Servizio, Campo::Specifiche,  Campo::Cliente, Campo::CodFisc,
                                              Campo::Recapito, Campo::Note,        Campo::Prezzo,  Campo::Segnala};
    TSchedaOpera r;
    QList<QByteArray> cells;
    for (int i = 0; i < kSpreadsheetColumns; ++i) {
        const QByteArray v = i == 15 ? QByteArray("S\xEC") : QByteArray(QByteArray("F") + QByteArray::number(i));
        putRaw(r, order[i], v);
        cells << v;
    }
    // The attachment slots are neither shown nor exported.
    r.setText(Campo::File01, QStringLiteral("allegato.pdf"));
    r.setText(Campo::Desc03, QStringLiteral("descrizione"));
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Campi"), {r})));
    QCOMPARE(spreadsheetOf(m), kHead + row(cells) + kTail);
    for (int i = 0; i < kSpreadsheetColumns; ++i)
        QCOMPARE(m.text(0, i + 1), QString::fromLatin1(cells[i]));
}

void TestExport::cellFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("cell");
    QTest::newRow("trimmed and encoded") << QStringLiteral("  Città € 5 ") << QByteArray("Citt\xE0 \x80 5");
    QTest::newRow("escaped") << QStringLiteral("a<b & c>d") << QByteArray("a&lt;b &amp; c&gt;d");
    QTest::newRow("outside the code page") << QStringLiteral("\u0103\u4E00") << QByteArray("a?");
}

void TestExport::cellFromText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, cell);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SpreadsheetWriter w(buffer);
    w.cell(text);
    w.finish();
    QCOMPARE(buffer.data(), td(cell) + kTail);
}

void TestExport::longOutputStreamsThroughTheBuffer()
{
    // More than the writer's buffer, in pieces small and large.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SpreadsheetWriter w(buffer);
    QByteArray expected;
    const QByteArray big(3 << 20, 'x');
    for (int i = 0; i < 20000; ++i) {
        const QByteArray v = QByteArray::number(i) + "&";
        w.cell(v);
        expected += td(QByteArray::number(i) + "&amp;");
        if (i == 10000) {
            w.cell(big);
            expected += td(big);
        }
    }
    w.finish();
    QCOMPARE(buffer.data().size(), expected.size() + kTail.size());
    QVERIFY(buffer.data() == expected + kTail);
}

void TestExport::rowsNumberedInFileOrder()
{
    QList<TSchedaOpera> records;
    for (int i = 1; i <= 600; ++i) // more than one block of the archive's reads
        records << makeRecord(QStringLiteral("Opera %1").arg(i), QStringLiteral("A"), QStringLiteral("1,00"), i % 2);
    const QString path = makeCatalog(QStringLiteral("Molte"), records);
    // Trailing bytes that make no record are no row.
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    f.write(QByteArray(100, 'z'));
    f.close();

    CatalogModel m;
    QVERIFY(m.load(path));
    QCOMPARE(m.rowCount(), 600);
    for (int i : {0, 1, 255, 256, 599}) {
        QCOMPARE(m.text(i, 0), QString::number(i + 1));
        QCOMPARE(m.text(i, 1), QStringLiteral("Opera %1").arg(i + 1));
        QCOMPARE(m.text(i, 16), (i + 1) % 2 ? QStringLiteral("Sì") : QStringLiteral("No"));
    }
    const QByteArray out = spreadsheetOf(m);
    QCOMPARE(out.count("<tr>"), 601);
    QVERIFY(out.indexOf(td("Opera 1")) < out.indexOf(td("Opera 2")));
    QVERIFY(out.indexOf(td("Opera 599")) < out.indexOf(td("Opera 600")));
}

void TestExport::emptyAndMissingArchivesGiveNoRows()
{
    const QString path = makeCatalog(QStringLiteral("Vuoto"));
    CatalogModel m;
    QVERIFY(m.load(path));
    QCOMPARE(m.rowCount(), 0);
    QCOMPARE(spreadsheetOf(m), kHead + kTail);

    // A missing archive is created empty, as every reader does.
    const QString missing = m_folder->file(QStringLiteral("Sparito.art"));
    QVERIFY(m.load(missing));
    QCOMPARE(m.rowCount(), 0);
    QVERIFY(QFile::exists(missing));
    QCOMPARE(QFileInfo(missing).size(), 0);
}

void TestExport::unfilledGridHasTenEmptyRows()
{
    CatalogModel m;
    QCOMPARE(m.rowCount(), CatalogModel::kInitialRows);
    QCOMPARE(m.columnCount(), 17);
    QCOMPARE(m.text(9, 0), QString());
    QCOMPARE(m.text(9, 14), QString());
}

void TestExport::overlongLengthByteCutToSlot()
{
    TSchedaOpera r;
    putRaw(r, Campo::Segnala, "No", 200); // nothing past the slot's two bytes is read
    putRaw(r, Campo::File01, "ZZZ");
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Lungo"), {r})));
    QCOMPARE(m.text(0, 16), QStringLiteral("No"));
}

void TestExport::headersAndEditableColumns()
{
    CatalogModel m;
    const QStringList headers = {QStringLiteral("N."),
                                 QStringLiteral("Titolo opera"),
                                 QStringLiteral("Soggetto rappresentato"),
                                 QStringLiteral("Artista"),
                                 QStringLiteral("Anno realizzazione"),
                                 QStringLiteral("Nazione"),
                                 QStringLiteral("Tecnica utilizzata"),
                                 QStringLiteral("Corrente artistica"),
                                 QStringLiteral("Dimensioni"),
                                 QStringLiteral("Supporto"),
                                 QStringLiteral("Luogo conservazione"),
                                 QStringLiteral("Proprietario attuale"),
                                 QStringLiteral("Codice fiscale"),
                                 QStringLiteral("Tel. preferenziale"),
                                 QStringLiteral("Note"),
                                 QStringLiteral("Valore"),
                                 QStringLiteral("Venduta")};
    QStringList editable;
    for (int c = 0; c < m.columnCount(); ++c) {
        QCOMPARE(m.headerData(c, Qt::Horizontal).toString(), headers[c]);
        if (m.flags(m.index(0, c)) & Qt::ItemIsEditable)
            editable << QString::fromLatin1(CatalogModel::column(c).name);
    }
    QCOMPARE(editable, QStringList({"colCorrente", "colProprietario", "colCodFisc", "colRecapito", "colNote"}));
}

void TestExport::editReachesFileNotArchive()
{
    TSchedaOpera r = makeRecord(QStringLiteral("Titolo"), QStringLiteral("Artista"), QStringLiteral("10,00"));
    r.setText(Campo::Note, QStringLiteral("nota vecchia"));
    const QString path = makeCatalog(QStringLiteral("Modifica"), {r, r});
    const QByteArray before = m_folder->read(QStringLiteral("Modifica.art"));

    CatalogModel m;
    QVERIFY(m.load(path));
    QVERIFY(m.setData(m.index(1, 14), QStringLiteral("  h < 50 cm & cornice ")));
    QVERIFY(m.setData(m.index(0, 11), QStringLiteral("Proprietà")));
    QCOMPARE(m.data(m.index(1, 14)).toString(), QStringLiteral("  h < 50 cm & cornice "));

    QList<QByteArray> first(kSpreadsheetColumns), second(kSpreadsheetColumns);
    first[0] = second[0] = "Titolo";
    first[2] = second[2] = "Artista";
    first[14] = second[14] = "10,00";
    first[15] = second[15] = "No";
    first[13] = "nota vecchia";
    first[10] = "Propriet\xE0";
    second[13] = "h &lt; 50 cm &amp; cornice";
    QCOMPARE(spreadsheetOf(m), kHead + row(first) + row(second) + kTail);
    QCOMPARE(m_folder->read(QStringLiteral("Modifica.art")), before);
}

void TestExport::editOfReadOnlyColumnRefused()
{
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Sola"), {makeRecord("T", "A", "1,00")})));
    QVERIFY(!m.setData(m.index(0, 1), QStringLiteral("altro")));
    QVERIFY(!m.setData(m.index(0, 0), QStringLiteral("7")));
    QCOMPARE(m.text(0, 1), QStringLiteral("T"));
    QCOMPARE(m.text(0, 0), QStringLiteral("1"));
}

void TestExport::unreadableArchiveKeepsNoRows()
{
    // A folder where the archive should be: the filling ends silently.
    QVERIFY(QDir().mkpath(m_folder->file(QStringLiteral("Cartella.art"))));
    CatalogModel m;
    QVERIFY(!m.load(m_folder->file(QStringLiteral("Cartella.art"))));
    QCOMPARE(m.rowCount(), 0);
}

// Qt's model tester watches the grid's model while it is filled, edited,
// emptied and refused an archive: every signal and answer must agree.
void TestExport::modelKeepsItsContractThroughLoadsAndEdits()
{
    CatalogModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QString three =
        makeCatalog(QStringLiteral("Tre"),
                    {makeRecord("A", "a", "1,00"), makeRecord("B", "b", "2,00"), makeRecord("C", "c", "3,00")});
    QVERIFY(m.load(three));
    QCOMPARE(m.rowCount(), 3);
    QVERIFY(m.setData(m.index(2, 14), QStringLiteral("nota")));
    QVERIFY(!m.setData(m.index(2, 0), QStringLiteral("5")));
    QVERIFY(m.load(makeCatalog(QStringLiteral("Nessuna"))));
    QCOMPARE(m.rowCount(), 0);
    QVERIFY(QDir().mkpath(m_folder->file(QStringLiteral("Cartella.art"))));
    QVERIFY(!m.load(m_folder->file(QStringLiteral("Cartella.art"))));
    QVERIFY(m.load(three));
    QCOMPARE(m.rowCount(), 3);
}

void TestExport::exportReplacesTheFile()
{
    m_folder->write(spreadsheetFileName(), QByteArray(10000, 'o'));
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Due"), {makeRecord("T", "A", "1,00")})));
    const QString file = m_folder->file(spreadsheetFileName());
    writeSpreadsheet(file, [&](SpreadsheetWriter& w) { return m.writeRows(w); });
    writeSpreadsheet(file, [&](SpreadsheetWriter& w) { return m.writeRows(w); });
    QCOMPARE(m_folder->read(spreadsheetFileName()), spreadsheetOf(m));
    // No temporary file is left behind.
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files).size(), 2);
}

void TestExport::failedWriteLeavesOldFile()
{
    const QByteArray old = "il file buono di prima";
    m_folder->write(spreadsheetFileName(), old);
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Pieno"), {makeRecord("T", "A", "1,00")})));
    const QStringList before = QDir(m_folder->path()).entryList(QDir::Files);
    {
        FileSizeLimit limit(64); // the disk fills up part-way
        if (!limit.active())
            QSKIP(kNoFileSizeLimit);
        QVERIFY_THROWS_EXCEPTION(Failure,
                                 writeSpreadsheet(m_folder->file(spreadsheetFileName()),
                                                  [&](SpreadsheetWriter& w) { return m.writeRows(w); }));
    }
    QCOMPARE(m_folder->read(spreadsheetFileName()), old);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), before);
}

void TestExport::failedRowLeavesOldFile()
{
    const QByteArray old = "il file buono di prima";
    m_folder->write(spreadsheetFileName(), old);
    QVERIFY_THROWS_EXCEPTION(Failure,
                             writeSpreadsheet(m_folder->file(spreadsheetFileName()), [](SpreadsheetWriter& w) -> bool {
                                 w.beginRow();
                                 throw Failure(QStringLiteral("a metà"));
                             }));
    QCOMPARE(m_folder->read(spreadsheetFileName()), old);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{spreadsheetFileName()});
}

void TestExport::progressHeardAndCancelled()
{
    const QByteArray old = "il file buono di prima";
    m_folder->write(spreadsheetFileName(), old);
    QList<TSchedaOpera> records;
    for (int i = 0; i < 3000; ++i)
        records << makeRecord("T", "A", "1,00");
    CatalogModel m;
    QVERIFY(m.load(makeCatalog(QStringLiteral("Tante"), records)));
    const QString file = m_folder->file(spreadsheetFileName());

    QList<int> heard;
    QVERIFY(writeSpreadsheet(file, [&](SpreadsheetWriter& w) {
        return m.writeRows(w, [&](int rows) {
            heard << rows;
            return true;
        });
    }));
    QCOMPARE(heard, QList<int>({0, 1024, 2048, 3000}));
    QCOMPARE(m_folder->read(spreadsheetFileName()).count("<tr>"), 3001);

    // Cancelled part-way: the file written before stays, and nothing else.
    m_folder->write(spreadsheetFileName(), old);
    QVERIFY(!writeSpreadsheet(
        file, [&](SpreadsheetWriter& w) { return m.writeRows(w, [](int rows) { return rows < 2048; }); }));
    QCOMPARE(m_folder->read(spreadsheetFileName()), old);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files),
             QStringList({spreadsheetFileName(), QStringLiteral("Tante.art")}));
}

QTEST_GUILESS_MAIN(TestExport)
#include "test_export.moc"
