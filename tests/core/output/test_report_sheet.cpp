// The sheet report: every object at its place in millimetres, the texts of the
// shown sheet, the photo fitted into its frame; printed to PDF and read back.
#include "ReportPdf.h"
#include "output/SheetReport.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

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

QTEST_MAIN(TestReportSheet)
#include "test_report_sheet.moc"
