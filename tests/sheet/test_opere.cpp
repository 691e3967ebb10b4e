#include "Catalogs.h"
#include "FakeDialogs.h"
#include "Gui.h"
#include "TempFolder.h"

#include "app/ProgramFolder.h"
#include "app/Windows.h"
#include "sheet/DefaultPicture.h"
#include "sheet/Opere.h"
#include "sheet/PhotoView.h"
#include "sheet/Zoom.h"
#include "shell/Avvio.h"
#include "store/Archive.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

using namespace pinakos;
using test::FakeDialogs;

namespace {

const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

TfrmOpere* sheet() { return windows().frmOpere; }

QByteArray jpegOf(const QSize& size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    QImageWriter(&b, "jpeg").write(image);
    return bytes;
}

QColor pixelOf(QWidget* w, QPoint at)
{
    return w->grab().toImage().pixelColor(at);
}

void hover(QWidget* w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(w->rect().center()), w->mapToGlobal(QPointF(w->rect().center())),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// Types text key by key; characters outside ASCII arrive as the keyboard
// would send them, with their text and no key code of their own.
void type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

qint64 sizeOf(const QString& path) { return QFileInfo(path).size(); }

QString storedField(const QString& path, int n, Campo c)
{
    Archive a(path);
    return a.read(n).text(c);
}

} // namespace

class TestOpere : public QObject
{
    Q_OBJECT

    // Shows the sheet on the catalog `name` of the test's program folder.
    void openCatalog(const QString& name, const QString& label = QString())
    {
        sheet()->lblFile->setText(programFolder() + name + QStringLiteral(".art"));
        sheet()->lblNome->setText(label.isEmpty() ? name : label);
        moveTo(windows().frmAvvio, sheet());
        QVERIFY(QTest::qWaitForWindowActive(sheet()));
    }
    QString threeRecords()
    {
        TSchedaOpera second = test::makeRecord(QStringLiteral("Secondo"), QStringLiteral("Bellini"),
                                               QStringLiteral("200,00"), true);
        second.setText(Campo::File01, QStringLiteral("contratto.pdf"));
        second.setText(Campo::Desc01, QStringLiteral("Contratto di vendita"));
        second.setText(Campo::Note, QStringLiteral("città"));
        return test::makeCatalog(QStringLiteral("Ritratti"),
                                 {test::makeRecord(QStringLiteral("Primo"), QStringLiteral("Anonimo"),
                                                   QStringLiteral("100,00")),
                                  second,
                                  test::makeRecord(QStringLiteral("Terzo"), QStringLiteral("Canova"),
                                                   QStringLiteral("300,00"))});
    }
    void fillRequired()
    {
        sheet()->txtCapo->setText(QStringLiteral("Veduta"));
        sheet()->txtColore->setText(QStringLiteral("Canaletto"));
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    // Each test leaves for the start window, as the user would, so that the
    // next showing of the sheet is a real activation.
    void cleanup()
    {
        if (sheet()->isVisible()) {
            moveTo(sheet(), windows().frmAvvio);
            QVERIFY(QTest::qWaitForWindowActive(windows().frmAvvio));
        }
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("txtCapo") << "txtCapo" << QRect(620, 164, 344, 22);
        QTest::newRow("txtTessuto") << "txtTessuto" << QRect(824, 260, 140, 22);
        QTest::newRow("txtNote") << "txtNote" << QRect(30, 596, 583, 22);
        QTest::newRow("txtPrezzo") << "txtPrezzo" << QRect(464, 512, 141, 24);
        QTest::newRow("chkSegnala") << "chkSegnala" << QRect(520, 561, 89, 25);
        QTest::newRow("lblPosizione") << "lblPosizione" << QRect(506, 34, 132, 24);
        QTest::newRow("lblNome") << "lblNome" << QRect(624, 106, 332, 24);
        QTest::newRow("imgFoto") << "imgFoto" << QRect(38, 102, 567, 378);
        QTest::newRow("btnCaricaFoto") << "btnCaricaFoto" << QRect(38, 502, 157, 40);
        QTest::newRow("cmdStampa") << "cmdStampa" << QRect(254, 28, 148, 32);
        QTest::newRow("cmdUltimo") << "cmdUltimo" << QRect(683, 26, 37, 39);
        QTest::newRow("btnCodFisc") << "btnCodFisc" << QRect(787, 596, 22, 22);
        QTest::newRow("shpRecord") << "shpRecord" << QRect(415, 16, 312, 57);
        QTest::newRow("shpInfo") << "shpInfo" << QRect(16, 642, 962, 32);
        QTest::newRow("btnFocus") << "btnFocus" << QRect(536, 648, 25, 20);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QWidget* w = test::child(sheet(), name);
        QVERIFY(w);
        QCOMPARE(test::placeOnPanel(w), place);
        QCOMPARE(sheet()->panContainer->size(), QSize(996, 692));
        QCOMPARE(sheet()->windowTitle(), QStringLiteral(" Pinakos - Inventario opere d'arte"));
    }

    void typingLimits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::newRow("title") << "txtCapo" << 50;
        QTest::newRow("subject") << "txtDescrizione" << 120;
        QTest::newRow("dimensions") << "txtDifetti" << 250;
        QTest::newRow("fiscal code") << "txtCodFisc" << 16;
        QTest::newRow("telephone") << "txtRecapito" << 30;
        QTest::newRow("value") << "txtPrezzo" << 15;
    }
    void typingLimits()
    {
        QFETCH(QString, name);
        QFETCH(int, limit);
        auto* box = test::child<QLineEdit>(sheet(), name);
        QVERIFY(box);
        QCOMPARE(box->maxLength(), limit);
    }

    void enterAndTabChains()
    {
        test::TempFolder folder;
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        QCOMPARE(QApplication::focusWidget(), s->txtCapo);
        QTest::keyClick(s->txtCapo, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), s->txtDescrizione);
        s->txtNote->setFocus();
        QTest::keyClick(s->txtNote, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), s->txtPrezzo);
        QTest::keyClick(s->txtPrezzo, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), s->txtCapo);
        // Tab stops on the check box; Tab from the filtered boxes moves on.
        s->txtNote->setFocus();
        QTest::keyClick(s->txtNote, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->chkSegnala);
        QTest::keyClick(s->chkSegnala, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->txtPrezzo);
        s->txtCodFisc->setFocus();
        QTest::keyClick(s->txtCodFisc, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s->txtRecapito);
        QCOMPARE(s->txtNote->text(), QString());
    }

    void keyFilters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("price: digits and comma") << "txtPrezzo" << "12,5" << "12,5";
        QTest::newRow("price: full stop and minus ignored") << "txtPrezzo" << "-1.2a3" << "123";
        QTest::newRow("fiscal code: capitals") << "txtCodFisc" << "abc1" << "ABC1";
        QTest::newRow("fiscal code: accent, blank, hyphen ignored") << "txtCodFisc" << "aé b-1" << "AB1";
        QTest::newRow("other boxes take anything") << "txtNote" << "a-b. é" << "a-b. é";
    }
    void keyFilters()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        test::TempFolder folder;
        openCatalog(QStringLiteral("Ritratti"));
        auto* box = test::child<QLineEdit>(sheet(), name);
        box->setFocus();
        box->clear();
        type(box, typed);
        QCOMPARE(box->text(), shown);
    }

    void fiscalCodeKeepsTheCursor()
    {
        test::TempFolder folder;
        openCatalog(QStringLiteral("Ritratti"));
        QLineEdit* box = sheet()->txtCodFisc;
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("ab"));
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClicks(box, QStringLiteral("x"));
        QCOMPARE(box->text(), QStringLiteral("AXB"));
        QCOMPARE(box->cursorPosition(), 2);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("AB"));
    }

    void highlightColours()
    {
        test::TempFolder folder;
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        s->txtCapo->setFocus();
        QVERIFY(s->txtCapo->hasFocus());
        // Inside the border, away from the text (the price is right-aligned).
        const QPoint capoInside(s->txtCapo->width() - 4, s->txtCapo->height() / 2);
        const QPoint prezzoInside(4, s->txtPrezzo->height() / 2);
        QCOMPARE(pixelOf(s->txtCapo, capoInside), QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(pixelOf(s->txtCapo, QPoint(0, 5)), QColor(0x87, 0xCE, 0xEB));
        QCOMPARE(pixelOf(s->txtPrezzo, prezzoInside), QColor(0xFF, 0xFF, 0xFF));
        s->txtPrezzo->setFocus();
        QCOMPARE(pixelOf(s->txtCapo, capoInside), QColor(0xF0, 0xF8, 0xFF));
        QCOMPARE(pixelOf(s->txtPrezzo, prezzoInside), QColor(0xFF, 0xFF, 0x00));
    }

    void priceNormalisedOnLeaving()
    {
        test::TempFolder folder;
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        s->txtPrezzo->setFocus();
        s->txtPrezzo->clear();
        QTest::keyClicks(s->txtPrezzo, QStringLiteral("0,005"));
        QTest::keyClick(s->txtPrezzo, Qt::Key_Tab);
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("0,01"));
        s->txtPrezzo->setFocus();
        s->txtPrezzo->clear();
        QTest::keyClick(s->txtPrezzo, Qt::Key_Return);
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("0,00"));
    }

    void priceTypedAndSavedAtOnce()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        const QString path = test::makeCatalog(QStringLiteral("Ritratti"));
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        fillRequired();
        s->txtPrezzo->setFocus();
        s->txtPrezzo->clear();
        QTest::keyClicks(s->txtPrezzo, QStringLiteral("12"));
        QVERIFY(s->txtPrezzo->hasFocus());
        test::click(s->cmdSalva);
        QCOMPARE(fake.texts(), QStringList{kAppended});
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("12,00"));
        QCOMPARE(storedField(path, 1, Campo::Prezzo), QStringLiteral("12,00"));
    }

    void emptyArchive_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("first") << "cmdPrimo" << "" << "";
        QTest::newRow("previous keeps the number") << "cmdIndietro" << "2" << "2";
        QTest::newRow("next empties the number") << "cmdAvanti" << "2" << "";
        QTest::newRow("last") << "cmdUltimo" << "" << "";
    }
    void emptyArchive()
    {
        QFETCH(QString, command);
        QFETCH(QString, before);
        QFETCH(QString, after);
        test::TempFolder folder;
        FakeDialogs fake;
        test::makeCatalog(QStringLiteral("Ritratti"));
        openCatalog(QStringLiteral("Ritratti"));
        sheet()->txtCapo->setText(QStringLiteral("in corso"));
        sheet()->lblPosizione->setText(before);
        test::click(test::child(sheet(), command));
        QCOMPARE(fake.count(FakeDialogs::Call::Information), 1);
        QCOMPARE(fake.last().text, kEmpty);
        QCOMPARE(sheet()->lblPosizione->text(), after);
        QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("in corso"));
    }

    void navigation_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("title");   // empty: the sheet is left as it was
        QTest::newRow("first") << "cmdPrimo" << "3" << "1" << "Primo";
        QTest::newRow("last") << "cmdUltimo" << "1" << "3" << "Terzo";
        QTest::newRow("previous on 2") << "cmdIndietro" << "2" << "1" << "Primo";
        QTest::newRow("next on 1") << "cmdAvanti" << "1" << "2" << "Secondo";
        QTest::newRow("previous on 1 does nothing") << "cmdIndietro" << "1" << "1" << "";
        QTest::newRow("next on 3 does nothing") << "cmdAvanti" << "3" << "3" << "";
        QTest::newRow("previous from a new sheet") << "cmdIndietro" << "" << "1" << "Primo";
        QTest::newRow("next from a new sheet") << "cmdAvanti" << "" << "1" << "Primo";
    }
    void navigation()
    {
        QFETCH(QString, command);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, title);
        test::TempFolder folder;
        FakeDialogs fake;
        threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        sheet()->txtCapo->setText(QStringLiteral("in corso"));
        sheet()->lblPosizione->setText(before);
        test::click(test::child(sheet(), command));
        QCOMPARE(fake.calls.size(), 0);
        QCOMPARE(sheet()->lblPosizione->text(), after);
        QCOMPARE(sheet()->txtCapo->text(), title.isEmpty() ? QStringLiteral("in corso") : title);
    }

    void recordDisplayShowsEveryValue()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        threeRecords();
        const QByteArray photo = jpegOf(QSize(40, 30), Qt::green);
        folder.write(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"), photo);
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        s->lblFile01->setText(QStringLiteral("vecchio.pdf"));
        test::click(s->cmdPrimo);
        QCOMPARE(s->lblFile01->text(), QString());
        QVERIFY(!s->chkSegnala->isChecked());
        QCOMPARE(s->imgFoto->photo().image(), defaultPicture());
        test::click(s->cmdAvanti);
        QCOMPARE(s->txtCapo->text(), QStringLiteral("Secondo"));
        QCOMPARE(s->txtColore->text(), QStringLiteral("Bellini"));
        QCOMPARE(s->txtNote->text(), QStringLiteral("città"));
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("200,00"));
        QVERIFY(s->chkSegnala->isChecked());
        QCOMPARE(s->lblFile01->text(), QStringLiteral("contratto.pdf"));
        QCOMPARE(s->lblDesc01->text(), QStringLiteral("Contratto di vendita"));
        QCOMPARE(s->imgFoto->photo().original(), photo);
        QCOMPARE(fake.calls.size(), 0);
    }

    void soldMarkNeitherLeavesTheBox_data()
    {
        QTest::addColumn<bool>("firstSold");
        QTest::newRow("after a sold work") << true;
        QTest::newRow("after an unsold work") << false;
    }
    void soldMarkNeitherLeavesTheBox()
    {
        QFETCH(bool, firstSold);
        test::TempFolder folder;
        FakeDialogs fake;
        TSchedaOpera neither = test::makeRecord(QStringLiteral("B"), QStringLiteral("Y"), QStringLiteral("1,00"));
        neither.setText(Campo::Segnala, QString());
        test::makeCatalog(QStringLiteral("Ritratti"),
                          {test::makeRecord(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("1,00"), firstSold),
                           neither});
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdPrimo);
        QCOMPARE(sheet()->chkSegnala->isChecked(), firstSold);
        test::click(sheet()->cmdAvanti);
        QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("B"));
        QCOMPARE(sheet()->chkSegnala->isChecked(), firstSold);
    }

    void saveAppendsThenUpdates()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        const QString path = test::makeCatalog(QStringLiteral("Ritratti"));
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        fillRequired();
        s->chkSegnala->setChecked(true);
        test::click(s->cmdSalva);
        QCOMPARE(fake.texts(), QStringList{kAppended});
        QCOMPARE(fake.last().call, FakeDialogs::Call::Information);
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(sizeOf(path), 2925);
        QVERIFY(QFileInfo::exists(folder.file(QStringLiteral("Pinakos/Ritratti_Foto_1.jpg"))));

        s->txtCapo->setText(QStringLiteral("  Veduta del Canal Grande "));
        test::click(s->cmdSalva);
        QCOMPARE(fake.texts(), (QStringList{kAppended, kUpdated}));
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(sizeOf(path), 2925);
        Archive a(path);
        const TSchedaOpera r = a.read(1);
        QCOMPARE(r.text(Campo::Capo), QStringLiteral("Veduta del Canal Grande"));
        QCOMPARE(r.text(Campo::Colore), QStringLiteral("Canaletto"));
        QCOMPARE(r.venduta(), Venduta::Si);
    }

    void requiredFields_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString noTitle =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo dell'opera.");
        const QString noArtist = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome "
                                                "dell'artista creatore dell'opera.");
        QTest::newRow("nothing: the title first") << "" << "" << noTitle << "txtCapo";
        QTest::newRow("blank title") << "   " << "Canaletto" << noTitle << "txtCapo";
        QTest::newRow("no artist") << "Veduta" << " " << noArtist << "txtColore";
    }
    void requiredFields()
    {
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        test::TempFolder folder;
        FakeDialogs fake;
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        s->txtCapo->setText(title);
        s->txtColore->setText(artist);
        s->txtNote->setFocus();
        test::click(s->cmdSalva);
        QCOMPARE(fake.texts(), QStringList{message});
        QCOMPARE(fake.last().call, FakeDialogs::Call::Warning);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(s->lblPosizione->text(), QString());
        QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral("Ritratti.art"))));
    }

    void duplicate()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        const QString path = threeRecords();
        folder.write(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"), jpegOf(QSize(40, 30), Qt::green));
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();

        test::click(s->cmdDuplica);
        QCOMPARE(fake.texts(),
                 QStringList{QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                                            "che questa è stata inserita in archivio.")});
        QCOMPARE(fake.last().call, FakeDialogs::Call::Warning);
        fake.clear();

        test::click(s->cmdPrimo);
        test::click(s->cmdAvanti);
        QCOMPARE(s->lblFile01->text(), QStringLiteral("contratto.pdf"));
        QVERIFY(s->imgFoto->photo().hasOriginal());
        s->txtNote->setFocus();
        test::click(s->cmdDuplica);
        QCOMPARE(fake.texts(),
                 QStringList{QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r"
                                            "\n\rAl termine premere Salva per inserire la scheda in archivio.")});
        QCOMPARE(fake.last().call, FakeDialogs::Call::Information);
        QCOMPARE(s->txtCapo->text(), QStringLiteral("Secondo"));
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("200,00"));
        QVERIFY(s->chkSegnala->isChecked());
        QCOMPARE(s->lblFile01->text(), QString());
        QCOMPARE(s->lblDesc01->text(), QString());
        QCOMPARE(s->lblPosizione->text(), QString());
        QCOMPARE(s->imgFoto->photo().image(), defaultPicture());
        QCOMPARE(QApplication::focusWidget(), s->txtCapo);
        QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral("Pinakos/Ritratti_Foto_4.jpg"))));

        test::click(s->cmdSalva);
        QCOMPARE(fake.last().text, kAppended);
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("4"));
        QCOMPARE(sizeOf(path), 4 * 2925);
        QCOMPARE(storedField(path, 4, Campo::Capo), QStringLiteral("Secondo"));
        QCOMPARE(storedField(path, 4, Campo::File01), QString());
        const SheetPhoto written = SheetPhoto::fromFile(folder.file(QStringLiteral("Pinakos/Ritratti_Foto_4.jpg")));
        QCOMPARE(written.image().size(), QSize(567, 378));
    }

    void photoReachesItsFileOnlyOnSave()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        test::makeCatalog(QStringLiteral("Arte sacra"));
        const QByteArray chosen = jpegOf(QSize(80, 60), Qt::blue);
        folder.write(QStringLiteral("scelta.jpg"), chosen);
        // Blanks at the ends of the name are dropped, inner ones kept.
        openCatalog(QStringLiteral("Arte sacra"), QStringLiteral(" Arte sacra "));
        TfrmOpere* s = sheet();
        fake.fileAnswers.enqueue(folder.file(QStringLiteral("scelta.jpg")));
        test::click(s->btnCaricaFoto);
        QCOMPARE(s->imgFoto->photo().image().size(), QSize(80, 60));
        const QString photoFile = folder.file(QStringLiteral("Pinakos/Arte sacra_Foto_1.jpg"));
        QVERIFY(!QFileInfo::exists(photoFile));
        fillRequired();
        test::click(s->cmdSalva);
        QCOMPARE(fake.last().text, kAppended);
        // The chosen file's own bytes, not a new encoding.
        QCOMPARE(folder.read(QStringLiteral("Pinakos/Arte sacra_Foto_1.jpg")), chosen);

        // Removing the photo reaches the file only with the next save.
        test::click(s->btnCancFoto);
        QCOMPARE(s->imgFoto->photo().image(), defaultPicture());
        QCOMPARE(folder.read(QStringLiteral("Pinakos/Arte sacra_Foto_1.jpg")), chosen);
        test::click(s->cmdSalva);
        QCOMPARE(SheetPhoto::fromFile(photoFile).image().size(), QSize(567, 378));
    }

    void loadPhotoDialog()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        const SheetPhoto before(QImage(10, 10, QImage::Format_RGB32));
        s->imgFoto->setPhoto(before);
        test::click(s->btnCaricaFoto);   // cancelled
        QCOMPARE(fake.count(FakeDialogs::Call::OpenFile), 1);
        const FileDialogSpec spec = fake.last().spec;
        QCOMPARE(spec.title, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
        QCOMPARE(spec.filters,
                 (QStringList{QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")}));
        QCOMPARE(s->imgFoto->photo().image().size(), QSize(10, 10));

        // A file that is not a picture gives the default picture, silently.
        folder.write(QStringLiteral("finta.jpg"), "non una foto");
        fake.fileAnswers.enqueue(folder.file(QStringLiteral("finta.jpg")));
        test::click(s->btnCaricaFoto);
        QCOMPARE(s->imgFoto->photo().image(), defaultPicture());
        QCOMPARE(fake.calls.size(), 2);
    }

    void savePhotoDialog()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        const QByteArray chosen = jpegOf(QSize(80, 60), Qt::blue);
        folder.write(QStringLiteral("scelta.jpg"), chosen);
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        s->imgFoto->setPhoto(SheetPhoto::fromFile(folder.file(QStringLiteral("scelta.jpg"))));
        fake.fileAnswers.enqueue(folder.file(QStringLiteral("copia.jpg")));
        fake.fileAnswers.enqueue(folder.file(QStringLiteral("senza_estensione")));
        test::click(s->btnSalvaFoto);
        const FileDialogSpec spec = fake.last().spec;
        QCOMPARE(spec.title, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
        QCOMPARE(spec.filters, QStringList{QStringLiteral("File Jpeg (*.jpg)")});
        QCOMPARE(spec.proposedName, QStringLiteral("Foto.jpg"));
        QCOMPARE(spec.defaultSuffix, QStringLiteral("jpg"));
        QVERIFY(spec.confirmOverwrite);
        QCOMPARE(folder.read(QStringLiteral("copia.jpg")), chosen);
        test::click(s->btnSalvaFoto);
        QCOMPARE(folder.read(QStringLiteral("senza_estensione.jpg")), chosen);
        test::click(s->btnSalvaFoto);   // cancelled: nothing more
        QCOMPARE(fake.calls.size(), 3);
    }

    void archiveDeletedWhileOpen()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        const QString path = threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdUltimo);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        QVERIFY(QFile::remove(path));
        test::click(sheet()->cmdPrimo);
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(sizeOf(path), 0);
        QCOMPARE(fake.texts(), QStringList{kEmpty});
    }

    void archiveShortenedWhileShowingRecord3()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        const QString path = threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        test::click(sheet()->cmdUltimo);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        {
            QFile f(path);
            QVERIFY(f.resize(2 * 2925 + 100));
        }
        test::click(sheet()->cmdAvanti);
        QCOMPARE(fake.texts(), QStringList{archiveFailureMessage()});
        QCOMPARE(fake.last().call, FakeDialogs::Call::Error);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        fake.clear();
        test::click(sheet()->cmdSalva);
        QCOMPARE(fake.texts(), QStringList{archiveFailureMessage()});
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(sizeOf(path), 2 * 2925 + 100);
        QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral("Pinakos/Ritratti_Foto_3.jpg"))));
        QVERIFY(archiveFailureMessage().contains(QStringLiteral("archivio.\n\r\n\rAccertarsi")));
    }

    void informationLine()
    {
        test::TempFolder folder;
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        hover(s->btnCancFoto);
        QCOMPARE(s->panInfo->text(), QStringLiteral("Cancella la foto."));
        hover(s->txtCapo);   // text boxes leave it
        QCOMPARE(s->panInfo->text(), QStringLiteral("Cancella la foto."));
        hover(s->imgFoto);
        QCOMPARE(s->panInfo->text(), QString());
        hover(s->chkSegnala);
        QCOMPARE(s->panInfo->text(),
                 QStringLiteral("Spunta questa casella per annotare che l'opera d'arte è stata venduta."));
        // Labels let the pointer through to the background.
        QVERIFY(s->lblPosizione->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(s->lblNome->testAttribute(Qt::WA_TransparentForMouseEvents));
        hover(test::child(s, QStringLiteral("shpSfondo")));
        QCOMPARE(s->panInfo->text(), QString());
    }

    void shownAgainIsEmptied()
    {
        test::TempFolder folder;
        FakeDialogs fake;
        threeRecords();
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        test::click(s->cmdPrimo);
        test::click(s->cmdAvanti);
        s->imgFoto->setPhoto(SheetPhoto(QImage(10, 10, QImage::Format_RGB32)));
        test::click(s->cmdEsci);
        QVERIFY(!s->isVisible());
        QVERIFY(windows().frmAvvio->isVisible());
        moveTo(windows().frmAvvio, s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        for (QLineEdit* box : s->findChildren<QLineEdit*>())
            QCOMPARE(box->text(), box == s->txtPrezzo ? QStringLiteral("0,00") : QString());
        QVERIFY(!s->chkSegnala->isChecked());
        QCOMPARE(s->lblFile01->text(), QString());
        QCOMPARE(s->lblDesc01->text(), QString());
        QCOMPARE(s->lblPosizione->text(), QString());
        QCOMPARE(s->imgFoto->photo().image(), defaultPicture());
        QCOMPARE(QApplication::focusWidget(), s->txtCapo);
    }

    void zoomShowsThePicture()
    {
        test::TempFolder folder;
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        const QImage picture(3720, 1240, QImage::Format_RGB32);
        s->imgFoto->setPhoto(SheetPhoto(picture));
        bool seen = false;
        test::whenModalShown([&](QWidget* w) {
            auto* zoom = qobject_cast<TfrmZoom*>(w);
            QVERIFY(zoom);
            seen = true;
            QCOMPARE(zoom->windowTitle(), QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
            const QSize screen = zoom->screen()->size();
            QCOMPARE(zoom->panContainer->size(), screen - QSize(60, 90));
            QCOMPARE(zoom->imgFoto->size(), screen - QSize(60, 90));
            QCOMPARE(zoom->imgFoto->photo().image().size(), picture.size());
            QCOMPARE(zoom->imgFoto->drawnRect(), fitRect(picture.size(), zoom->imgFoto->rect()));
            test::click(zoom->imgFoto);
        });
        test::click(s->btnZoomFoto);
        QVERIFY(seen);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(s->imgFoto->photo().image().size(), picture.size());
        QCOMPARE(s->imgFoto->drawnRect(), QRect(0, 94, 567, 189));
    }
};

QTEST_MAIN(TestOpere)
#include "test_opere.moc"
