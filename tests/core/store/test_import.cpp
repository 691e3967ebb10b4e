#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "base/Failure.h"
#include "output/CatalogModel.h"
#include "store/Archive.h"
#include "store/Import.h"

#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(CsvEncoding)

namespace {

Rows rowsOf(const CsvTable& t)
{
    Rows out;
    for (int r = 0; r < t.rowCount(); ++r)
        out.append(t.row(r));
    return out;
}

TSchedaOpera recordWith(const QString& title)
{
    TSchedaOpera r;
    r.setText(Campo::Capo, title);
    r.setVenduta(false);
    return r;
}

QByteArray recordBytes(const TSchedaOpera& r) { return QByteArray(r.data(), TSchedaOpera::Size); }

// Two records and, should `tail` say so, 100 bytes of a third never finished.
QByteArray smallArchive(bool tail)
{
    QByteArray a =
        recordBytes(recordWith(QStringLiteral("Prima"))) + recordBytes(recordWith(QStringLiteral("Seconda")));
    if (tail)
        a += QByteArray(100, '\x7F');
    return a;
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsCells_data();
    void readsCells();
    void headings_data();
    void headings();
    void exportHeadingsFillTheirFields();
    void firstRowAsHeadings_data();
    void firstRowAsHeadings();
    void soldMark_data();
    void soldMark();
    void spreadsheetValues_data();
    void spreadsheetValues();
    void valueRules_data();
    void valueRules();
    void changesDescribed();
    void appendsAfterTheRecords_data();
    void appendsAfterTheRecords();
    void headinglessFile();
    void failureLeavesArchive_data();
    void failureLeavesArchive();
    void unreadableFileFails();
    void hundredThousandRows();
};

void TestImport::readsCells_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<CsvEncoding>("encoding");

    const QString citta = QStringLiteral("Citt\u00E0");
    QTest::newRow("semicolon, UTF-8") << QByteArray("Titolo;Artista\r\nCitt\xC3\xA0;Rossi\r\n")
                                      << Rows{{"Titolo", "Artista"}, {citta, "Rossi"}} << QChar(u';')
                                      << CsvEncoding::Utf8;
    QTest::newRow("comma, UTF-8 with its mark")
        << QByteArray("\xEF\xBB\xBFTitolo,Artista\nCitt\xC3\xA0,Rossi\n")
        << Rows{{"Titolo", "Artista"}, {citta, "Rossi"}} << QChar(u',') << CsvEncoding::Utf8Bom;
    QTest::newRow("tab, Windows-1252") << QByteArray("Titolo\tArtista\r\nCitt\xE0 \x80\tRossi\r\n")
                                       << Rows{{"Titolo", "Artista"}, {citta + QStringLiteral(" \u20AC"), "Rossi"}}
                                       << QChar(u'\t') << CsvEncoding::Windows1252;
    QTest::newRow("quotes: separator, doubled quote, line breaks")
        << QByteArray("a;b\r\n\"uno;due\";\"detto \"\"Il Moro\"\"\"\r\n\"riga1\r\nriga2\";\"x\ny\"\r\n")
        << Rows{{"a", "b"}, {"uno;due", "detto \"Il Moro\""}, {"riga1\r\nriga2", "x\ny"}} << QChar(u';')
        << CsvEncoding::Utf8;
    QTest::newRow("empty rows skipped") << QByteArray("a;b\r\n\r\n;\r\n  ; \r\nc;d\r\n\r\n")
                                        << Rows{{"a", "b"}, {"c", "d"}} << QChar(u';') << CsvEncoding::Utf8;
    QTest::newRow("lone CR, no break at the end")
        << QByteArray("a,b\rc,d") << Rows{{"a", "b"}, {"c", "d"}} << QChar(u',') << CsvEncoding::Utf8;
    QTest::newRow("empty cells kept, a trailing separator too")
        << QByteArray("a;;c;\n1;2;3;4\n") << Rows{{"a", "", "c", ""}, {"1", "2", "3", "4"}} << QChar(u';')
        << CsvEncoding::Utf8;
    QTest::newRow("commas in the values of a semicolon file")
        << QByteArray("Rosa;1500,00\nAlba;2,5\n") << Rows{{"Rosa", "1500,00"}, {"Alba", "2,5"}} << QChar(u';')
        << CsvEncoding::Utf8;
    QTest::newRow("a quote left open runs to the end")
        << QByteArray("a;\"b\nc;d") << Rows{{"a", "b\nc;d"}} << QChar(u';') << CsvEncoding::Utf8;
    QTest::newRow("text after a closing quote stays")
        << QByteArray("\"a\"b;c\n") << Rows{{"ab", "c"}} << QChar(u';') << CsvEncoding::Utf8;
    QTest::newRow("one column") << QByteArray("Titolo\nRosa\n") << Rows{{"Titolo"}, {"Rosa"}} << QChar(u';')
                                << CsvEncoding::Utf8;
    QTest::newRow("nothing") << QByteArray() << Rows{} << QChar(u';') << CsvEncoding::Utf8;
    QTest::newRow("a UTF-8 look-alike that is not")
        << QByteArray("a;\xC3\n") << Rows{{"a", QStringLiteral("\u00C3")}} << QChar(u';') << CsvEncoding::Windows1252;
    // Bytes a UTF-8 decoder might let through: an overlong "/", a surrogate.
    QTest::newRow("overlong form") << QByteArray("a;\xC0\xAF\n") << Rows{{"a", QStringLiteral("\u00C0\u00AF")}}
                                   << QChar(u';') << CsvEncoding::Windows1252;
    QTest::newRow("surrogate") << QByteArray("a;\xED\xA0\x80\n") << Rows{{"a", QStringLiteral("\u00ED\u00A0\u20AC")}}
                               << QChar(u';') << CsvEncoding::Windows1252;
    QTest::newRow("four-byte character, long ASCII run before it")
        << (QByteArray(40, 'x') + ";\xF0\x9F\x8E\xA8\n") << Rows{{QString(40, u'x'), QStringLiteral("\U0001F3A8")}}
        << QChar(u';') << CsvEncoding::Utf8;
}

void TestImport::readsCells()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, rows);
    QFETCH(QChar, separator);
    QFETCH(CsvEncoding, encoding);
    const CsvTable t = readCsv(bytes);
    QCOMPARE(rowsOf(t), rows);
    QCOMPARE(t.separator(), separator);
    QCOMPARE(t.encoding(), encoding);
}

void TestImport::headings_data()
{
    QTest::addColumn<QString>("heading");
    QTest::addColumn<int>("target");
    QTest::newRow("Titolo") << "Titolo" << 0;
    QTest::newRow("TITOLO OPERA") << " TITOLO OPERA " << 0;
    QTest::newRow("Autore") << "Autore" << 2;
    QTest::newRow("Artist") << "Artist" << 2;
    QTest::newRow("Anno") << "Anno" << 3;
    QTest::newRow("Year") << "year" << 3;
    QTest::newRow("Prezzo") << "Prezzo" << 14;
    QTest::newRow("Valore") << "Valore" << 14;
    QTest::newRow("Price") << "Price" << 14;
    QTest::newRow("Foto") << "Foto" << kImportPhoto;
    QTest::newRow("Tel. preferenziale") << "Tel. preferenziale" << 12;
    QTest::newRow("accent aside") << QStringLiteral("Vendut\u00E0") << 15;
    QTest::newRow("unknown") << QStringLiteral("Citt\u00E0") << -1;
    QTest::newRow("a longer name") << "Titolo dell'opera" << -1;
    QTest::newRow("blank") << "  " << -1;
}

void TestImport::headings()
{
    QFETCH(QString, heading);
    QFETCH(int, target);
    QCOMPARE(headingTarget(heading), target);
}

void TestImport::exportHeadingsFillTheirFields()
{
    // The export's own headings, in its order, fill the export's fields.
    QStringList headings;
    for (int c = 1; c < CatalogModel::kColumns; ++c)
        headings.append(QString::fromUtf8(CatalogModel::column(c).header));
    headings.append(QStringLiteral("Foto"));
    const ImportMapping m = matchHeadings(headings);
    QCOMPARE(m, positionalMapping());
    for (int t = 0; t < kImportPhoto; ++t)
        QCOMPARE(importField(t), CatalogModel::column(t + 1).field);
    QVERIFY(looksLikeHeadings(headings));

    // Reordered, the columns follow their headings; the first of two wins.
    const ImportMapping r = matchHeadings({"Note", "Prezzo", "x", "Titolo", "Valore", "Foto"});
    QCOMPARE(r[13], 0);
    QCOMPARE(r[14], 1);
    QCOMPARE(r[0], 3);
    QCOMPARE(r[kImportPhoto], 5);
    QCOMPARE(r[2], -1);
}

void TestImport::firstRowAsHeadings_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<bool>("headings");
    QTest::newRow("all named") << QStringList{"Titolo", "Autore", "Anno"} << true;
    QTest::newRow("half named") << QStringList{"Titolo", "Collezione", "", ""} << true;
    QTest::newRow("a title that is a heading word") << QStringList{"Opera", "Rossi", "1920", "Roma"} << false;
    QTest::newRow("data") << QStringList{"Ritratto", "Rossi", "1920"} << false;
    QTest::newRow("blank") << QStringList{"", ""} << false;
}

void TestImport::firstRowAsHeadings()
{
    QFETCH(QStringList, row);
    QFETCH(bool, headings);
    QCOMPARE(looksLikeHeadings(row), headings);
}

void TestImport::spreadsheetValues_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("unread");
    QTest::newRow("plain") << "1200,5"
                           << "1200,50" << false;
    QTest::newRow("thousands") << "1.200,50"
                               << "1200,50" << false;
    QTest::newRow("millions") << "-2.500.000"
                              << "-2500000,00" << false;
    QTest::newRow("euro before") << "\u20AC 1.200,50"
                                 << "1200,50" << false;
    QTest::newRow("euro after, blank inside") << "1 200,50 \u20AC"
                                              << "1200,50" << false;
    QTest::newRow("EUR") << "EUR 300"
                         << "300,00" << false;
    QTest::newRow("decimal point") << "1200.5"
                                   << "1200,50" << false;
    QTest::newRow("dot with three digits is thousands") << "1.200"
                                                        << "1200,00" << false;
    QTest::newRow("zero") << "0"
                          << "0,00" << false;
    QTest::newRow("zero with decimals") << "0,00"
                                        << "0,00" << false;
    QTest::newRow("blank") << "  "
                           << "0,00" << false;
    QTest::newRow("less than half a hundredth") << "0,004"
                                                << "0,00" << false;
    QTest::newRow("tiny with exponent") << "1e-5"
                                        << "0,00" << false;
    QTest::newRow("too large for the field") << "1e20"
                                             << "0,00" << true;
    QTest::newRow("words") << "su richiesta"
                           << "0,00" << true;
    QTest::newRow("two commas") << "1,2,3"
                                << "0,00" << true;
}

void TestImport::spreadsheetValues()
{
    QFETCH(QString, cell);
    QFETCH(QString, stored);
    QFETCH(bool, unread);
    const CsvTable table = readCsv(("Valore\n\"" + cell + "\"\n").toUtf8());
    const ImportedRow r = importRow(table, 1, matchHeadings(table.row(0)));
    QCOMPARE(r.record.text(Campo::Prezzo), stored);
    QCOMPARE(r.priceUnread, unread);
    QCOMPARE(describeChanges(2, r).isEmpty(), !unread);
}

void TestImport::soldMark_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("sold");
    for (const char* yes : {"S\xC3\xAC", "si", "SI", "x", "X", "1", "true", "TRUE", "venduta", " Venduta "})
        QTest::newRow(yes) << QString::fromUtf8(yes) << true;
    for (const char* no : {"No", "", "0", "false", "s", "yes", "xx", "11", "venduto?"})
        QTest::newRow(no[0] ? no : "empty") << QString::fromUtf8(no) << false;
}

void TestImport::soldMark()
{
    QFETCH(QString, cell);
    QFETCH(bool, sold);
    QCOMPARE(pinakos::soldMark(cell), sold);
}

void TestImport::valueRules_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<bool>("replaced");

    const QString a50 = QString(50, u'a');
    QTest::newRow("title as it is") << 0 << "  Ritratto  "
                                    << "Ritratto" << false << false;
    QTest::newRow("title of 50 fits") << 0 << a50 << a50 << false << false;
    QTest::newRow("title of 51 cut") << 0 << a50 + "b" << a50 << true << false;
    QTest::newRow("fiscal code cut to 16") << 11 << "RSSMRA80A01H501UX"
                                           << "RSSMRA80A01H501U" << true << false;
    QTest::newRow("euro sign is in the code page")
        << 13 << QStringLiteral("\u20AC 5") << QStringLiteral("\u20AC 5") << false << false;
    QTest::newRow("letter outside, unaccented") << 2 << QStringLiteral("Erd\u0151s") << "Erdos" << false << true;
    QTest::newRow("character outside, question mark")
        << 1 << QStringLiteral("\u03A9 e \u4E00") << "? e ?" << false << true;
    QTest::newRow("outside only in the cut part") << 0 << a50 + QStringLiteral("\u03A9") << a50 << true << false;
    QTest::newRow("cut and replaced") << 12 << QStringLiteral("\u03A9") + QString(40, u'1') << "?" + QString(29, u'1')
                                      << true << true;
    QTest::newRow("price rule") << 14 << "1500,5"
                                << "1500,50" << false << false;
    QTest::newRow("price unreadable") << 14 << "mille euro"
                                      << "0,00" << false << false;
    QTest::newRow("sold") << 15 << "x" << QStringLiteral("S\u00EC") << false << false;
    QTest::newRow("not sold") << 15 << "forse"
                              << "No" << false << false;
    QTest::newRow("sold mark blank") << 15 << ""
                                     << "No" << false << false;
}

void TestImport::valueRules()
{
    QFETCH(int, target);
    QFETCH(QString, cell);
    QFETCH(QString, stored);
    QFETCH(bool, cut);
    QFETCH(bool, replaced);

    // The cell in its column between two others, quoted so that nothing of the CSV touches it.
    QString quoted = cell;
    quoted.replace(u'"', QStringLiteral("\"\""));
    const QByteArray csv = ("a;\"" + quoted + "\";b\n").toUtf8();
    const CsvTable table = readCsv(csv);
    ImportMapping m;
    m.fill(-1);
    m[size_t(target)] = 1;
    const ImportedRow r = importRow(table, 0, m);
    QCOMPARE(r.record.text(importField(target)), stored);
    QCOMPARE(r.cut, cut ? 1u << target : 0u);
    QCOMPARE(r.replaced, replaced ? 1u << target : 0u);
    // The other fields are empty, the sold mark and the price in their normal form.
    for (int t = 0; t < kImportPhoto; ++t) {
        if (t == target)
            continue;
        const QString expected = t == 14 ? QStringLiteral("0,00") : t == 15 ? QStringLiteral("No") : QString();
        QCOMPARE(r.record.text(importField(t)), expected);
    }
}

void TestImport::changesDescribed()
{
    ImportedRow r;
    QCOMPARE(describeChanges(3, r), QString());
    r.cut = 1u << 0 | 1u << 13;
    r.replaced = 1u << 2 | 1u << 13;
    QCOMPARE(describeChanges(7, r),
             QStringLiteral("Riga 7: Titolo opera tagliato; Artista con caratteri sostituiti; "
                            "Note tagliato e con caratteri sostituiti"));
}

void TestImport::appendsAfterTheRecords_data()
{
    QTest::addColumn<bool>("tail");
    QTest::newRow("whole records") << false;
    QTest::newRow("a partial record at the end") << true;
}

void TestImport::appendsAfterTheRecords()
{
    QFETCH(bool, tail);
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("Prova.art"));
    QVERIFY(writeFile(path, smallArchive(tail)));

    const QByteArray csv = QString(QStringLiteral("Titolo;Artista;Prezzo;Venduta;Foto\r\n"
                                                  "Ritratto;Rossi;1200;x;r.jpg\r\n"
                                                  "\r\n"
                                                  "\"Paesaggio\r\ncon rovine\";Erd\u0151s;;;\r\n"
                                                  "%1;Bianchi;3,456;venduta;\r\n"))
                               .arg(QString(60, u't'))
                               .toUtf8();
    const CsvTable table = readCsv(csv);
    QVERIFY(looksLikeHeadings(table.row(0)));
    QStringList photos;
    int first = 0;
    const ImportCounts counts = importCsv(path, table, matchHeadings(table.row(0)), true, &first,
                                          [&](int, const ImportedRow& r) { photos.append(r.photo); });
    QCOMPARE(first, 3);
    QCOMPARE(counts.rows, 3);
    QCOMPARE(counts.cutFields, 1);
    QCOMPARE(counts.replacedFields, 1);
    QCOMPARE(counts.changedRows, 2);
    QCOMPARE(photos, QStringList({"r.jpg", "", ""}));

    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 5 * TSchedaOpera::Size);
    QCOMPARE(bytes.left(2 * TSchedaOpera::Size), smallArchive(false));
    Archive a(path);
    const TSchedaOpera r3 = a.read(3), r4 = a.read(4), r5 = a.read(5);
    QCOMPARE(r3.text(Campo::Capo), QStringLiteral("Ritratto"));
    QCOMPARE(r3.text(Campo::Colore), QStringLiteral("Rossi"));
    QCOMPARE(r3.text(Campo::Prezzo), QStringLiteral("1200,00"));
    QCOMPARE(r3.venduta(), Venduta::Si);
    QCOMPARE(r4.text(Campo::Capo), QStringLiteral("Paesaggio\r\ncon rovine"));
    QCOMPARE(r4.text(Campo::Colore), QStringLiteral("Erdos"));
    QCOMPARE(r4.text(Campo::Prezzo), QStringLiteral("0,00"));
    QCOMPARE(r4.venduta(), Venduta::No);
    QCOMPARE(r5.text(Campo::Capo), QString(50, u't'));
    QCOMPARE(r5.text(Campo::Prezzo), QStringLiteral("3,46"));
    QCOMPARE(r5.venduta(), Venduta::Si);
}

void TestImport::headinglessFile()
{
    // Sixteen columns in the export's order and a photo, no heading row.
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("Prova.art"));
    QByteArray csv;
    for (int row = 0; row < 3; ++row) {
        QStringList cells;
        for (int c = 0; c < 14; ++c)
            cells.append(QStringLiteral("r%1c%2").arg(row).arg(c));
        cells << QStringLiteral("%1,5").arg(row) << (row == 1 ? "1" : "0") << QStringLiteral("f%1.jpg").arg(row);
        csv += cells.join(u'\t').toLatin1() + "\n";
    }
    const CsvTable table = readCsv(csv);
    QVERIFY(!looksLikeHeadings(table.row(0)));
    QCOMPARE(importCsv(path, table, positionalMapping(), false).rows, 3);
    Archive a(path);
    QCOMPARE(a.count(), 3);
    for (int row = 0; row < 3; ++row) {
        const TSchedaOpera r = a.read(row + 1);
        for (int c = 0; c < 14; ++c)
            QCOMPARE(r.text(importField(c)), QStringLiteral("r%1c%2").arg(row).arg(c));
        QCOMPARE(r.text(Campo::Prezzo), QStringLiteral("%1,50").arg(row));
        QCOMPARE(r.venduta(), row == 1 ? Venduta::Si : Venduta::No);
        QCOMPARE(r.text(Campo::File01), QString());
    }
}

void TestImport::failureLeavesArchive_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<bool>("tail");
    QTest::newRow("disk full") << true << false;
    QTest::newRow("disk full, partial record at the end") << true << true;
    QTest::newRow("failure while making a row") << false << false;
    QTest::newRow("failure while making a row, partial record at the end") << false << true;
}

void TestImport::failureLeavesArchive()
{
    QFETCH(bool, diskFull);
    QFETCH(bool, tail);
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("Prova.art"));
    const QByteArray before = smallArchive(tail);
    QVERIFY(writeFile(path, before));

    // Enough rows to need several blocks of writes.
    QByteArray csv = "Titolo;Note\n";
    for (int i = 0; i < 2000; ++i)
        csv += "Opera " + QByteArray::number(i) + ";" + QByteArray(200, 'n') + "\n";
    const CsvTable table = readCsv(csv);

    bool failed = false;
    try {
        if (diskFull) {
            FileSizeLimit limit(before.size() + 1000 * TSchedaOpera::Size + 17);
            PINAKOS_REQUIRE_ACTIVE_LIMIT(limit);
            importCsv(path, table, matchHeadings(table.row(0)), true);
        } else {
            importCsv(path, table, matchHeadings(table.row(0)), true, nullptr, [](int row, const ImportedRow&) {
                if (row == 700)
                    throw Failure(QStringLiteral("il file è cambiato"));
            });
        }
    } catch (const Failure&) {
        failed = true;
    }
    QVERIFY(failed);
    QCOMPARE(readAll(path), before);
}

void TestImport::unreadableFileFails()
{
    TempFolder folder;
    QVERIFY_THROWS_EXCEPTION(Failure, readCsvFile(folder.file(QStringLiteral("manca.csv"))));
    QVERIFY_THROWS_EXCEPTION(Failure, readCsvFile(folder.path()));
}

void TestImport::hundredThousandRows()
{
    constexpr int kRows = 100000;
    QByteArray csv = "\xEF\xBB\xBFTitolo;Artista;Anno;Note;Valore;Venduta\r\n";
    csv.reserve(kRows * 80);
    for (int i = 0; i < kRows; ++i)
        csv += "Opera " + QByteArray::number(i) + ";\"Rossi; Mario\";19" + QByteArray::number(i % 100)
            + ";\"riga uno\nriga \"\"due\"\"\";" + QByteArray::number(i) + ",5;" + (i % 2 ? "x" : "") + "\r\n";
    TempFolder folder;
    const QString file = folder.file(QStringLiteral("grande.csv"));
    QVERIFY(writeFile(file, csv));
    const CsvTable table = readCsvFile(file);
    QCOMPARE(table.rowCount(), kRows + 1);
    QCOMPARE(table.columnCount(), 6);
    for (int i : {0, 1, 54321, kRows - 1}) {
        QCOMPARE(table.row(i + 1),
                 QStringList({QStringLiteral("Opera %1").arg(i), "Rossi; Mario", QStringLiteral("19%1").arg(i % 100),
                              "riga uno\nriga \"due\"", QStringLiteral("%1,5").arg(i), i % 2 ? "x" : ""}));
    }
}

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
