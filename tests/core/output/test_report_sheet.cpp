// The sheet report: every object at its place in millimetres, the texts of the
// shown sheet, the photo fitted into its frame; printed to PDF and read back.
#include "ReportPdf.h"
#include "output/SheetReport.h"

#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>

using namespace pinakos;
using namespace pinakos::report;
using namespace pinakos::test;

namespace {

const QDateTime kWhen(QDate(2027, 3, 5), QTime(14, 7, 9));
constexpr double kMargin = 10;

TSchedaOpera fullRecord()
{
    TSchedaOpera r;
    int n = 0;
    for (const auto& [name, campo] : sheetReportFields())
        r.setText(campo, QStringLiteral("V%1%2").arg(++n).arg(name.mid(3)));
    r.setText(Campo::Prezzo, QStringLiteral("1.234,50"));
    return r;
}

QString printPdf(const Report& r, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(r.pageLayout(0));
    r.print(writer);
    return path;
}

QImage solid(const QSize& size, const QColor& c)
{
    QImage i(size, QImage::Format_RGB32);
    i.fill(c);
    return i;
}

QRgb pixelAtMm(const QImage& page, double xMm, double yMm, double dpi)
{
    return page.pixel(int(xMm * dpi / 25.4), int(yMm * dpi / 25.4));
}

// Words of Italian prose, `length` characters of it.
QString prose(int length, const QString& first = QStringLiteral("Olio"))
{
    const QString words = QStringLiteral(
        " su tela restaurato nel 1998 con pulitura della vernice ossidata, foderatura e ritocchi a tempera lungo i "
        "bordi; cornice dorata coeva con lacune nella doratura, etichetta della mostra di Venezia del 1932 sul retro "
        "del telaio e timbro di dogana.");
    QString out = first;
    while (out.size() < length)
        out += words;
    return out.left(length).trimmed();
}

// The value texts of the sheet as the report fills them, with `changed`
// given other values.
std::function<QString(Campo)> textsWith(const QHash<QString, QString>& changed)
{
    const TSchedaOpera base = fullRecord();
    return [base, changed](Campo c) {
        for (const auto& [name, campo] : sheetReportFields())
            if (campo == c && changed.contains(name))
                return changed.value(name);
        return base.text(c);
    };
}

// The left and right end, in millimetres on the paper, of each value's box.
QPair<double, double> valueBox(const QString& name)
{
    static const QStringList left = {"txtColore", "txtMisure", "txtUsura", "txtCodFisc"};
    static const QStringList right = {"txtTessuto", "txtPeso", "txtDifetti", "txtRecapito"};
    if (name == QLatin1String("txtCapo"))
        return {13, 197};
    if (name == QLatin1String("txtPrezzo"))
        return {108, 148.8};
    if (left.contains(name))
        return {12, 101.6};
    if (right.contains(name))
        return {108, 197.6};
    return {12, 197.9};
}

QList<PdfWord> wordsOfEveryPage(const QString& pdf)
{
    QList<PdfWord> words;
    const int pages = pdfInfo(pdf, "Pages").toInt();
    for (int p = 1; p <= pages; ++p)
        words += pdfWords(pdf, p);
    return words;
}

QString withoutBlanks(QString s)
{
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    return s;
}

// Whether the value is printed whole within its box, what its words are, in
// order: the text of the words inside the box's ends contains it.
bool printedWhole(const QList<PdfWord>& words, const QString& name, const QString& value)
{
    const auto [left, right] = valueBox(name);
    QString inside;
    for (const PdfWord& w : words)
        if (w.left >= left - 0.3 && w.right <= right + 0.3)
            inside += w.text;
    return inside.contains(withoutBlanks(value));
}

// How far the top of each word moved from one print to the other; NaN for a
// word that is missing from either.
double moved(const QList<PdfWord>& from, const QList<PdfWord>& to, const QString& word)
{
    const PdfWord a = findWord(from, word), b = findWord(to, word);
    if (a.text.isEmpty() || b.text.isEmpty())
        return std::nan("");
    return b.top - a.top;
}

} // namespace

class TestReportSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void objectsAtTheirPlaces_data();
    void objectsAtTheirPlaces();
    void onePortraitPage();
    void valueLine_data();
    void valueLine();
    void emptySheetPrintsCaptionsOnly();
    void fieldsPrintTrimmedAndLiterally();
    void fillsAndPicturesAtTheirPlaces();
    void printedAtLine();
    void valuesPrintWhole_data();
    void valuesPrintWhole();
    void grownBoxMovesWhatIsBelow_data();
    void grownBoxMovesWhatIsBelow();
    void longestSheetTakesASecondPage();

private:
    QTemporaryDir m_dir;
};

void TestReportSheet::objectsAtTheirPlaces_data()
{
    // Word and the top-left corner of its object on the printable area.
    QTest::addColumn<QString>("word");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("ARTISTA") << "ARTISTA:" << 1.0 << 145.0;
    QTest::newRow("artist") << "V2Colore" << 2.0 << 151.0;
    QTest::newRow("ANNO") << "ANNO" << 97.0 << 145.0;
    QTest::newRow("year") << "V3Tessuto" << 98.0 << 151.0;
    QTest::newRow("SOGGETTO") << "SOGGETTO" << 1.0 << 159.0;
    QTest::newRow("subject") << "V4Descrizione" << 2.0 << 165.0;
    QTest::newRow("NAZIONE") << "NAZIONE:" << 1.0 << 173.0;
    QTest::newRow("country") << "V5Misure" << 2.0 << 179.0;
    QTest::newRow("TECNICA") << "TECNICA" << 97.0 << 173.0;
    QTest::newRow("technique") << "V6Peso" << 98.0 << 179.0;
    QTest::newRow("CORRENTE") << "CORRENTE" << 1.0 << 187.0;
    QTest::newRow("movement") << "V7Usura" << 2.0 << 193.0;
    QTest::newRow("DIMENSIONI") << "DIMENSIONI:" << 97.0 << 187.0;
    QTest::newRow("dimensions") << "V8Difetti" << 98.0 << 193.0;
    QTest::newRow("SUPPORTO") << "SUPPORTO:" << 1.0 << 201.0;
    QTest::newRow("support") << "V9Servizio" << 2.0 << 207.0;
    QTest::newRow("LUOGO") << "LUOGO" << 1.0 << 215.0;
    QTest::newRow("place") << "V10Specifiche" << 2.0 << 221.0;
    QTest::newRow("PROPRIETARIO") << "PROPRIETARIO" << 1.0 << 229.0;
    QTest::newRow("owner") << "V11Cliente" << 2.0 << 235.0;
    QTest::newRow("CODICE") << "CODICE" << 1.0 << 243.0;
    QTest::newRow("fiscal code") << "V12CodFisc" << 2.0 << 249.0;
    QTest::newRow("TEL.") << "TEL." << 97.0 << 243.0;
    QTest::newRow("telephone") << "V13Recapito" << 98.0 << 249.0;
    QTest::newRow("notes") << "V14Note" << 2.0 << 264.0;
    QTest::newRow("Valore") << "Valore:" << 68.0 << 132.8;
    QTest::newRow("value") << "1.234,50" << 98.0 << 132.8;
}

void TestReportSheet::objectsAtTheirPlaces()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(QString, word);
    QFETCH(double, x);
    QFETCH(double, y);
    auto r = makeSheetReport();
    fillSheetReport(*r, fullRecord(), solid(QSize(40, 30), Qt::gray), kWhen);
    r->prepare(kWhen);
    const QString pdf = m_dir.filePath("places.pdf");
    if (!QFileInfo::exists(pdf))
        printPdf(*r, pdf);
    const PdfWord w = findWord(pdfWords(pdf), word);
    QVERIFY2(!w.text.isEmpty(), qPrintable(word));
    // Letters start a little right of their box and below its top.
    QVERIFY2(w.left >= kMargin + x - 0.1 && w.left < kMargin + x + 1, qPrintable(QString::number(w.left)));
    QVERIFY2(w.top >= kMargin + y - 0.5 && w.top < kMargin + y + 1.2, qPrintable(QString::number(w.top)));
}

void TestReportSheet::onePortraitPage()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto r = makeSheetReport();
    QCOMPARE(r->name(), QStringLiteral("Scheda opera d'arte"));
    r->findPage("Page1")->setOrientation(QPageLayout::Landscape);
    fillSheetReport(*r, fullRecord(), QImage(), kWhen);
    r->prepare(kWhen);
    QCOMPARE(r->pageCount(), 1);
    const QString pdf = printPdf(*r, m_dir.filePath("portrait.pdf"));
    QCOMPARE(pdfInfo(pdf, "Pages"), QStringLiteral("1"));
    QVERIFY(isA4(pdfPageSize(pdf), false));
    // The title is centred across the page.
    const PdfWord title = findWord(pdfWords(pdf), "V1Capo");
    QVERIFY(!title.text.isEmpty());
    QVERIFY2(qAbs((title.left + title.right) / 2 - 105) < 1, qPrintable(QString::number(title.left)));
}

void TestReportSheet::valueLine_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("line");
    QTest::newRow("typed") << "1.234,50"
                           << "Valore: 1.234,50";
    QTest::newRow("not a number") << "circa 300 euro"
                                  << "Valore: circa 300 euro";
    QTest::newRow("empty") << ""
                           << "Valore:";
}

void TestReportSheet::valueLine()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(QString, price);
    QFETCH(QString, line);
    TSchedaOpera rec = fullRecord();
    rec.setText(Campo::Prezzo, price);
    auto r = makeSheetReport();
    fillSheetReport(*r, rec, QImage(), kWhen);
    r->prepare(kWhen);
    const QStringList text = pdfLines(pdfPages(printPdf(*r, m_dir.filePath("value.pdf"))).value(0));
    QVERIFY2(text.contains(line), qPrintable(text.join(u'|')));
}

void TestReportSheet::emptySheetPrintsCaptionsOnly()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto r = makeSheetReport();
    fillSheetReport(*r, TSchedaOpera(), QImage(), kWhen);
    r->prepare(kWhen);
    const QStringList text = pdfLines(pdfPages(printPdf(*r, m_dir.filePath("empty.pdf"))).value(0));
    const QStringList expected = {"Valore:",
                                  "ARTISTA: ANNO REALIZZAZIONE:",
                                  "SOGGETTO RAPPRESENTATO:",
                                  "NAZIONE: TECNICA UTILIZZATA:",
                                  "CORRENTE ARTISTICA: DIMENSIONI:",
                                  "SUPPORTO:",
                                  "LUOGO CONSERVAZIONE:",
                                  "PROPRIETARIO ATTUALE:",
                                  "CODICE FISCALE: TEL. PREFERENZIALE:",
                                  "NOTE:",
                                  "Stampa eseguita in data 05/03/2027 alle ore 14:07:09"};
    QCOMPARE(text, expected);
}

void TestReportSheet::fieldsPrintTrimmedAndLiterally()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    TSchedaOpera rec;
    rec.bytes()[0] = 12; // txtCapo stored with its blanks: "\t [DATE] x  "
    const QByteArray raw("\t [DATE] x  ");
    std::copy(raw.begin(), raw.end(), rec.bytes().begin() + 1);
    rec.setText(Campo::Note, QStringLiteral("h < 50 cm & [cornice]"));
    auto r = makeSheetReport();
    fillSheetReport(*r, rec, QImage(), kWhen);
    QCOMPARE(r->findText("txtCapo")->text(), QStringLiteral("[DATE] x"));
    r->prepare(kWhen);
    const QStringList text = pdfLines(pdfPages(printPdf(*r, m_dir.filePath("literal.pdf"))).value(0));
    QCOMPARE(text.value(0), QStringLiteral("[DATE] x"));
    QVERIFY2(text.contains("h < 50 cm & [cornice]"), qPrintable(text.join(u'|')));
}

void TestReportSheet::fillsAndPicturesAtTheirPlaces()
{
    auto r = makeSheetReport();
    // A tall red picture: 112 mm high, 28 mm wide, in the middle of its 188 mm frame.
    fillSheetReport(*r, TSchedaOpera(), solid(QSize(100, 400), Qt::red), kWhen);
    r->prepare(kWhen);
    const double dpi = 150;
    const QImage page = r->renderPage(0, dpi);
    QCOMPARE(page.size(), QSize(1240, 1754));
    auto at = [&](double x, double y) { return QColor(pixelAtMm(page, kMargin + x, kMargin + y, dpi)); };
    QCOMPARE(at(2, 2), QColor(0xB0, 0xC4, 0xDE)); // title band
    QCOMPARE(at(95, 70), QColor(Qt::red));
    QCOMPARE(at(95, 15), QColor(Qt::red));
    QCOMPARE(at(95, 125), QColor(Qt::red));
    QCOMPARE(at(78, 70), QColor(Qt::white));
    QCOMPARE(at(112, 70), QColor(Qt::white));
    QCOMPARE(at(3, 258), QColor(0xE6, 0xE6, 0xFA)); // notes heading band
    QCOMPARE(at(3, 271), QColor(0xFF, 0xD7, 0x00)); // date band
    QCOMPARE(at(50, 150), QColor(Qt::black)); // left edge of the artist's frame
    QCOMPARE(at(50, 152), QColor(Qt::white));
    const QColor euro = at(91.8, 135.3); // left of the euro sign's bow
    QVERIFY2(euro.blue() > 120 && euro.red() < 100, qPrintable(euro.name()));

    // A wide picture fills the width, centred down the frame.
    fillSheetReport(*r, TSchedaOpera(), solid(QSize(940, 100), Qt::blue), kWhen);
    r->prepare(kWhen);
    const QImage wide = r->renderPage(0, dpi);
    QCOMPARE(QColor(pixelAtMm(wide, kMargin + 2, kMargin + 70, dpi)), QColor(Qt::blue));
    QCOMPARE(QColor(pixelAtMm(wide, kMargin + 188, kMargin + 70, dpi)), QColor(Qt::blue));
    QCOMPARE(QColor(pixelAtMm(wide, kMargin + 95, kMargin + 20, dpi)), QColor(Qt::white));
}

void TestReportSheet::printedAtLine()
{
    QCOMPARE(printedAt(kWhen), QStringLiteral("Stampa eseguita in data 05/03/2027 alle ore 14:07:09"));
    QCOMPARE(printedAt(QDateTime(QDate(2026, 12, 31), QTime(9, 5, 0))),
             QStringLiteral("Stampa eseguita in data 31/12/2026 alle ore 09:05:00"));
}

void TestReportSheet::valuesPrintWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("untouched"); // printed as before: one line, in its own type
    QTest::newRow("title that fits") << "txtCapo"
                                     << "Veduta del Canal Grande con la chiesa della Salute" << true;
    QTest::newRow("artist that fits") << "txtColore"
                                      << "Giovanni Antonio Canal" << true;
    QTest::newRow("note of 250 characters") << "txtNote" << prose(250) << false;
    QTest::newRow("title of 250 characters") << "txtCapo" << prose(250, QStringLiteral("Ritratto")) << false;
    QTest::newRow("long dimensions") << "txtDifetti"
                                     << "cm 120 x 80 la tela, cm 140 x 100 x 8 con la cornice dorata e intagliata, "
                                        "cm 160 x 120 con la cassa"
                                     << false;
    QTest::newRow("word wider than its box") << "txtColore" << QStringLiteral("Pinakothek").repeated(10) << false;
    QTest::newRow("long price") << "txtPrezzo"
                                << "da 12500,00 a 15000,00 secondo la perizia" << false;
}

void TestReportSheet::valuesPrintWhole()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(bool, untouched);
    auto r = makeSheetReport();
    fillSheetReport(*r, textsWith({{name, value}}), QImage(), kWhen);
    r->prepare(kWhen);
    QCOMPARE(r->pageCount(), 1);
    const QString pdf = printPdf(*r, m_dir.filePath(name + QStringLiteral("whole.pdf")));
    const QList<PdfWord> words = pdfWords(pdf);
    QVERIFY2(printedWhole(words, name, value), qPrintable(value));

    // Broken only at blanks, unless a word alone is wider than the box; in
    // type no smaller than 6 points (the captions are in 8).
    const PdfWord caption = findWord(words, "ARTISTA:");
    const double eightPoints = caption.bottom - caption.top;
    const double points = name == QLatin1String("txtCapo") ? 12 : name == QLatin1String("txtPrezzo") ? 11 : 8;
    QList<double> tops;
    for (const QString& part : value.split(u' ')) {
        const PdfWord w = findWord(words, part);
        if (part.size() > 50)
            continue;
        QVERIFY2(!w.text.isEmpty(), qPrintable(part));
        const double size = (w.bottom - w.top) / eightPoints * 8;
        QVERIFY2(size > 6 - 0.05 && size < points + 0.05, qPrintable(QString::number(size)));
        if (untouched)
            QVERIFY2(qAbs(size - points) < 0.05, qPrintable(QString::number(size)));
        if (!tops.contains(w.top))
            tops.append(w.top);
    }
    if (untouched)
        QCOMPARE(tops.size(), 1);
}

void TestReportSheet::grownBoxMovesWhatIsBelow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("length"); // more than the box holds even in 6-point type
    QTest::addColumn<QStringList>("staying");
    QTest::addColumn<QStringList>("moving");
    QTest::addColumn<QPointF>("frame"); // the top left of the value's frame on the paper, mm
    QTest::newRow("notes") << "txtNote" << 250 << QStringList{"NOTE:", "V12CodFisc", "V13Recapito"}
                           << QStringList{"Stampa", "eseguita"} << QPointF(11, 273);
    QTest::newRow("place of keeping") << "txtSpecifiche" << 250 << QStringList{"LUOGO", "SUPPORTO:", "V9Servizio"}
                                      << QStringList{"PROPRIETARIO", "V11Cliente", "CODICE",  "TEL.",
                                                     "V13Recapito",  "NOTE:",      "V14Note", "Stampa"}
                                      << QPointF(11, 230);
    // Beside it the box on the left stays as it is.
    QTest::newRow("dimensions, at the right")
        << "txtDifetti" << 150 << QStringList{"CORRENTE", "V7Usura", "DIMENSIONI:", "V6Peso"}
        << QStringList{"SUPPORTO:", "V9Servizio", "NOTE:", "Stampa"} << QPointF(107, 202);
}

void TestReportSheet::grownBoxMovesWhatIsBelow()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(QString, name);
    QFETCH(int, length);
    QFETCH(QStringList, staying);
    QFETCH(QStringList, moving);
    QFETCH(QPointF, frame);
    auto r = makeSheetReport();
    fillSheetReport(*r, fullRecord(), QImage(), kWhen);
    r->prepare(kWhen);
    const QList<PdfWord> before = pdfWords(printPdf(*r, m_dir.filePath("before.pdf")));
    const double dpi = 300;
    const QImage was = r->renderPage(0, dpi);

    const QString value = prose(length);
    fillSheetReport(*r, textsWith({{name, value}}), QImage(), kWhen);
    r->prepare(kWhen);
    QCOMPARE(r->pageCount(), 1);
    const QList<PdfWord> after = pdfWords(printPdf(*r, m_dir.filePath(name + QStringLiteral("grown.pdf"))));
    QVERIFY(printedWhole(after, name, value));
    for (const QString& word : staying)
        QVERIFY2(qAbs(moved(before, after, word)) < 0.01, qPrintable(word));
    const double by = moved(before, after, moving.first());
    QVERIFY2(by > 1, qPrintable(QString::number(by)));
    for (const QString& word : moving)
        QVERIFY2(qAbs(moved(before, after, word) - by) < 0.01, qPrintable(word));

    // The frame's lower edge moved down as far, below the last line of the value.
    const QImage is = r->renderPage(0, dpi);
    auto lowerEdge = [&](const QImage& page) {
        for (double y = frame.y() + 0.5; y < 297; y += 25.4 / dpi)
            if (qGray(pixelAtMm(page, frame.x() + 0.5, y, dpi)) < 100)
                return y;
        return 0.0;
    };
    QVERIFY2(qAbs(lowerEdge(is) - lowerEdge(was) - by) < 0.2,
             qPrintable(QStringLiteral("%1 %2").arg(lowerEdge(was)).arg(lowerEdge(is))));
    double lastLine = 0;
    const QStringList parts = value.split(u' ');
    for (const PdfWord& w : after)
        if (parts.contains(w.text) && w.left > frame.x() && w.top > frame.y() && w.top < frame.y() + 20)
            lastLine = std::max(lastLine, w.bottom);
    QVERIFY2(lastLine > frame.y() && lastLine < lowerEdge(is), qPrintable(QString::number(lastLine)));
}

void TestReportSheet::longestSheetTakesASecondPage()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    // Every value at the most its field holds, each with words of its own.
    QHash<QString, QString> longest;
    for (const auto& [name, campo] : sheetReportFields())
        longest.insert(name, prose(slotOf(campo).max, name.mid(3)));
    auto r = makeSheetReport();
    fillSheetReport(*r, textsWith(longest), QImage(), kWhen);
    r->prepare(kWhen);
    QCOMPARE(r->pageCount(), 2);
    const QString pdf = printPdf(*r, m_dir.filePath("longest.pdf"));
    QCOMPARE(pdfInfo(pdf, "Pages"), QStringLiteral("2"));
    QVERIFY(isA4(pdfPageSize(pdf), false));
    const QList<PdfWord> words = wordsOfEveryPage(pdf);
    for (const auto& [name, value] : longest.asKeyValueRange())
        QVERIFY2(printedWhole(words, name, value), qPrintable(name));
    // What did not fit moved to the top of the second page, whole.
    const QList<PdfWord> second = pdfWords(pdf, 2);
    QVERIFY(!second.isEmpty());
    QVERIFY2(second.first().top < kMargin + 3, qPrintable(second.first().text));
    QVERIFY(!findWord(second, "Stampa").text.isEmpty());
    QVERIFY(findWord(pdfWords(pdf, 1), "Stampa").text.isEmpty());
}

QTEST_MAIN(TestReportSheet)
#include "test_report_sheet.moc"
