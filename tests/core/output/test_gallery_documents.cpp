// The gallery's documents: amounts in euro and their exact sum, the
// letterhead file and its tax-code check, and the five layouts printed to PDF
// and read back (texts, pages, pictures), up to a catalog of 100,000 works.
#include "Catalogs.h"
#include "ReportPdf.h"
#include "TempFolder.h"

#include "base/ProgramFolder.h"
#include "output/GalleryDocuments.h"
#include "sheet/Photo.h"
#include "sheet/Price.h"

#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace pinakos;
using namespace pinakos::test;

namespace {

const QDateTime kWhen(QDate(2027, 3, 5), QTime(14, 7, 9));

QImage solid(const QSize& size, const QColor& c)
{
    QImage i(size, QImage::Format_RGB32);
    i.fill(c);
    return i;
}

Letterhead gallery()
{
    Letterhead l;
    l.name = QStringLiteral("Galleria Ca' d'Oro");
    l.address = QStringLiteral("Calle della Madonna 15");
    l.city = QStringLiteral("Venezia");
    l.taxCode = QStringLiteral("00488410010");
    l.phone = QStringLiteral("041 5200345");
    l.email = QStringLiteral("info@cadoro.example");
    return l;
}

CatalogWork work(int n, const QString& value, bool photo = false)
{
    CatalogWork w;
    w.number = n;
    w.title = QStringLiteral("Veduta %1").arg(n);
    w.artist = QStringLiteral("Artista%1").arg(n);
    w.year = QString::number(1800 + n % 200);
    w.technique = QStringLiteral("Olio");
    w.dimensions = QStringLiteral("%1 x 40 cm").arg(20 + n % 50);
    w.value = value;
    w.photo = photo;
    return w;
}

Works worksOf(int count, const QString& value = QStringLiteral("1234,50"))
{
    auto works = std::make_shared<std::vector<CatalogWork>>();
    for (int n = 1; n <= count; ++n)
        works->push_back(work(n, value));
    return works;
}

// The sheet's fields as the shown work has them.
std::function<QString(Campo)> shown(const QHash<Campo, QString>& values)
{
    return [values](Campo c) { return values.value(c); };
}

QHash<Campo, QString> fullSheet()
{
    return {{Campo::Capo, QStringLiteral("Il Canal Grande da Rialto")},
            {Campo::Descrizione, QStringLiteral("Veduta con gondole")},
            {Campo::Colore, QStringLiteral("Canaletto")},
            {Campo::Tessuto, QStringLiteral("1725")},
            {Campo::Peso, QStringLiteral("Olio")},
            {Campo::Servizio, QStringLiteral("Tela")},
            {Campo::Difetti, QStringLiteral("cm 60 x 90")},
            {Campo::Note, QStringLiteral("Collezione Smith, Venezia; poi asta Finarte 1978")},
            {Campo::Prezzo, QStringLiteral("1500000,00")}};
}

// Prepares the report and prints `pages` (all when empty) to a PDF file.
QString printPdf(report::Report& r, const QString& path, const QList<int>& pages = {})
{
    r.prepare(kWhen);
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(r.pageLayout(0));
    r.print(writer, pages);
    return path;
}

// Every page's lines, runs of blanks made one.
QList<QStringList> pdfText(const QString& pdf)
{
    QList<QStringList> out;
    for (const QString& page : pdfPages(pdf))
        out << pdfLines(page);
    return out;
}

QStringList allLines(const QList<QStringList>& pages)
{
    QStringList out;
    for (const QStringList& p : pages)
        out += p;
    return out;
}

bool hasLine(const QStringList& lines, const QString& part)
{
    return std::any_of(lines.cbegin(), lines.cend(), [&](const QString& l) { return l.contains(part); });
}

bool about(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 && qAbs(a.blue() - b.blue()) < 24;
}

} // namespace

class TestGalleryDocuments : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString pdf(const QString& name) { return m_dir.filePath(name + QStringLiteral(".pdf")); }

private Q_SLOTS:
    void formatEuro_data();
    void formatEuro();
    void priceCents_data();
    void priceCents();
    void totalIsExactBeyond64Bits();
    void totalCountsBrokenValuesAsZero();

    void letterheadKeptInTheIniFile();
    void taxCode_data();
    void taxCode();
    void catalogWorksFromTheArchive();

    void certificate();
    void certificateLongNotesWrapWhole();
    void objectIdSheet();

    void catalogDocuments_data();
    void catalogDocuments();
    void labelPrices_data();
    void labelPrices();
    void inventoryPhotos();
    void longTextsPrintWhole_data();
    void longTextsPrintWhole();
    void hundredThousandWorks();
};

void TestGalleryDocuments::formatEuro_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "€ 0,00";
    QTest::newRow("cents") << qint64(5) << "€ 0,05";
    QTest::newRow("one") << qint64(100) << "€ 1,00";
    QTest::newRow("hundreds") << qint64(99999) << "€ 999,99";
    QTest::newRow("thousand") << qint64(100000) << "€ 1.000,00";
    QTest::newRow("millions") << qint64(123456789) << "€ 1.234.567,89";
    QTest::newRow("negative") << qint64(-123456) << "€ -1.234,56";
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "€ -92.233.720.368.547.758,08";
}

void TestGalleryDocuments::formatEuro()
{
    QFETCH(qint64, cents);
    QFETCH(QString, text);
    QCOMPARE(pinakos::formatEuro(cents), text);
    EuroTotal t;
    t.add(cents);
    QCOMPARE(t.text(), text);
}

void TestGalleryDocuments::priceCents_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("counts");
    QTest::addColumn<qint64>("cents");
    QTest::newRow("plain") << "1234,50" << true << qint64(123450);
    QTest::newRow("zero") << "0,00" << true << qint64(0);
    QTest::newRow("largest") << "999999999999,99" << true << qint64(99999999999999);
    QTest::newRow("negative") << "-5,00" << true << qint64(-500);
    QTest::newRow("blank") << "" << false << qint64(0);
    QTest::newRow("thousands dot") << "1.234,50" << false << qint64(0);
    QTest::newRow("one decimal") << "12,5" << false << qint64(0);
    QTest::newRow("leading zero") << "007,00" << false << qint64(0);
    QTest::newRow("words") << "su richiesta" << false << qint64(0);
    QTest::newRow("point") << "12.50" << false << qint64(0);
}

void TestGalleryDocuments::priceCents()
{
    QFETCH(QString, stored);
    QFETCH(bool, counts);
    QFETCH(qint64, cents);
    const std::optional<qint64> got = pinakos::priceCents(stored);
    QCOMPARE(got.has_value(), counts);
    QCOMPARE(got.value_or(0), cents);
    CatalogWork w = work(1, stored);
    QCOMPARE(workCents(w), cents);
}

void TestGalleryDocuments::totalIsExactBeyond64Bits()
{
    // 100,000 of the largest value the field holds: 10^19 cents, past 2^63.
    std::vector<CatalogWork> works(100000, work(1, QStringLiteral("999999999999,99")));
    QCOMPARE(worksTotal(works), QStringLiteral("€ 99.999.999.999.999.000,00"));
    // Carries both ways across the limb.
    EuroTotal t;
    t.add(999999999999999);
    for (int i = 0; i < 2000; ++i)
        t.add(999999999999999);
    t.add(-1);
    QCOMPARE(t.text(), QStringLiteral("€ 20.009.999.999.999.979,98"));
    for (int i = 0; i < 4002; ++i)
        t.add(-999999999999999);
    QCOMPARE(t.text(), QStringLiteral("€ -20.009.999.999.999.980,00"));
}

void TestGalleryDocuments::totalCountsBrokenValuesAsZero()
{
    const std::vector<CatalogWork> works = {work(1, "10,00"), work(2, "abc"), work(3, "1.000,00"),
                                            work(4, "0,00"),  work(5, ""),    work(6, "0,05")};
    QCOMPARE(worksTotal(works), QStringLiteral("€ 10,05"));
    QCOMPARE(worksTotal({}), QStringLiteral("€ 0,00"));
}

void TestGalleryDocuments::letterheadKeptInTheIniFile()
{
    TempFolder folder;
    QCOMPARE(letterheadFile(), folder.file(QStringLiteral("Documenti.ini")));
    QCOMPARE(readLetterhead(), Letterhead());
    Letterhead l = gallery();
    l.city = QStringLiteral("Città di Castello");
    l.logo = QStringLiteral("logo.png");
    writeLetterhead(l);
    QVERIFY(QFile::exists(letterheadFile()));
    QCOMPARE(readLetterhead(), l);
    QCOMPARE(logoPath(l), folder.file(QStringLiteral("logo.png")));
    // A line break typed into a field cannot cut the file's lines.
    l.address = QStringLiteral("Via Roma 1\nScala B");
    writeLetterhead(l);
    QCOMPARE(readLetterhead().address, QStringLiteral("Via Roma 1 Scala B"));
    QCOMPARE(readLetterhead().email, l.email);
}

void TestGalleryDocuments::taxCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("blank") << "  " << true;
    QTest::newRow("VAT number") << "00488410010" << true;
    QTest::newRow("VAT wrong digit") << "00488410011" << false;
    QTest::newRow("fiscal code") << "RSSMRA80A01H501U" << true;
    QTest::newRow("fiscal code lower case") << "rssmra80a01h501u" << true;
    QTest::newRow("fiscal wrong check") << "RSSMRA80A01H501V" << false;
    QTest::newRow("too short") << "12345" << false;
    QTest::newRow("16 with blanks") << "RSSMRA80 01H501U" << false;
}

void TestGalleryDocuments::taxCode()
{
    QFETCH(QString, code);
    QFETCH(bool, accepted);
    QCOMPARE(taxCodeProblem(code).isEmpty(), accepted);
}

void TestGalleryDocuments::catalogWorksFromTheArchive()
{
    TempFolder folder;
    QList<TSchedaOpera> records = {makeRecord("Primo", "Anna", "10,00"), makeRecord("Secondo", "Bruno", "20,00", true),
                                   makeRecord("Terzo", "Carla", "xx")};
    records[0].setText(Campo::Difetti, QStringLiteral("cm 30 x 40"));
    const QString path = makeCatalog(QStringLiteral("Mostra"), records);
    QVERIFY(writeFile(photoPath(QStringLiteral("Mostra"), 3), jpegOf(QSize(40, 30), Qt::red)));
    QVERIFY(writeFile(photoPath(QStringLiteral("Mostra"), 33), jpegOf(QSize(40, 30), Qt::red)));
    const std::vector<CatalogWork> all = readCatalogWorks(path, QStringLiteral("Mostra"), false);
    QCOMPARE(all.size(), size_t(3));
    QCOMPARE(all[0].title, QStringLiteral("Primo"));
    QCOMPARE(all[0].artist, QStringLiteral("Anna"));
    QCOMPARE(all[0].dimensions, QStringLiteral("cm 30 x 40"));
    QCOMPARE(all[2].number, 3);
    QCOMPARE(all[0].photo, false);
    QCOMPARE(all[2].photo, true);
    QCOMPARE(worksTotal(all), QStringLiteral("€ 30,00"));
    const std::vector<CatalogWork> unsold = readCatalogWorks(path, QStringLiteral("Mostra"), true);
    QCOMPARE(unsold.size(), size_t(2));
    QCOMPARE(unsold[1].title, QStringLiteral("Terzo"));
    const QImage photo = catalogPhotos(QStringLiteral("Mostra"))(all[2], QSize(20, 20));
    QVERIFY(!photo.isNull());
    QVERIFY(photo.width() <= 20);
}

void TestGalleryDocuments::certificate()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto r = makeCertificate(gallery(), shown(fullSheet()), solid(QSize(600, 400), Qt::red));
    QCOMPARE(r->name(), QStringLiteral("Certificato di autenticità e provenienza"));
    const QString file = printPdf(*r, pdf("certificato"));
    QCOMPARE(pdfInfo(file, "Pages"), QStringLiteral("1"));
    QVERIFY(isA4(pdfPageSize(file), false));
    const QStringList text = allLines(pdfText(file));
    for (const char* expected :
         {"Galleria Ca' d'Oro", "Calle della Madonna 15 – Venezia", "Partita IVA 00488410010",
          "Certificato di autenticità e provenienza", "Artista: Canaletto", "Titolo: Il Canal Grande da Rialto",
          "Anno: 1725", "Tecnica: Olio", "Supporto: Tela", "Dimensioni: cm 60 x 90", "Provenienza",
          "Collezione Smith, Venezia; poi asta Finarte 1978", "Luogo: Venezia Data: 05/03/2027",
          "Firma del venditore Firma dell'acquirente"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)),
                 qPrintable(QString::fromUtf8(expected) + " in " + text.join('|')));
    QVERIFY(hasLine(text, QStringLiteral("Galleria Ca' d'Oro dichiara che l'opera sopra descritta")));
    QVERIFY2(text.join(u' ').contains(QStringLiteral("autentica, opera di Canaletto, e che la sua provenienza")),
             qPrintable(text.join('|')));
    // The photo fills its frame: red in its middle.
    r->prepare(kWhen);
    const QImage page = r->renderPage(0, 50);
    const double k = 50 / 25.4;
    QVERIFY(about(page.pixelColor(int(105 * k), int((12 + 44 + 2 + 46) * k)), Qt::red));
    // Nothing of the photo beyond its frame, at the side of a 3:2 picture in a wider frame.
    QVERIFY(about(page.pixelColor(int(20 * k), int((12 + 44 + 2 + 46) * k)), Qt::white));
}

void TestGalleryDocuments::certificateLongNotesWrapWhole()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QHash<Campo, QString> values = fullSheet();
    QString notes;
    for (int i = 0; notes.size() < 250; ++i)
        notes += QStringLiteral("passaggio%1 ").arg(i);
    notes = notes.left(250).trimmed();
    values[Campo::Note] = notes;
    values[Campo::Capo] = QStringLiteral("Titolo molto lungo ") + QString(200, u'x');
    auto r = makeCertificate(gallery(), shown(values), solid(QSize(600, 400), Qt::red));
    const QString file = printPdf(*r, pdf("certificato-lungo"));
    QString all = allLines(pdfText(file)).join(QString());
    all.remove(u' ');
    QVERIFY2(all.contains(QString(notes).remove(u' ')), qPrintable(all));
    QVERIFY(all.contains(QString(200, u'x')));
    QVERIFY(all.contains(QStringLiteral("Firmadelvenditore")));
}

void TestGalleryDocuments::objectIdSheet()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QHash<Campo, QString> values = fullSheet();
    values.remove(Campo::Note);
    auto r = makeObjectIdSheet(gallery(), shown(values), solid(QSize(400, 400), Qt::blue));
    QCOMPARE(r->name(), QStringLiteral("Scheda Object ID"));
    const QString file = printPdf(*r, pdf("objectid"));
    QCOMPARE(pdfInfo(file, "Pages"), QStringLiteral("1"));
    const QStringList text = allLines(pdfText(file));
    auto after = [&](const QString& heading) { return text.value(text.indexOf(heading) + 1); };
    QVERIFY2(text.contains("Scheda Object ID"), qPrintable(text.join('|')));
    // Filled from the sheet where it holds the value, ruled lines to write on elsewhere.
    QCOMPARE(after("Tipo di oggetto"), QStringLiteral("Materiali e tecniche"));
    QCOMPARE(after("Materiali e tecniche"), QStringLiteral("Olio; Tela"));
    QCOMPARE(after("Misure"), QStringLiteral("cm 60 x 90"));
    QCOMPARE(after("Iscrizioni e marchi"), QStringLiteral("Caratteristiche distintive"));
    QCOMPARE(after("Caratteristiche distintive"), QStringLiteral("Titolo"));
    QCOMPARE(after("Titolo"), QStringLiteral("Il Canal Grande da Rialto"));
    QCOMPARE(after("Soggetto"), QStringLiteral("Veduta con gondole"));
    QCOMPARE(after("Data o periodo"), QStringLiteral("1725"));
    QCOMPARE(after("Autore"), QStringLiteral("Canaletto"));
    r->prepare(kWhen);
    const QImage page = r->renderPage(0, 50);
    const double k = 50 / 25.4;
    QVERIFY(about(page.pixelColor(int(105 * k), int((12 + 44 + 34) * k)), Qt::blue));

    // An empty sheet: every heading still there, over its lines, on one page or two.
    auto empty = makeObjectIdSheet(Letterhead(), shown({}), QImage());
    const QStringList blank = allLines(pdfText(printPdf(*empty, pdf("objectid-vuota"))));
    QStringList headings;
    for (const QString& l : blank)
        if (l != QStringLiteral("Scheda Object ID") && !l.startsWith(QStringLiteral("Data:"))
            && !l.startsWith(QStringLiteral("Documentazione")))
            headings << l;
    QCOMPARE(headings,
             (QStringList{"Tipo di oggetto", "Materiali e tecniche", "Misure", "Iscrizioni e marchi",
                          "Caratteristiche distintive", "Titolo", "Soggetto", "Data o periodo", "Autore"}));
}

void TestGalleryDocuments::catalogDocuments_data()
{
    QTest::addColumn<int>("document");
    QTest::addColumn<int>("works");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("total");
    const auto inventory = int(Document::Inventory), labels = int(Document::Labels), prices = int(Document::PriceList);
    QTest::newRow("inventory, no works") << inventory << 0 << 1 << "€ 0,00";
    QTest::newRow("inventory, one work") << inventory << 1 << 1 << "€ 1.234,50";
    QTest::newRow("inventory, 40 works") << inventory << 40 << 2 << "€ 49.380,00";
    QTest::newRow("price list, no works") << prices << 0 << 1 << "€ 0,00";
    QTest::newRow("price list, one work") << prices << 1 << 1 << "€ 1.234,50";
    QTest::newRow("price list, 50 works") << prices << 50 << 2 << "€ 61.725,00";
    QTest::newRow("labels, one") << labels << 1 << 1 << "";
    QTest::newRow("labels, eight") << labels << 8 << 1 << "";
    QTest::newRow("labels, nine") << labels << 9 << 2 << "";
    QTest::newRow("labels, seventeen") << labels << 17 << 3 << "";
}

void TestGalleryDocuments::catalogDocuments()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(int, document);
    QFETCH(int, works);
    QFETCH(int, pages);
    QFETCH(QString, total);
    const Document d = Document(document);
    const Works list = worksOf(works);
    std::unique_ptr<report::Report> r;
    if (d == Document::Inventory)
        r = makeInventory(gallery(), QStringLiteral("Mostra"), list, {});
    else if (d == Document::PriceList)
        r = makePriceList(gallery(), QStringLiteral("Mostra"), list);
    else
        r = makeWallLabels(gallery(), list, true);
    const QString file = printPdf(*r, pdf(QStringLiteral("catalogo")));
    QCOMPARE(pdfInfo(file, "Pages").toInt(), pages);
    QCOMPARE(r->pageCount(), pages);
    QVERIFY(isA4(pdfPageSize(file), false));
    const QList<QStringList> text = pdfText(file);
    QCOMPARE(text.size(), pages);
    QVERIFY(text.first().contains(documentTitle(d)));
    QVERIFY(text.first().contains(QStringLiteral("Galleria Ca' d'Oro")));
    const QStringList lines = allLines(text);
    // Every work, once.
    for (int n = 1; n <= works; ++n) {
        const QString title = QStringLiteral("Veduta %1").arg(n);
        QCOMPARE(std::count_if(lines.cbegin(), lines.cend(),
                               [&](const QString& l) {
                                   return l.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(title)));
                               }),
                 qsizetype(1));
    }
    if (d == Document::Labels) {
        QCOMPARE(std::count_if(lines.cbegin(), lines.cend(),
                               [](const QString& l) { return l.contains(QStringLiteral("€ 1.234,50")); }),
                 qsizetype((works + 1) / 2));
        return;
    }
    for (int p = 0; p < pages; ++p)
        QCOMPARE(text.at(p).last(),
                 QStringLiteral("Galleria Ca' d'Oro – %1 Pagina %2 di %3").arg(documentTitle(d)).arg(p + 1).arg(pages));
    QVERIFY2(hasLine(text.last(), QStringLiteral("Totale ") + total), qPrintable(text.last().join('|')));
    // The column headings on every page.
    for (const QStringList& page : text)
        QVERIFY(hasLine(page,
                        d == Document::Inventory ? QStringLiteral("Foto Titolo Artista Anno Dimensioni Valore")
                                                 : QStringLiteral("Titolo Artista Anno Dimensioni Prezzo")));
}

void TestGalleryDocuments::labelPrices_data()
{
    QTest::addColumn<bool>("prices");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ticked") << true << "950,00"
                            << "€ 950,00";
    QTest::newRow("ticked, value 0,00") << true << "0,00"
                                        << "Prezzo su richiesta";
    QTest::newRow("ticked, broken value") << true << "950.00"
                                          << "Prezzo su richiesta";
    QTest::newRow("not ticked") << false << "950,00"
                                << "";
}

void TestGalleryDocuments::labelPrices()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(bool, prices);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    auto list = std::make_shared<std::vector<CatalogWork>>(std::vector<CatalogWork>{work(1, value)});
    auto r = makeWallLabels(gallery(), list, prices);
    const QStringList lines = allLines(pdfText(printPdf(*r, pdf("etichette"))));
    for (const char* expected : {"Artista1", "Veduta 1", "1801", "Olio", "21 x 40 cm"})
        QVERIFY2(lines.contains(QString::fromUtf8(expected)), qPrintable(lines.join('|')));
    QCOMPARE(lines.contains(shown), !shown.isEmpty());
    QVERIFY(!hasLine(lines, QStringLiteral("€")) || prices);
}

void TestGalleryDocuments::inventoryPhotos()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    // Works 1 and 3 with photos, 2 without, 4 with a photo that cannot be read.
    auto list = std::make_shared<std::vector<CatalogWork>>(std::vector<CatalogWork>{
        work(1, "100,00", true), work(2, "200,00"), work(3, "abc", true), work(4, "0,00", true)});
    QList<int> asked;
    QSize askedSize;
    auto photos = [&](const CatalogWork& w, const QSize& px) {
        asked << w.number;
        askedSize = px;
        return w.number == 4 ? QImage() : solid(QSize(400, 300), Qt::red);
    };
    auto r = makeInventory(gallery(), QStringLiteral("Mostra"), list, photos);
    const QString file = printPdf(*r, pdf("inventario"));
    QCOMPARE(asked, (QList<int>{1, 3, 4}));
    QCOMPARE(askedSize, inventoryPhotoPixels());
    const QStringList lines = allLines(pdfText(file));
    // A value the price rule could not have written is listed as 0.
    QVERIFY2(hasLine(lines, QStringLiteral("Veduta 3 Artista3 1803 23 x 40 cm € 0,00")), qPrintable(lines.join('|')));
    QVERIFY(hasLine(lines, QStringLiteral("Veduta 2 Artista2 1802 22 x 40 cm € 200,00")));
    QCOMPARE(std::count_if(lines.cbegin(), lines.cend(), [](const QString& l) { return l.contains("nessuna foto"); }),
             qsizetype(2));
    QVERIFY(hasLine(lines, QStringLiteral("Totale € 300,00")));

    // Preparing reads no photo; each page reads only its own.
    asked.clear();
    r->prepare(kWhen);
    QVERIFY(asked.isEmpty());
    const QImage page = r->renderPage(0, 60);
    QCOMPARE(asked, (QList<int>{1, 3, 4}));
    // The first row's photo, red, in its frame under the column headings.
    const double k = 60 / 25.4;
    QVERIFY(about(page.pixelColor(int((15 + 10) * k), int((12 + 44 + 8 + 8.5) * k)), Qt::red));
}

void TestGalleryDocuments::longTextsPrintWhole_data()
{
    QTest::addColumn<int>("document");
    QTest::newRow("inventory") << int(Document::Inventory);
    QTest::newRow("labels") << int(Document::Labels);
    QTest::newRow("price list") << int(Document::PriceList);
}

void TestGalleryDocuments::longTextsPrintWhole()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(int, document);
    const auto d = Document(document);
    // The longest texts the fields hold, between two short works.
    QString title, dimensions;
    for (int i = 0; title.size() < 250; ++i)
        title += QStringLiteral("parola%1 ").arg(i);
    for (int i = 0; dimensions.size() < 250; ++i)
        dimensions += QStringLiteral("misura%1 ").arg(i);
    title = title.left(250).trimmed();
    dimensions = dimensions.left(250).trimmed();
    auto list = std::make_shared<std::vector<CatalogWork>>();
    for (int n = 1; n <= 30; ++n) {
        CatalogWork w = work(n, QStringLiteral("100,00"), n == 2);
        if (n == 2 || n == 29) {
            w.title = title;
            w.dimensions = dimensions;
            w.artist = QString(60, u'A');
        }
        list->push_back(w);
    }
    auto photos = [](const CatalogWork&, const QSize&) { return solid(QSize(40, 30), Qt::red); };
    std::unique_ptr<report::Report> r = d == Document::Inventory ? makeInventory(gallery(), "Mostra", list, photos)
        : d == Document::Labels                                  ? makeWallLabels(gallery(), list, true)
                                                                 : makePriceList(gallery(), "Mostra", list);
    // In the order the texts are drawn, each object's lines one after the other.
    QString all = runTool(QStringLiteral("pdftotext"), {"-raw", "-enc", "UTF-8", printPdf(*r, pdf("lunghi")), "-"});
    all.remove(u' ').remove(u'\n').remove(u'\f');
    QCOMPARE(all.count(QString(title).remove(u' ')), qsizetype(2));
    QCOMPARE(all.count(QString(dimensions).remove(u' ')), qsizetype(2));
    QCOMPARE(all.count(QString(60, u'A')), qsizetype(2));
    for (int n = 1; n <= 30; ++n)
        if (n != 2 && n != 29)
            QVERIFY(all.contains(QStringLiteral("Veduta%1").arg(n)));
}

void TestGalleryDocuments::hundredThousandWorks()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto list = std::make_shared<std::vector<CatalogWork>>();
    std::vector<CatalogWork>& works = *list;
    works.reserve(100000);
    qint64 cents = 0;
    for (int n = 1; n <= 100000; ++n) {
        // Every 100th with a photo, every 7th with a value no rule writes.
        const QString value = n % 7 == 0 ? QStringLiteral("%1.000").arg(n)
                                         : QStringLiteral("%1,%2").arg(n).arg(n % 100, 2, 10, QChar(u'0'));
        if (n % 7 != 0)
            cents += qint64(n) * 100 + n % 100;
        works.push_back(work(n, value, n % 100 == 0));
    }
    int decoded = 0;
    auto photos = [&](const CatalogWork&, const QSize&) {
        ++decoded;
        return solid(QSize(200, 150), Qt::red);
    };
    auto r = makeInventory(gallery(), QStringLiteral("Grande"), list, photos);
    r->prepare(kWhen);
    QCOMPARE(decoded, 0);
    const int pages = r->pageCount();
    QVERIFY2(pages > 3000 && pages < 4000, qPrintable(QString::number(pages)));
    // The last page: the exact total and its number.
    const QString file = printPdf(*r, pdf("grande"), {pages - 1});
    QVERIFY(decoded <= 5);
    const QStringList last = pdfLines(pdfPages(file).value(0));
    QVERIFY2(hasLine(last, QStringLiteral("Totale ") + pinakos::formatEuro(cents)), qPrintable(last.join('|')));
    QVERIFY(hasLine(last, QStringLiteral("Opere inventariate: 100000")));
    QCOMPARE(last.last(),
             QStringLiteral("Galleria Ca' d'Oro – Inventario per l'assicurazione Pagina %1 di %1").arg(pages));
    QVERIFY(hasLine(last, QStringLiteral("Veduta 100000 Artista100000")));
}

QTEST_MAIN(TestGalleryDocuments)
#include "test_gallery_documents.moc"
