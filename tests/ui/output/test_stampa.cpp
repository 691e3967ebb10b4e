// The print window and list printing, through the print dialog to PDF files
// read back with poppler's tools.
#include "Catalogs.h"
#include "FakeSheet.h"
#include "Gui.h"
#include "PrintWindows.h"
#include "ReportPdf.h"

#include "app/Windows.h"
#include "base/Clock.h"
#include "base/ProgramFolder.h"
#include "kit/PhotoView.h"
#include "kit/Picture.h"
#include "kit/Printing.h"
#include "kit/Sheet.h"
#include "output/SheetReport.h"
#include "output/StampaOpera.h"
#include "sheet/DefaultPicture.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace pinakos;
using test::FakeDialogs;
using test::FakeSheet;

namespace {

const QString kPrinted = QStringLiteral("Stampa eseguita in data 05/03/2027 alle ore 14:07:09");
const QString kListFooter = QStringLiteral("Stampa eseguita in data 05/03/2027");

QImage solid(const QSize& size, const QColor& c)
{
    QImage i(size, QImage::Format_RGB32);
    i.fill(c);
    return i;
}

// Whether the page shows about colour c at (x, y) mm; pictures in a PDF may be stored lossily.
bool colourAtMm(const QImage& page, double x, double y, int dpi, const QColor& c)
{
    const QColor p = test::pixelAtMm(page, x, y, dpi);
    return qAbs(p.red() - c.red()) < 8 && qAbs(p.green() - c.green()) < 8 && qAbs(p.blue() - c.blue()) < 8;
}

TfrmOpere* sheet() { return windows().frmOpere; }

} // namespace

class TestStampa : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::PrintBed> m_bed;

    FakeDialogs& dialogs() { return m_bed->dialogs; }
    FakeSheet& fakeSheet() { return m_bed->sheet; }
    std::unique_ptr<TfrmStampaOpera> window() { return m_bed->window<TfrmStampaOpera>(); }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init()
    {
        m_bed = std::make_unique<test::PrintBed>();
        int n = 0;
        for (const auto& [name, campo] : sheetReportFields())
            fakeSheet().record.setText(campo, QStringLiteral("V%1%2").arg(++n).arg(name.mid(3)));
        fakeSheet().record.setText(Campo::Prezzo, QStringLiteral("1.234,50"));
    }
    void cleanup() { m_bed.reset(); }

    void layout_data();
    void layout();
    void formShowCopiesThePicture_data();
    void formShowCopiesThePicture();
    void printsTheShownSheet();
    void longValuesPrintWhole();
    void cancelledDialogPrintsNothing();
    void annullaCloses();
    void printerErrorIsShown();
    void unsavedSheetFromTheSheetWindow();
    void savedSheetFromTheSheetWindow();

    void listPrinted_data();
    void listPrinted();
    void listCancelledPrintsNothing();
    void listProgressCanStop();
    void listPrinterErrorIsShown();
};

void TestStampa::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("shpSfondo") << "shpSfondo" << QRect(18, 18, 326, 215) << false;
    QTest::newRow("icoInf01") << "icoInf01" << QRect(28, 28, 240, 83) << false;
    QTest::newRow("imgLogo01") << "imgLogo01" << QRect(280, 31, 51, 81) << false;
    QTest::newRow("shpSepara") << "shpSepara" << QRect(26, 120, 311, 4) << false;
    QTest::newRow("imgSezione04") << "imgSezione04" << QRect(30, 140, 82, 72) << false;
    QTest::newRow("icoInf02") << "icoInf02" << QRect(122, 140, 206, 71) << false;
    QTest::newRow("btnAnnulla") << "btnAnnulla" << QRect(18, 243, 145, 28) << false;
    QTest::newRow("btnStampa") << "btnStampa" << QRect(200, 243, 145, 28) << false;
    QTest::newRow("imgLogo") << "imgLogo" << QRect(352, 256, 297, 184) << true;
    QTest::newRow("imgTemp") << "imgTemp" << QRect(352, 248, 297, 184) << true;
}

void TestStampa::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(bool, hidden);
    auto w = window();
    QCOMPARE(w->windowTitle(), QStringLiteral(" Stampa scheda"));
    QCOMPARE(w->size(), QSize(364, 287));
    QWidget* c = test::child(w.get(), name);
    QVERIFY(c);
    QCOMPARE(test::placeOnPanel(c), place);
    QCOMPARE(c->isVisible(), !hidden);
    QCOMPARE(w->panContainer->pos(), QPoint(0, 0));
    QCOMPARE(w->btnAnnulla->text(), QStringLiteral("Annulla"));
    QCOMPARE(w->btnStampa->text(), QStringLiteral("Stampa"));
    QCOMPARE(w->btnAnnulla->nextInFocusChain(), w->btnStampa);
}

void TestStampa::formShowCopiesThePicture_data()
{
    QTest::addColumn<bool>("hasPhoto");
    QTest::newRow("photo") << true;
    QTest::newRow("none: the euro sign") << false;
}

void TestStampa::formShowCopiesThePicture()
{
    QFETCH(bool, hasPhoto);
    const QImage photo = solid(QSize(640, 480), Qt::red);
    fakeSheet().photo = hasPhoto ? SheetPhoto(photo) : SheetPhoto();
    auto w = window();
    const QImage expected = hasPhoto ? photo : w->imgTemp->photo().image();
    QCOMPARE(w->imgLogo->photo().image(), expected);
    if (!hasPhoto)
        QCOMPARE(expected, euroPicture(QSize(297, 184)));
}

void TestStampa::printsTheShownSheet()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    fakeSheet().photo = SheetPhoto(solid(QSize(600, 400), Qt::red));
    auto w = window();
    dialogs().printAnswers << true;
    dialogs().printFile = test::pdfPath("scheda");
    test::click(w->btnStampa);

    QVERIFY(!w->isVisible());
    QCOMPARE(dialogs().count(FakeDialogs::Call::Print), 1);
    QCOMPARE(dialogs().calls.first().text, QStringLiteral("Scheda opera d'arte"));
    QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 0);
    const QString pdf = dialogs().printFile;
    QCOMPARE(test::pdfInfo(pdf, "Pages"), QStringLiteral("1"));
    QCOMPARE(test::pdfInfo(pdf, "Title"), QStringLiteral("Scheda opera d'arte"));
    QVERIFY(test::isA4(test::pdfPageSize(pdf), false));
    const QStringList text = test::pdfLines(test::pdfPages(pdf).value(0));
    QCOMPARE(text.value(0), QStringLiteral("V1Capo"));
    QVERIFY2(text.contains("Valore: 1.234,50"), qPrintable(text.join('|')));
    QVERIFY(text.contains("V2Colore V3Tessuto"));
    QVERIFY(text.contains("V14Note"));
    QCOMPARE(text.last(), kPrinted);
    // The photo fills its frame's height, centred: red in the middle, white at the sides.
    const QImage page = test::pdfPageImage(pdf, 50);
    QVERIFY(colourAtMm(page, 105, 80, 50, Qt::red));
    QVERIFY(colourAtMm(page, 15, 80, 50, Qt::white));
}

void TestStampa::longValuesPrintWhole()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    // The longest notes and dimensions the archive keeps.
    const QString note =
        QStringLiteral("Olio su tela restaurato nel 1998 con pulitura della vernice ossidata, foderatura e ritocchi "
                       "a tempera lungo i bordi; cornice dorata coeva con lacune nella doratura, etichetta della "
                       "mostra di Venezia del 1932 sul retro del telaio e timbro della dogana");
    const QString dimensions =
        QStringLiteral("cm 120 x 80 la sola tela; cm 140 x 100 x 8 con la cornice dorata e intagliata; cm 160 x 120 x "
                       "30 con la cassa di viaggio in legno di abete, ferri e maniglie; peso della sola tela 6,5 kg, "
                       "con la cornice 18 kg, con la cassa 41 kg; misure prese nel 2019");
    QCOMPARE(note.size(), 250);
    QCOMPARE(dimensions.size(), 250);
    fakeSheet().record.setText(Campo::Note, note);
    fakeSheet().record.setText(Campo::Difetti, dimensions);
    auto w = window();
    dialogs().printAnswers << true;
    dialogs().printFile = test::pdfPath("lunga");
    test::click(w->btnStampa);

    QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 0);
    const QString pdf = dialogs().printFile;
    // Three lines of dimensions and two of notes push the date line onto a second page.
    QCOMPARE(test::pdfInfo(pdf, "Pages"), QStringLiteral("2"));
    QVERIFY(test::isA4(test::pdfPageSize(pdf), false));
    QString text;
    for (const QString& page : test::pdfPages(pdf))
        text += test::pdfLines(page).join(QString());
    text.remove(u' ');
    QVERIFY2(text.contains(QString(note).remove(u' ')), qPrintable(text));
    QVERIFY2(text.contains(QString(dimensions).remove(u' ')), qPrintable(text));
    QVERIFY(text.endsWith(QString(kPrinted).remove(u' ')));
}

void TestStampa::cancelledDialogPrintsNothing()
{
    auto w = window();
    dialogs().printFile = test::pdfPath("scheda");
    test::click(w->btnStampa);
    QVERIFY(!w->isVisible());
    QCOMPARE(dialogs().count(FakeDialogs::Call::Print), 1);
    QCOMPARE(dialogs().calls.size(), 1);
    QVERIFY(!QFile::exists(dialogs().printFile));
}

void TestStampa::annullaCloses()
{
    auto w = window();
    test::click(w->btnAnnulla);
    QVERIFY(!w->isVisible());
    QVERIFY(dialogs().calls.isEmpty());
}

void TestStampa::printerErrorIsShown()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    auto w = window();
    dialogs().printAnswers << true << true;
    dialogs().printFile = programFolder() + QStringLiteral("nessuna/cartella/scheda.pdf");
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    test::click(w->btnStampa);
    QVERIFY(w->isVisible());
    QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 1);
    QCOMPARE(dialogs().last().text,
             QStringLiteral("Attenzione: non è stato possibile avviare la stampa.\r\n"
                            "Il file \"%1\" non può essere scritto.")
                 .arg(dialogs().printFile));
    // The window goes on working.
    dialogs().printFile = test::pdfPath("scheda");
    test::click(w->btnStampa);
    QVERIFY(!w->isVisible());
    QCOMPARE(test::pdfInfo(dialogs().printFile, "Pages"), QStringLiteral("1"));
}

void TestStampa::unsavedSheetFromTheSheetWindow()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    sheet()->openCatalog(test::makeCatalog(QStringLiteral("Ritratti")), QStringLiteral("Ritratti"));
    moveTo(windows().frmAvvio, sheet());
    QVERIFY(QTest::qWaitForWindowActive(sheet()));
    sheet()->txtCapo->setText(QStringLiteral("  Veduta [del] Canal Grande "));
    // A name the archive could not keep as it is (\u0151 is not in its code
    // page) prints as the box shows it.
    sheet()->txtColore->setText(QStringLiteral("Canaletto Erd\u0151s"));
    sheet()->txtPrezzo->setText(QString());
    dialogs().printAnswers << true;
    dialogs().printFile = test::pdfPath("nuova");
    bool seen = false;
    test::whenModalShown([&](QWidget* m) {
        auto* w = qobject_cast<TfrmStampaOpera*>(m);
        QVERIFY(w);
        seen = true;
        QCOMPARE(w->parentWidget(), sheet());
        QVERIFY((w->frameGeometry().center() - sheet()->frameGeometry().center()).manhattanLength() < 4);
        QCOMPARE(w->imgLogo->photo().image(), defaultPicture());
        test::click(w->btnStampa);
    });
    test::click(sheet()->cmdStampa);
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
    const QStringList text = test::pdfLines(test::pdfPages(dialogs().printFile).value(0));
    QCOMPARE(text.value(0), QStringLiteral("Veduta [del] Canal Grande"));
    QVERIFY2(text.contains(QStringLiteral("Canaletto Erd\u0151s")), qPrintable(text.join('|')));
    QVERIFY(text.contains("Valore:"));
    QCOMPARE(text.last(), kPrinted);
    // The sheet's default picture fills the photo frame.
    const QImage page = test::pdfPageImage(dialogs().printFile, 50);
    QVERIFY(!colourAtMm(page, 105, 80, 50, Qt::white));
    QVERIFY(colourAtMm(page, 105, 22, 50, Qt::white));
    QVERIFY(QFile::exists(sheet()->lblFile->text()));
    QCOMPARE(sheet()->lblPosizione->text(), QString());
}

void TestStampa::savedSheetFromTheSheetWindow()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    TSchedaOpera saved =
        test::makeRecord(QStringLiteral("Ritratto"), QStringLiteral("Lotto"), QStringLiteral("950,00"));
    saved.setText(Campo::CodFisc, QStringLiteral("LTTLRN80A01L736X"));
    sheet()->openCatalog(test::makeCatalog(QStringLiteral("Ritratti"), {saved}), QStringLiteral("Ritratti"));
    moveTo(windows().frmAvvio, sheet());
    QVERIFY(QTest::qWaitForWindowActive(sheet()));
    test::click(sheet()->cmdPrimo);
    QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("1"));
    dialogs().printAnswers << true;
    dialogs().printFile = test::pdfPath("salvata");
    test::whenModalShown([&](QWidget* m) {
        if (auto* w = qobject_cast<TfrmStampaOpera*>(m))
            test::click(w->btnStampa);
    });
    test::click(sheet()->cmdStampa);
    const QStringList text = test::pdfLines(test::pdfPages(dialogs().printFile).value(0));
    QCOMPARE(text.value(0), QStringLiteral("Ritratto"));
    QVERIFY2(text.contains("Valore: 950,00"), qPrintable(text.join('|')));
    QVERIFY(text.contains("Lotto"));
    QVERIFY(text.contains("LTTLRN80A01L736X"));
}

void TestStampa::listPrinted_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("hundred") << 100 << 2;
}

void TestStampa::listPrinted()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QFETCH(int, lines);
    QFETCH(int, pages);
    QStringList list;
    for (int i = 1; i <= lines; ++i)
        list << QStringLiteral("Opera %1 [bozza]").arg(i, 3, 10, QChar(u'0'));
    QWidget owner;
    dialogs().printAnswers << true;
    dialogs().printFile = test::pdfPath("elenco");
    printList(&owner, QStringLiteral("Riepilogo opere d'arte [non] vendute"), list);

    QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 0);
    QCOMPARE(dialogs().calls.first().text, QStringLiteral("Riepilogo dati"));
    const QString pdf = dialogs().printFile;
    QCOMPARE(test::pdfInfo(pdf, "Pages").toInt(), pages);
    QVERIFY(test::isA4(test::pdfPageSize(pdf), true));
    QStringList text;
    const QStringList texts = test::pdfPages(pdf);
    for (int p = 0; p < texts.size(); ++p) {
        QStringList page = test::pdfLines(texts.at(p));
        // A list of more than one page is numbered at the foot of each.
        if (pages > 1)
            QCOMPARE(page.takeLast(), QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(pages));
        text += page;
    }
    QCOMPARE(text.takeFirst(), QStringLiteral("Riepilogo opere d'arte [non] vendute"));
    QCOMPARE(text.takeLast(), kListFooter);
    QCOMPARE(text, list);
}

void TestStampa::listCancelledPrintsNothing()
{
    QWidget owner;
    dialogs().printFile = test::pdfPath("elenco");
    printList(&owner, QStringLiteral("Riepilogo"), {QStringLiteral("riga")});
    QCOMPARE(dialogs().calls.size(), 1);
    QCOMPARE(dialogs().last().call, FakeDialogs::Call::Print);
    QVERIFY(!QFile::exists(dialogs().printFile));
}

void TestStampa::listProgressCanStop()
{
    PINAKOS_REQUIRE_PDF_TOOLS();
    QStringList list;
    for (int i = 0; i < 200; ++i)
        list << QStringLiteral("riga %1").arg(i);
    QWidget owner;
    dialogs().printAnswers << true << true;
    dialogs().printFile = test::pdfPath("elenco");
    printList(&owner, QStringLiteral("Riepilogo"), list);
    QCOMPARE(dialogs().count(FakeDialogs::Call::Progress), 1);
    QCOMPARE(dialogs().progressSteps, (QList<int>{0, 1, 2, 3, 4}));
    QCOMPARE(test::pdfInfo(dialogs().printFile, "Pages"), QStringLiteral("4"));

    // Cancelled on its third page: nothing half printed stays, and no message.
    dialogs().progressSteps.clear();
    dialogs().cancelProgressAt = 2;
    printList(&owner, QStringLiteral("Riepilogo"), list);
    QCOMPARE(dialogs().progressSteps, (QList<int>{0, 1, 2}));
    QVERIFY(!QFile::exists(dialogs().printFile));
    QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 0);
}

void TestStampa::listPrinterErrorIsShown()
{
    QWidget owner;
    dialogs().printAnswers << true;
    dialogs().printFile = programFolder() + QStringLiteral("nessuna/cartella/elenco.pdf");
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    printList(&owner, QStringLiteral("Riepilogo"), {QStringLiteral("riga")});
    QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 1);
    QVERIFY(dialogs().last().text.startsWith(QStringLiteral("Attenzione: non è stato possibile avviare la stampa.")));
    QVERIFY(dialogs().last().text.contains(dialogs().printFile));
}

QTEST_MAIN(TestStampa)
#include "test_stampa.moc"
