// The documents window and its letterhead dialog, driven from outside: each
// document printed through the print dialog to a PDF file read back with
// poppler's tools; opened from the print window's link and from the sheet.
#include "Catalogs.h"
#include "FakeSheet.h"
#include "Gui.h"
#include "PrintWindows.h"
#include "ReportPdf.h"

#include "app/Windows.h"
#include "base/Clock.h"
#include "base/ProgramFolder.h"
#include "kit/LinkLabel.h"
#include "output/Documenti.h"
#include "output/GalleryDocuments.h"
#include "output/StampaOpera.h"
#include "sheet/Opere.h"
#include "sheet/Photo.h"
#include "shell/Avvio.h"
#include "store/Archive.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace pinakos;
using test::FakeDialogs;
using test::FakeSheet;

namespace {

const QString kCatalog = QStringLiteral("Mostra");

// The value of a stored text read on its own terms: digits, one comma, two
// decimals, no leading zero; anything else is worth nothing.
qint64 centsOf(const QString& stored)
{
    static const QRegularExpression form(QStringLiteral("^(-?)(0|[1-9][0-9]*),([0-9]{2})$"));
    const auto m = form.match(stored);
    if (!m.hasMatch())
        return 0;
    const qint64 cents = m.captured(2).toLongLong() * 100 + m.captured(3).toLongLong();
    return m.captured(1).isEmpty() ? cents : -cents;
}

// "€ 1.234.567,89" written out here the long way.
QString euro(qint64 cents)
{
    QString units = QString::number(qAbs(cents) / 100);
    for (qsizetype i = units.size() - 3; i > 0; i -= 3)
        units.insert(i, u'.');
    return QStringLiteral("€ %1%2,%3").arg(cents < 0 ? "-" : "").arg(units).arg(qAbs(cents) % 100, 2, 10, QChar(u'0'));
}

// The total of the archive's values, of the unsold works only when asked.
QString archiveTotal(const QString& path, bool unsoldOnly)
{
    Archive a(path);
    qint64 cents = 0;
    for (int n = 1; n <= a.count(); ++n) {
        const TSchedaOpera r = a.read(n);
        if (!unsoldOnly || r.venduta() == Venduta::No)
            cents += centsOf(r.text(Campo::Prezzo));
    }
    return euro(cents);
}

QStringList allLines(const QString& pdf)
{
    QStringList out;
    for (const QString& page : test::pdfPages(pdf))
        out += test::pdfLines(page);
    return out;
}

bool hasLine(const QStringList& lines, const QString& part)
{
    return std::any_of(lines.cbegin(), lines.cend(), [&](const QString& l) { return l.contains(part); });
}

TfrmOpere* sheet() { return windows().frmOpere; }

} // namespace

class TestDocumenti : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::PrintBed> m_bed;
    QString m_archive;

    FakeDialogs& dialogs() { return m_bed->dialogs; }
    FakeSheet& fakeSheet() { return m_bed->sheet; }
    std::unique_ptr<TfrmDocumenti> window() { return m_bed->window<TfrmDocumenti>(); }

    // Chooses the document, prints it to a PDF file and gives the file.
    QString print(TfrmDocumenti& w, Document d, const QString& name)
    {
        w.cboDocumento->setCurrentIndex(
            int(std::find(allDocuments().begin(), allDocuments().end(), d) - allDocuments().begin()));
        dialogs().printAnswers << true;
        dialogs().printFile = test::pdfPath(name);
        test::click(w.cmdStampa);
        return dialogs().printFile;
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init()
    {
        m_bed = std::make_unique<test::PrintBed>();
        QList<TSchedaOpera> records = {
            test::makeRecord("Veduta del Molo", "Canaletto", "1500000,00"),
            test::makeRecord("Capriccio", "Guardi", "98765,43", true),
            test::makeRecord("Ritratto di dama", "Rosalba Carriera", "1.200,00"), // no value the rule writes
            test::makeRecord("Studio di nuvole", "Tiepolo", "0,00"),
            test::makeRecord("Laguna", "Bellotto", "12345,67"),
        };
        for (TSchedaOpera& r : records) {
            r.setText(Campo::Tessuto, QStringLiteral("1740"));
            r.setText(Campo::Peso, QStringLiteral("Olio"));
            r.setText(Campo::Difetti, QStringLiteral("cm 50 x 70"));
        }
        m_archive = test::makeCatalog(kCatalog, records);
        QVERIFY(test::writeFile(photoPath(kCatalog, 1), test::jpegOf(QSize(400, 300), Qt::red)));
        fakeSheet().path = m_archive;
        fakeSheet().name = kCatalog;
        fakeSheet().number = 1;
        fakeSheet().record = records.first();
        fakeSheet().record.setText(Campo::Descrizione, QStringLiteral("Il molo con il Palazzo Ducale"));
        fakeSheet().record.setText(Campo::Servizio, QStringLiteral("Tela"));
        fakeSheet().record.setText(Campo::Note, QStringLiteral("Collezione Smith; asta 1978"));
        QImage red(600, 400, QImage::Format_RGB32);
        red.fill(Qt::red);
        fakeSheet().photo = SheetPhoto(red);
    }
    void cleanup() { m_bed.reset(); }

    void layout();
    void optionsFollowTheDocument_data();
    void optionsFollowTheDocument();
    void eachDocumentPrints_data();
    void eachDocumentPrints();
    void onlyUnsoldWorks_data();
    void onlyUnsoldWorks();
    void seventeenWorksGiveThreeLabelPages();
    void certificateShowsThePhoto();
    void cancelledPrintsNothing();
    void letterhead_data();
    void letterhead();
    void unreadableLogoIsRefused();
    void linkFromThePrintWindow();
    void shortcutFromTheSheet_data();
    void shortcutFromTheSheet();
};

void TestDocumenti::layout()
{
    auto w = window();
    QCOMPARE(w->windowTitle(), QStringLiteral(" Documenti dell'opera e del catalogo"));
    QStringList items;
    for (int i = 0; i < w->cboDocumento->count(); ++i)
        items << w->cboDocumento->itemText(i);
    QCOMPARE(items,
             (QStringList{"Certificato di autenticità e provenienza", "Scheda Object ID",
                          "Inventario per l'assicurazione", "Etichette da parete", "Listino prezzi"}));
    QCOMPARE(w->chkSoloInvendute->text(), QStringLiteral("Solo opere non vendute"));
    QCOMPARE(w->chkPrezzi->text(), QStringLiteral("Mostra i prezzi"));
    QCOMPARE(w->cmdIntestazione->text(), QStringLiteral("Intestazione…"));
    QCOMPARE(w->cmdStampa->text(), QStringLiteral("Stampa"));
    QCOMPARE(w->btnChiudi->text(), QStringLiteral("Chiudi"));
    QVERIFY(!w->chkSoloInvendute->isChecked());
    QVERIFY(!w->chkPrezzi->isChecked());
    // Every control inside the window and clear of the others.
    const QList<QWidget*> controls = {w->cboDocumento,    w->lblDescrizione,  w->chkSoloInvendute, w->chkPrezzi,
                                      w->cmdIntestazione, w->lblIntestazione, w->btnChiudi,        w->cmdGuida,
                                      w->cmdStampa,       w->panInfo};
    for (QWidget* c : controls) {
        QVERIFY2(w->panContainer->rect().contains(c->geometry()), qPrintable(c->objectName()));
        for (QWidget* other : controls)
            if (other != c)
                QVERIFY2(!c->geometry().intersects(other->geometry()),
                         qPrintable(c->objectName() + " / " + other->objectName()));
    }
    // A hover hint on the line at the foot.
    test::hover(w->cmdStampa);
    QCOMPARE(w->panInfo->text(), QStringLiteral("Stampa il documento scelto."));
    // Ticked boxes are unticked again when the window opens.
    w->chkSoloInvendute->setChecked(true);
    w->chkPrezzi->setChecked(true);
    w->hide();
    w->show();
    QVERIFY(!w->chkSoloInvendute->isChecked());
    QVERIFY(!w->chkPrezzi->isChecked());
    test::click(w->btnChiudi);
    QVERIFY(!w->isVisible());
}

void TestDocumenti::optionsFollowTheDocument_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("unsold");
    QTest::addColumn<bool>("prices");
    QTest::newRow("certificate") << 0 << false << false;
    QTest::newRow("Object ID") << 1 << false << false;
    QTest::newRow("inventory") << 2 << true << false;
    QTest::newRow("labels") << 3 << true << true;
    QTest::newRow("price list") << 4 << false << false;
}

void TestDocumenti::optionsFollowTheDocument()
{
    QFETCH(int, index);
    QFETCH(bool, unsold);
    QFETCH(bool, prices);
    auto w = window();
    w->cboDocumento->setCurrentIndex(index);
    QCOMPARE(w->chkSoloInvendute->isEnabled(), unsold);
    QCOMPARE(w->chkPrezzi->isEnabled(), prices);
    QVERIFY(!w->lblDescrizione->text().isEmpty());
}

void TestDocumenti::eachDocumentPrints_data()
{
    QTest::addColumn<int>("document");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("certificate") << int(Document::Certificate)
                                 << QStringList{"Certificato di autenticità e provenienza",
                                                "Artista: Canaletto",
                                                "Titolo: Veduta del Molo",
                                                "Anno: 1740",
                                                "Tecnica: Olio",
                                                "Supporto: Tela",
                                                "Dimensioni: cm 50 x 70",
                                                "Provenienza",
                                                "Collezione Smith; asta 1978",
                                                "Data: 05/03/2027",
                                                "Firma del venditore Firma dell'acquirente"};
    QTest::newRow("Object ID") << int(Document::ObjectId)
                               << QStringList{"Scheda Object ID",
                                              "Tipo di oggetto",
                                              "Materiali e tecniche",
                                              "Olio; Tela",
                                              "Misure",
                                              "cm 50 x 70",
                                              "Iscrizioni e marchi",
                                              "Caratteristiche distintive",
                                              "Collezione Smith; asta 1978",
                                              "Titolo",
                                              "Veduta del Molo",
                                              "Soggetto",
                                              "Il molo con il Palazzo Ducale",
                                              "Data o periodo",
                                              "1740",
                                              "Autore",
                                              "Canaletto"};
    QTest::newRow("inventory") << int(Document::Inventory)
                               << QStringList{"Inventario per l'assicurazione",
                                              "Veduta del Molo Canaletto 1740 cm 50 x 70 € 1.500.000,00",
                                              "Capriccio Guardi 1740 cm 50 x 70 € 98.765,43",
                                              "Ritratto di dama Rosalba Carriera 1740 cm 50 x 70 € 0,00",
                                              "Studio di nuvole Tiepolo 1740 cm 50 x 70 € 0,00",
                                              "Laguna Bellotto 1740 cm 50 x 70 € 12.345,67",
                                              "Pagina 1 di 1"};
    QTest::newRow("labels") << int(Document::Labels)
                            << QStringList{"Etichette da parete", "Canaletto", "Veduta del Molo", "Guardi",
                                           "Capriccio",           "Bellotto",  "Laguna",          "cm 50 x 70"};
    QTest::newRow("price list") << int(Document::PriceList)
                                << QStringList{"Listino prezzi",
                                               "Veduta del Molo Canaletto 1740 cm 50 x 70 € 1.500.000,00",
                                               "Laguna Bellotto 1740 cm 50 x 70 € 12.345,67", "Pagina 1 di 1"};
}

void TestDocumenti::eachDocumentPrints()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(int, document);
    QFETCH(QStringList, expected);
    const auto d = Document(document);
    auto w = window();
    const QString pdf = print(*w, d, QStringLiteral("documento"));
    QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 0);
    QCOMPARE(dialogs().count(FakeDialogs::Call::Print), 1);
    QCOMPARE(dialogs().calls.first().text, documentTitle(d));
    QVERIFY(w->isVisible()); // more documents may follow
    QVERIFY(test::isA4(test::pdfPageSize(pdf), false));
    QCOMPARE(test::pdfInfo(pdf, "Title"), documentTitle(d));
    const QStringList lines = allLines(pdf);
    for (const QString& e : expected)
        QVERIFY2(hasLine(lines, e), qPrintable(e + " in " + lines.join('|')));
    if (d == Document::Inventory)
        QVERIFY(hasLine(lines, QStringLiteral("Totale ") + archiveTotal(m_archive, false)));
    if (d == Document::PriceList) {
        QVERIFY(hasLine(lines, QStringLiteral("Totale ") + archiveTotal(m_archive, true)));
        QVERIFY(!hasLine(lines, QStringLiteral("Capriccio"))); // sold
    }
    if (d == Document::Labels)
        QVERIFY(!hasLine(lines, QStringLiteral("€"))); // prices not asked for
}

void TestDocumenti::onlyUnsoldWorks_data()
{
    QTest::addColumn<int>("document");
    QTest::addColumn<bool>("unsold");
    QTest::newRow("inventory, all") << int(Document::Inventory) << false;
    QTest::newRow("inventory, unsold") << int(Document::Inventory) << true;
    QTest::newRow("labels, unsold, with prices") << int(Document::Labels) << true;
}

void TestDocumenti::onlyUnsoldWorks()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(int, document);
    QFETCH(bool, unsold);
    const auto d = Document(document);
    auto w = window();
    w->chkSoloInvendute->setChecked(unsold);
    w->chkPrezzi->setChecked(true);
    const QStringList lines = allLines(print(*w, d, QStringLiteral("invendute")));
    QCOMPARE(hasLine(lines, QStringLiteral("Capriccio")), !unsold);
    QVERIFY(hasLine(lines, QStringLiteral("Laguna")));
    if (d == Document::Inventory)
        QVERIFY(hasLine(lines, QStringLiteral("Totale ") + archiveTotal(m_archive, unsold)));
    else
        QVERIFY(hasLine(lines, QStringLiteral("€ 12.345,67")));
}

void TestDocumenti::seventeenWorksGiveThreeLabelPages()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QList<TSchedaOpera> records;
    for (int i = 1; i <= 17; ++i)
        records << test::makeRecord(QStringLiteral("Opera %1").arg(i), QStringLiteral("Autore %1").arg(i), "100,00");
    fakeSheet().path = test::makeCatalog(QStringLiteral("Diciassette"), records);
    fakeSheet().name = QStringLiteral("Diciassette");
    auto w = window();
    const QString pdf = print(*w, Document::Labels, QStringLiteral("etichette"));
    QCOMPARE(test::pdfInfo(pdf, "Pages"), QStringLiteral("3"));
    const QStringList pages = test::pdfPages(pdf);
    QCOMPARE(pages.size(), 3);
    QCOMPARE(test::pdfLines(pages.at(2)).filter(QStringLiteral("Opera ")).size(), 1);
    QVERIFY(test::pdfLines(pages.at(2)).contains(QStringLiteral("Opera 17")));
}

void TestDocumenti::certificateShowsThePhoto()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto w = window();
    const QString pdf = print(*w, Document::Certificate, QStringLiteral("certificato"));
    const QImage page = test::pdfPageImage(pdf, 40);
    QVERIFY(!page.isNull());
    // The middle of the photo frame, under the letterhead.
    const QColor c = test::pixelAtMm(page, 105, 104, 40);
    QVERIFY2(c.red() > 200 && c.green() < 60 && c.blue() < 60, qPrintable(c.name()));
}

void TestDocumenti::cancelledPrintsNothing()
{
    auto w = window();
    dialogs().printFile = test::pdfPath("annullato");
    test::click(w->cmdStampa);
    QCOMPARE(dialogs().count(FakeDialogs::Call::Print), 1);
    QCOMPARE(dialogs().calls.size(), 1);
    QVERIFY(!QFile::exists(dialogs().printFile));
}

void TestDocumenti::letterhead_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("saved");
    QTest::newRow("VAT number") << "00488410010" << true;
    QTest::newRow("fiscal code") << "rssmra80a01h501u" << true;
    QTest::newRow("none") << "" << true;
    QTest::newRow("wrong VAT number") << "00488410011" << false;
    QTest::newRow("neither") << "1234" << false;
}

void TestDocumenti::letterhead()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(QString, code);
    QFETCH(bool, saved);
    QVERIFY(test::writeFile(programFolder() + QStringLiteral("logo.jpg"), test::jpegOf(QSize(300, 200), Qt::blue)));
    auto w = window();
    QCOMPARE(w->lblIntestazione->text(), QStringLiteral("Nessuna intestazione indicata"));
    dialogs().fileAnswers << programFolder() + QStringLiteral("logo.jpg");
    bool seen = false;
    test::whenModalShown([&](QWidget* m) {
        auto* d = qobject_cast<TfrmIntestazione*>(m);
        QVERIFY(d);
        seen = true;
        d->txtNome->setText(QStringLiteral("Galleria del Ponte"));
        d->txtIndirizzo->setText(QStringLiteral("Ponte di Rialto 3"));
        d->txtCitta->setText(QStringLiteral("Venezia"));
        d->txtPartitaIva->setText(code);
        d->txtTelefono->setText(QStringLiteral("041 100200"));
        d->txtEmail->setText(QStringLiteral("ponte@example.it"));
        test::click(d->cmdLogo);
        test::click(d->btnSalva);
        QCOMPARE(d->isVisible(), !saved);
        if (!saved) {
            QCOMPARE(dialogs().count(FakeDialogs::Call::Warning), 1);
            test::click(d->btnAnnulla);
        }
    });
    test::click(w->cmdIntestazione);
    QVERIFY(seen);
    QCOMPARE(QFile::exists(letterheadFile()), saved);
    if (!saved)
        return;
    QCOMPARE(w->lblIntestazione->text(), QStringLiteral("Galleria del Ponte"));
    const Letterhead l = readLetterhead();
    QCOMPARE(l.taxCode, code.toUpper());
    QCOMPARE(l.logo, QStringLiteral("Documenti_Logo.png"));
    QVERIFY(QFile::exists(logoPath(l)));
    // At the head of the documents, the logo beside it.
    const QString pdf = print(*w, Document::PriceList, QStringLiteral("listino"));
    const QStringList lines = allLines(pdf);
    QCOMPARE(lines.value(0), QStringLiteral("Galleria del Ponte"));
    QCOMPARE(lines.value(1), QStringLiteral("Ponte di Rialto 3 – Venezia"));
    const QColor c = test::pixelAtMm(test::pdfPageImage(pdf, 40), 28, 20, 40);
    QVERIFY2(c.blue() > 200 && c.red() < 60, qPrintable(c.name()));
}

void TestDocumenti::unreadableLogoIsRefused()
{
    QVERIFY(test::writeFile(programFolder() + QStringLiteral("logo.jpg"), QByteArray("non è un'immagine")));
    TfrmIntestazione d;
    d.show();
    dialogs().fileAnswers << programFolder() + QStringLiteral("logo.jpg");
    test::click(d.cmdLogo);
    QCOMPARE(dialogs().count(FakeDialogs::Call::Warning), 1);
    QCOMPARE(dialogs().last().text, QStringLiteral("Attenzione: il file scelto non è un'immagine leggibile."));
    QVERIFY(d.txtLogo->text().isEmpty());
    // Saved without it, the documents print with no logo.
    d.txtNome->setText(QStringLiteral("Galleria del Ponte"));
    test::click(d.btnSalva);
    QVERIFY(!d.isVisible());
    QCOMPARE(readLetterhead().logo, QString());
    QCOMPARE(readLetterhead().name, QStringLiteral("Galleria del Ponte"));
}

void TestDocumenti::linkFromThePrintWindow()
{
    TfrmStampaOpera print;
    print.setSheet(&fakeSheet());
    print.show();
    QVERIFY(print.lnkDocumenti);
    QCOMPARE(print.lnkDocumenti->text(), QStringLiteral("Altri documenti…"));
    // On the window's white ground, over none of its controls.
    const QRect link = print.lnkDocumenti->geometry();
    QVERIFY(print.shpSfondo->geometry().contains(link));
    for (QWidget* other : print.panContainer->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != print.lnkDocumenti && other != print.shpSfondo && other->isVisible())
            QVERIFY2(!other->geometry().intersects(link), qPrintable(other->objectName()));
    bool seen = false;
    test::whenModalShown([&](QWidget* m) {
        auto* w = qobject_cast<TfrmDocumenti*>(m);
        QVERIFY(w);
        seen = true;
        QCOMPARE(w->parentWidget(), &print);
        // The work shown in the sheet is the one it prints.
        w->cboDocumento->setCurrentIndex(0);
        dialogs().printAnswers << true;
        dialogs().printFile = test::pdfPath("dal-link");
        test::click(w->cmdStampa);
        test::click(w->btnChiudi);
    });
    test::click(print.lnkDocumenti);
    QVERIFY(seen);
    QVERIFY(print.isVisible());
    PINAKOS_REQUIRE_PDF_TOOLS(); // what was printed is read back from the PDF
    QVERIFY(hasLine(allLines(dialogs().printFile), QStringLiteral("Titolo: Veduta del Molo")));
}

void TestDocumenti::shortcutFromTheSheet_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("title box") << "txtCapo";
    QTest::newRow("price box, digits only") << "txtPrezzo";
    QTest::newRow("fiscal code box") << "txtCodFisc";
}

void TestDocumenti::shortcutFromTheSheet()
{
    QFETCH(QString, focus);
    sheet()->openCatalog(m_archive, kCatalog);
    moveTo(windows().frmAvvio, sheet());
    QVERIFY(QTest::qWaitForWindowActive(sheet()));
    test::click(sheet()->cmdPrimo);
    auto* box = test::child<QLineEdit>(sheet(), focus);
    box->setFocus();
    const QString before = box->text();
    bool seen = false;
    test::whenModalShown([&](QWidget* m) {
        auto* w = qobject_cast<TfrmDocumenti*>(m);
        QVERIFY(w);
        seen = true;
        QCOMPARE(w->parentWidget(), sheet());
        w->cboDocumento->setCurrentIndex(2);
        dialogs().printAnswers << true;
        dialogs().printFile = test::pdfPath("dalla-scheda");
        test::click(w->cmdStampa);
        test::click(w->btnChiudi);
    });
    QTest::keyClick(box, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(seen);
    QCOMPARE(box->text(), before); // the key typed nothing
    PINAKOS_REQUIRE_PDF_TOOLS(); // what was printed is read back from the PDF
    QVERIFY(hasLine(allLines(dialogs().printFile), QStringLiteral("Totale ") + archiveTotal(m_archive, false)));
}

QTEST_MAIN(TestDocumenti)
#include "test_documenti.moc"
