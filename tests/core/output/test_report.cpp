// The report engine and the list report, printed to PDF and read back.
#include "ReportPdf.h"
#include "base/Failure.h"
#include "output/ListReportLayout.h"
#include "output/Report.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace pinakos;
using namespace pinakos::report;
using namespace pinakos::test;

namespace {

const QDateTime kWhen(QDate(2027, 3, 5), QTime(14, 7, 9));
const QString kFooter = QStringLiteral("Stampa eseguita in data 05/03/2027");

// Lines with a token at each end, so that their order shows in the text.
QStringList numberedLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines << QStringLiteral("Riga%1 %2  Autore  1999  Proprietario  € 1.000,00 fine%1")
                     .arg(i, 3, 10, QChar(u'0'))
                     .arg(QString(20, u'x'));
    return lines;
}

QString printPdf(const Report& r, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setTitle(r.name());
    writer.setPageLayout(r.pageLayout(0));
    r.print(writer);
    return path;
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findByName_data();
    void findByName();
    void listPages_data();
    void listPages();
    void pageNumberAtTheFoot();
    void listHeights();
    void bracketsPrintLiterally();
    void preparedPagesKeepTheTemplateOfTheirTime();
    void orientationFollowsThePage();
    void textOutsideItsBoxIsNotPrinted();
    void progressCanStopPrinting();
    void unusableDeviceFails();

private:
    QTemporaryDir m_dir;
};

void TestReport::findByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("picture");
    QTest::addColumn<bool>("band");
    QTest::addColumn<bool>("page");
    QTest::newRow("text") << "txtTitolo" << true << false << false << false;
    QTest::newRow("band") << "MasterData" << false << false << true << false;
    QTest::newRow("page") << "Page1" << false << false << false << true;
    QTest::newRow("unknown") << "txtNessuno" << false << false << false << false;
    QTest::newRow("case matters") << "txttitolo" << false << false << false << false;
}

void TestReport::findByName()
{
    QFETCH(QString, name);
    QFETCH(bool, text);
    QFETCH(bool, picture);
    QFETCH(bool, band);
    QFETCH(bool, page);
    auto r = makeListReport();
    QCOMPARE(r->findText(name) != nullptr, text);
    QCOMPARE(r->findPicture(name) != nullptr, picture);
    QCOMPARE(r->findBand(name) != nullptr, band);
    QCOMPARE(r->findPage(name) != nullptr, page);
}

void TestReport::listPages_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QList<int>>("perPage"); // list lines on each page
    // One page holds 50 lines between the title and the footer. Over more
    // pages, the line at the foot of each page is its number: 52 lines fit
    // under the title, 55 on a page of its own.
    QTest::newRow("none") << 0 << QList<int>{0};
    QTest::newRow("one") << 1 << QList<int>{1};
    QTest::newRow("one page full") << 50 << QList<int>{50};
    QTest::newRow("footer on a second page") << 51 << QList<int>{51, 0};
    QTest::newRow("hundred") << 100 << QList<int>{52, 48};
    QTest::newRow("three pages") << 120 << QList<int>{52, 55, 13};
    QTest::newRow("four pages") << 200 << QList<int>{52, 55, 55, 38};
}

void TestReport::listPages()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(int, lines);
    QFETCH(QList<int>, perPage);
    auto r = makeListReport();
    const QString title = QStringLiteral("Riepilogo opere d'arte in catalogo");
    fillListReport(*r, title, numberedLines(lines));
    r->prepare(kWhen);
    QCOMPARE(r->pageCount(), perPage.size());

    const QString pdf = printPdf(*r, m_dir.filePath(QStringLiteral("list%1.pdf").arg(lines)));
    QCOMPARE(pdfInfo(pdf, "Pages").toInt(), perPage.size());
    QVERIFY(isA4(pdfPageSize(pdf), true));
    QCOMPARE(pdfInfo(pdf, "Title"), QStringLiteral("Riepilogo dati"));

    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), perPage.size());
    int next = 1;
    for (int p = 0; p < pages.size(); ++p) {
        QStringList text = pdfLines(pages.at(p));
        if (p == 0) {
            QVERIFY(!text.isEmpty());
            QCOMPARE(text.takeFirst(), title);
        }
        if (pages.size() > 1) {
            QVERIFY(!text.isEmpty());
            QCOMPARE(text.takeLast(), QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(pages.size()));
        }
        if (p == pages.size() - 1) {
            QVERIFY(!text.isEmpty());
            QCOMPARE(text.takeLast(), kFooter);
        }
        QCOMPARE(text.size(), perPage.at(p));
        for (const QString& line : text) {
            const QString n = QString::number(next++).rightJustified(3, u'0');
            QVERIFY2(line.startsWith(QStringLiteral("Riga") + n) && line.endsWith(QStringLiteral("fine") + n),
                     qPrintable(line));
        }
        QVERIFY(!text.join(u'\n').contains(title));
        QVERIFY(!text.join(u'\n').contains(QLatin1String("Stampa eseguita")));
        QVERIFY(!text.join(u'\n').contains(QLatin1String("Pagina")));
    }
    QCOMPARE(next, lines + 1);
}

void TestReport::pageNumberAtTheFoot()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto r = makeListReport();
    fillListReport(*r, QStringLiteral("Riepilogo"), numberedLines(120));
    r->prepare(kWhen);
    const QString pdf = printPdf(*r, m_dir.filePath("numbered.pdf"));
    const QList<PdfWord> words = pdfWords(pdf, 2);
    const PdfWord number = findWord(words, QStringLiteral("Pagina"));
    QVERIFY(!number.text.isEmpty());
    // Below the last line of the page, its right end at the right of the list.
    const PdfWord last = findWord(words, QStringLiteral("fine107"));
    QVERIFY(!last.text.isEmpty());
    QVERIFY2(number.top >= last.bottom - 0.1 && number.bottom <= 200.1, qPrintable(QString::number(number.top)));
    const PdfWord of = findWord(words, QStringLiteral("3"));
    QVERIFY2(qAbs(of.right - 285) < 0.5, qPrintable(QString::number(of.right)));
    // In the type of the list: Courier New 8, as tall as a list line's words.
    QVERIFY(qAbs((number.bottom - number.top) - (last.bottom - last.top)) < 0.05);
    // The title band and the footer stand as in a one-page list: the title at
    // the top, the footer right under the last line.
    auto one = makeListReport();
    fillListReport(*one, QStringLiteral("Riepilogo"), numberedLines(13));
    one->prepare(kWhen);
    const QString single = printPdf(*one, m_dir.filePath("single.pdf"));
    QCOMPARE(findWord(pdfWords(pdf, 1), "Riepilogo").top, findWord(pdfWords(single, 1), "Riepilogo").top);
    const QList<PdfWord> end = pdfWords(pdf, 3), alone = pdfWords(single, 1);
    QVERIFY(qAbs((findWord(end, "Stampa").top - findWord(end, "fine120").bottom)
                 - (findWord(alone, "Stampa").top - findWord(alone, "fine013").bottom))
            < 0.01);
}

void TestReport::listHeights()
{
    auto r = makeListReport();
    fillListReport(*r, QStringLiteral("x"), numberedLines(100));
    QCOMPARE(r->findText("txtRiepilogo")->rect.height() * kUnitsPerMm, 1282.2);
    QCOMPARE(r->findBand("MasterData")->height * kUnitsPerMm, 1292.2);
    fillListReport(*r, QStringLiteral("x"), {});
    QCOMPARE(r->findText("txtRiepilogo")->lines.size(), 0);
    QCOMPARE(r->findText("txtRiepilogo")->rect.height(), 0.0);
    QCOMPARE(r->findBand("MasterData")->height * kUnitsPerMm, 10.0);
}

void TestReport::bracketsPrintLiterally()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto r = makeListReport();
    fillListReport(*r, QStringLiteral("Opere [DATE] e [Anno]"),
                   {QStringLiteral("Senza titolo [DATE] [1+1] fine"), QStringLiteral("Pagina [PAGE] di [PAGES]")});
    r->prepare(kWhen);
    const QStringList text = pdfLines(pdfPages(printPdf(*r, m_dir.filePath("brackets.pdf"))).value(0));
    QCOMPARE(
        text,
        (QStringList{"Opere [DATE] e [Anno]", "Senza titolo [DATE] [1+1] fine", "Pagina [PAGE] di [PAGES]", kFooter}));
}

void TestReport::preparedPagesKeepTheTemplateOfTheirTime()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto r = makeListReport();
    fillListReport(*r, QStringLiteral("Primo"), numberedLines(100));
    r->prepare(kWhen);
    fillListReport(*r, QStringLiteral("Secondo"), numberedLines(1));
    QCOMPARE(r->pageCount(), 2);
    QCOMPARE(pdfLines(pdfPages(printPdf(*r, m_dir.filePath("old.pdf"))).value(0)).value(0), QStringLiteral("Primo"));

    r->prepare(kWhen.addDays(1));
    QCOMPARE(r->pageCount(), 1);
    const QStringList text = pdfLines(pdfPages(printPdf(*r, m_dir.filePath("new.pdf"))).value(0));
    QCOMPARE(text.size(), 3);
    QCOMPARE(text.first(), QStringLiteral("Secondo"));
    QCOMPARE(text.last(), QStringLiteral("Stampa eseguita in data 06/03/2027"));
}

void TestReport::orientationFollowsThePage()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto r = makeListReport();
    fillListReport(*r, QStringLiteral("x"), numberedLines(60));
    r->findPage("Page1")->setOrientation(QPageLayout::Portrait);
    r->prepare(kWhen);
    // 277 mm under the title hold 79 lines.
    QCOMPARE(r->pageCount(), 1);
    QCOMPARE(r->pageLayout(0).orientation(), QPageLayout::Portrait);
    const QString pdf = printPdf(*r, m_dir.filePath("portrait.pdf"));
    QVERIFY(isA4(pdfPageSize(pdf), false));
}

void TestReport::textOutsideItsBoxIsNotPrinted()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    Report r(QStringLiteral("prova"));
    Page& page = r.addPage(QStringLiteral("Page1"));
    Object& boxed = page.add(Object::Kind::Text, QStringLiteral("txtBox"), QRectF(20, 20, 30, 8));
    boxed.font = {QStringLiteral("Arial"), 12, false};
    boxed.alignment = Qt::AlignCenter;
    boxed.setText(QString(60, u'M'));
    Object& lines = page.add(Object::Kind::Text, QStringLiteral("txtRighe"), QRectF(20, 60, 100, 9));
    lines.setText(QStringLiteral("prima\nseconda\nterza\nquarta"));
    r.prepare(kWhen);
    const QImage page0 = r.renderPage(0, 96);
    const double k = 96 / 25.4;
    // Nothing dark outside the box, in the rows of the box.
    for (int y = int((10 + 20) * k); y < int((10 + 28) * k); ++y) {
        for (int x = 0; x < int((10 + 20) * k) - 1; ++x)
            QVERIFY2(qGray(page0.pixel(x, y)) > 200, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        for (int x = int((10 + 50) * k) + 1; x < page0.width(); ++x)
            QVERIFY2(qGray(page0.pixel(x, y)) > 200, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }
    // Inside it, the middle of the text.
    int dark = 0;
    for (int x = int(30 * k); x < int(60 * k); ++x)
        dark += qGray(page0.pixel(x, int(34 * k))) < 128;
    QVERIFY(dark > 10);
    // Arial 10 lines are 4.23 mm apart: two of the four start inside 9 mm, a third is cut short.
    const QStringList text = pdfLines(pdfPages(printPdf(r, m_dir.filePath("box.pdf"))).value(0));
    QVERIFY2(text.contains("prima") && text.contains("seconda"), qPrintable(text.join('|')));
    QVERIFY(!text.contains("quarta"));
}

void TestReport::progressCanStopPrinting()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto r = makeListReport();
    fillListReport(*r, QStringLiteral("x"), numberedLines(200));
    r->prepare(kWhen);
    QList<QPair<int, int>> calls;
    const QString path = m_dir.filePath("stopped.pdf");
    QPdfWriter writer(path);
    writer.setPageLayout(r->pageLayout(0));
    const bool done = r->print(writer, {}, [&](int n, int total) {
        calls.append({n, total});
        return n < 2;
    });
    QVERIFY(!done);
    QCOMPARE(calls, (QList<QPair<int, int>>{{0, 4}, {1, 4}, {2, 4}}));
    QCOMPARE(pdfInfo(path, "Pages").toInt(), 2);

    // A chosen range prints only its pages, in order.
    calls.clear();
    const QString part = m_dir.filePath("part.pdf");
    QPdfWriter second(part);
    QVERIFY(r->print(second, {2, 3}, [&](int n, int total) {
        calls.append({n, total});
        return true;
    }));
    QCOMPARE(calls, (QList<QPair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));
    const QStringList pages = pdfPages(part);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pdfLines(pages.at(0)).value(0).startsWith("Riga108"));
    QCOMPARE(pdfLines(pages.at(1)).mid(pdfLines(pages.at(1)).size() - 2), (QStringList{kFooter, "Pagina 4 di 4"}));
}

void TestReport::unusableDeviceFails()
{
    auto r = makeListReport();
    fillListReport(*r, QStringLiteral("x"), numberedLines(3));
    r->prepare(kWhen);
    QPdfWriter writer(m_dir.filePath("no/such/folder/x.pdf"));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY_THROWS_EXCEPTION(Failure, r->print(writer));
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
