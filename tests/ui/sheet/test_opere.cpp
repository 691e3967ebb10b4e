#include "Catalogs.h"
#include "Gui.h"
#include "SheetWindow.h"
#include "kit/Picture.h"

#include "app/Windows.h"
#include "base/Failure.h"
#include "kit/PhotoView.h"
#include "sheet/DefaultPicture.h"
#include "sheet/Opere.h"
#include "sheet/Zoom.h"
#include "shell/Avvio.h"
#include "store/Archive.h"

#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace pinakos;
using test::FakeDialogs;
using test::fillRequiredFields;
using test::hover;
using test::jpegOf;
using test::kSheetAppended;
using test::kSheetEmptyArchive;
using test::kSheetUpdated;
using test::pixelOf;
using test::showSheetOn;
using test::sizeOf;

namespace {

TfrmOpere* sheet() { return windows().frmOpere; }

// Puts the sheet on record `number` of the open catalog, or on a new sheet
// when it is empty, whatever the boxes then show.
void showNumber(const QString& number)
{
    if (!number.isEmpty())
        sheet()->showRecord(number.toInt(), TSchedaOpera());
}

QString storedField(const QString& path, int n, Campo c)
{
    Archive a(path);
    return a.read(n).text(c);
}

} // namespace

class TestOpere : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestBed> m_bed;

    QString threeRecords()
    {
        TSchedaOpera second =
            test::makeRecord(QStringLiteral("Secondo"), QStringLiteral("Bellini"), QStringLiteral("200,00"), true);
        second.setText(Campo::File01, QStringLiteral("contratto.pdf"));
        second.setText(Campo::Desc01, QStringLiteral("Contratto di vendita"));
        second.setText(Campo::Note, QStringLiteral("città"));
        second.setText(Campo::CodFisc, QStringLiteral("rss-mra 80")); // not as the key filter lets it be typed
        return test::makeCatalog(
            QStringLiteral("Ritratti"),
            {test::makeRecord(QStringLiteral("Primo"), QStringLiteral("Anonimo"), QStringLiteral("100,00")), second,
             test::makeRecord(QStringLiteral("Terzo"), QStringLiteral("Canova"), QStringLiteral("300,00"))});
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { m_bed = std::make_unique<test::TestBed>(); }
    // Each test leaves for the start window, as the user would, so that the
    // next showing of the sheet is a real activation.
    void cleanup()
    {
        const bool left = test::leaveSheet();
        m_bed.reset();
        QVERIFY(left);
    }

    // Every named control: its kind, its place on the panel and its size
    // (an empty size: sized to its text), and whether it is hidden.
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("hidden");
        const QString shape = QStringLiteral("pinakos::Shape");
        const QString picture = QStringLiteral("pinakos::Picture");
        const QString label = QStringLiteral("QLabel");
        auto row = [](const char* name, const QString& kind, QRect place, bool hidden = false) {
            QTest::newRow(name) << QString::fromLatin1(name) << kind << place << hidden;
        };
        auto at = [](int x, int y) { return QRect(QPoint(x, y), QSize()); };
        row("shpContainer", shape, QRect(8, 8, 978, 675));
        row("shpSezione01", shape, QRect(16, 80, 962, 554));
        row("shpSfondo", shape, QRect(24, 88, 946, 538));
        row("shpInfo", shape, QRect(16, 642, 962, 32));
        row("panInfo", label, at(22, 650));
        row("shpNuovo", shape, QRect(16, 16, 172, 57));
        row("cmdNuovo", picture, QRect(24, 26, 37, 39));
        row("cmdDuplica", picture, QRect(64, 26, 37, 39));
        row("cmdSalva", picture, QRect(104, 26, 37, 39));
        row("cmdTrova", picture, QRect(144, 26, 37, 39));
        row("shpStampa", shape, QRect(193, 16, 50, 57));
        row("cmdFile", picture, QRect(200, 28, 37, 39));
        row("shpAnteprima", shape, QRect(248, 16, 162, 57));
        row("cmdStampa", picture, QRect(254, 28, 148, 32));
        row("shpRecord", shape, QRect(415, 16, 312, 57));
        row("cmdPrimo", picture, QRect(425, 26, 37, 39));
        row("cmdIndietro", picture, QRect(467, 26, 37, 39));
        row("lblPosizione", label, QRect(506, 34, 132, 24));
        row("cmdAvanti", picture, QRect(641, 26, 37, 39));
        row("cmdUltimo", picture, QRect(683, 26, 37, 39));
        row("shpSlideShow", shape, QRect(732, 16, 50, 57));
        row("cmdSlideShow", picture, QRect(739, 28, 37, 39));
        row("shpRiepiloghi", shape, QRect(787, 16, 92, 57));
        row("cmdEsporta", picture, QRect(795, 26, 37, 39));
        row("cmdSegnalati", picture, QRect(835, 26, 37, 39));
        row("shpEsci", shape, QRect(884, 16, 94, 57));
        row("cmdGuida", picture, QRect(892, 26, 37, 39));
        row("cmdEsci", picture, QRect(934, 26, 37, 39));
        row("shpFoto", shape, QRect(30, 94, 583, 394));
        row("imgFoto", QStringLiteral("pinakos::PhotoView"), QRect(38, 102, 567, 378));
        row("imgBianco", picture, QRect(38, 102, 567, 378), true);
        row("bkgPulsantiFoto", shape, QRect(30, 494, 324, 56));
        row("btnCaricaFoto", picture, QRect(38, 502, 157, 40));
        row("btnSalvaFoto", picture, QRect(204, 502, 42, 40));
        row("btnCancFoto", picture, QRect(254, 502, 42, 40));
        row("btnZoomFoto", picture, QRect(304, 502, 42, 40));
        row("bkgPrezzo", shape, QRect(362, 494, 251, 56));
        row("lblCampo012", label, at(372, 514));
        row("txtPrezzo", QStringLiteral("QLineEdit"), QRect(464, 512, 141, 24));
        row("bkgSegnala", shape, QRect(512, 556, 101, 34));
        row("icoSegnala", picture, QRect(464, 560, 45, 26));
        row("chkSegnala", QStringLiteral("QCheckBox"), QRect(520, 561, 89, 25));
        row("icoTitolo", picture, QRect(618, 96, 349, 49));
        row("lblNome", label, QRect(624, 106, 332, 24));
        row("lblFile", label, at(916, 648), true);
        row("btnFocus", QStringLiteral("QPushButton"), QRect(536, 648, 25, 20), true);
        row("btnCodFisc", picture, QRect(787, 596, 22, 22));
        for (const char* name : {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"})
            row(name, label, QRect(), true);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, place);
        QFETCH(bool, hidden);
        QWidget* w = test::child(sheet(), name);
        QVERIFY(w);
        QVERIFY2(w->inherits(qPrintable(kind)), w->metaObject()->className());
        QCOMPARE(w->parentWidget(), sheet()->panContainer);
        if (place.isValid() || !place.topLeft().isNull()) // QRect(): no place to check
            test::comparePlace(w, place);
        QCOMPARE(w->isHidden(), hidden);
        // Image buttons react to a click, with the hand cursor.
        const bool button = name.startsWith(QLatin1String("cmd")) || name.startsWith(QLatin1String("btn"));
        if (auto* p = qobject_cast<Picture*>(w)) {
            QCOMPARE(p->isClickable(), button);
            QCOMPARE(p->cursor().shape(), button ? Qt::PointingHandCursor : Qt::ArrowCursor);
        }
    }

    void window()
    {
        TfrmOpere fresh;
        QCOMPARE(fresh.windowTitle(), QStringLiteral(" Pinakos - Inventario opere d'arte"));
        QCOMPARE(fresh.size(), QSize(1016, 713));
        QVERIFY(fresh.property("showMaximised").toBool());
        QCOMPARE(fresh.panContainer->size(), QSize(996, 692));
        QCOMPARE(fresh.panContainer->pos(), QPoint(10, 10));
        QCOMPARE(fresh.panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QCOMPARE(fresh.lblNome->text(), QStringLiteral("Nome catalogo opere d'arte"));
        QCOMPARE(fresh.txtPrezzo->text(), QStringLiteral("0,00"));
        QCOMPARE(fresh.imgFoto->photo().image(), defaultPicture());
        QCOMPARE(defaultPicture().size(), QSize(567, 378));
        QCOMPARE(fresh.chkSegnala->text(), QStringLiteral("Venduta"));
        QCOMPARE(fresh.chkSegnala->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(fresh.txtPrezzo->alignment() & Qt::AlignRight);
    }

    // The fifteen boxes in tab order: typing limit, caption, where Enter and
    // Tab lead.
    void fields_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("captionText");
        QTest::addColumn<QString>("enter");
        QTest::addColumn<QString>("tab");
        auto row = [](const char* name, int limit, const char* caption, const char* text, const char* enter,
                      const char* tab) {
            QTest::newRow(name) << QString::fromLatin1(name) << limit << QString::fromLatin1(caption)
                                << QString::fromUtf8(text) << QString::fromLatin1(enter) << QString::fromLatin1(tab);
        };
        row("txtCapo", 50, "lblCampo001", "Titolo opera:", "txtDescrizione", "txtDescrizione");
        row("txtDescrizione", 120, "lblCampo002", "Soggetto rappresentato:", "txtColore", "txtColore");
        row("txtColore", 50, "lblCampo003", "Artista:", "txtTessuto", "txtTessuto");
        row("txtTessuto", 50, "lblCampo013", "Anno realizzazione:", "txtMisure", "txtMisure");
        row("txtMisure", 50, "lblCampo004", "Nazione:", "txtPeso", "txtPeso");
        row("txtPeso", 50, "lblCampo014", "Tecnica utilizzata:", "txtUsura", "txtUsura");
        row("txtUsura", 50, "lblCampo005", "Corrente artistica:", "txtDifetti", "txtDifetti");
        row("txtDifetti", 250, "lblCampo006", "Dimensioni:", "txtServizio", "txtServizio");
        row("txtServizio", 120, "lblCampo007", "Supporto:", "txtSpecifiche", "txtSpecifiche");
        row("txtSpecifiche", 250, "lblCampo008", "Luogo conservazione:", "txtCliente", "txtCliente");
        row("txtCliente", 50, "lblCampo009", "Proprietario attuale:", "txtCodFisc", "txtCodFisc");
        row("txtCodFisc", 16, "lblCampo011", "Codice fiscale:", "txtRecapito", "txtRecapito");
        row("txtRecapito", 30, "lblCampo015", "Tel. preferenziale:", "txtNote", "txtNote");
        row("txtNote", 250, "lblCampo010", "Note:", "txtPrezzo", "chkSegnala");
        row("txtPrezzo", 15, "lblCampo012", "Valore: €", "txtCapo", "txtCapo");
    }
    void fields()
    {
        QFETCH(QString, name);
        QFETCH(int, limit);
        QFETCH(QString, caption);
        QFETCH(QString, captionText);
        QFETCH(QString, enter);
        QFETCH(QString, tab);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        auto* box = test::child<QLineEdit>(sheet(), name);
        QVERIFY(box);
        QCOMPARE(box->maxLength(), limit);
        const bool price = box == sheet()->txtPrezzo;
        QCOMPARE(box->font().pixelSize(), price ? 14 : 12);
        QVERIFY(box->font().bold());
        QCOMPARE(box->height(), price ? 24 : 22);

        auto* label = test::child<QLabel>(sheet(), caption);
        QVERIFY(label);
        QCOMPARE(label->text(), captionText);
        QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
        if (!price)
            QCOMPARE(test::placeOnPanel(label).topLeft(), test::placeOnPanel(box).topLeft() - QPoint(0, 18));

        // Enter moves along the chain and changes nothing in the box.
        box->setFocus();
        const QString before = box->text();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), enter);
        QCOMPARE(box->text(), before);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Enter); // the keypad's
        QCOMPARE(QApplication::focusWidget()->objectName(), enter);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), tab);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void tabFromTheCheckBox()
    {
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        sheet()->chkSegnala->setFocus();
        QTest::keyClick(sheet()->chkSegnala, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), sheet()->txtPrezzo);
        QTest::keyClick(sheet()->txtPrezzo, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), sheet()->chkSegnala);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void keyFilters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("price: digits and comma") << "txtPrezzo"
                                                 << "12,5"
                                                 << "12,5";
        QTest::newRow("price: full stop and minus ignored") << "txtPrezzo"
                                                            << "-1.2a3"
                                                            << "123";
        QTest::newRow("fiscal code: capitals") << "txtCodFisc"
                                               << "abc1"
                                               << "ABC1";
        QTest::newRow("fiscal code: accent, blank, hyphen ignored") << "txtCodFisc"
                                                                    << "aé b-1"
                                                                    << "AB1";
        QTest::newRow("other boxes take anything") << "txtNote"
                                                   << "a-b. é"
                                                   << "a-b. é";
    }
    void keyFilters()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        auto* box = test::child<QLineEdit>(sheet(), name);
        box->setFocus();
        box->clear();
        test::typeKeys(box, typed);
        QCOMPARE(box->text(), shown);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void fiscalCodeKeepsTheCursor()
    {
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        QLineEdit* box = sheet()->txtCodFisc;
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("ab"));
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClicks(box, QStringLiteral("x"));
        QCOMPARE(box->text(), QStringLiteral("AXB"));
        QCOMPARE(box->cursorPosition(), 2);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("AB"));
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void highlightColours()
    {
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
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
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void priceNormalisedOnLeaving()
    {
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
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
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void priceTypedAndSavedAtOnce()
    {
        const QString path = test::makeCatalog(QStringLiteral("Ritratti"));
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        fillRequiredFields();
        s->txtPrezzo->setFocus();
        s->txtPrezzo->clear();
        QTest::keyClicks(s->txtPrezzo, QStringLiteral("12"));
        QVERIFY(s->txtPrezzo->hasFocus());
        test::click(s->cmdSalva);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kSheetAppended});
        // The box was left for the focus sink, its highlight gone.
        QVERIFY(!s->txtPrezzo->hasFocus());
        QCOMPARE(pixelOf(s->txtPrezzo, QPoint(4, s->txtPrezzo->height() / 2)), QColor(Qt::white));
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("12,00"));
        QCOMPARE(storedField(path, 1, Campo::Prezzo), QStringLiteral("12,00"));
    }

    void emptyArchive_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("first") << "cmdPrimo"
                               << ""
                               << "";
        QTest::newRow("previous keeps the number") << "cmdIndietro"
                                                   << "2"
                                                   << "2";
        QTest::newRow("next empties the number") << "cmdAvanti"
                                                 << "2"
                                                 << "";
        QTest::newRow("last") << "cmdUltimo"
                              << ""
                              << "";
    }
    void emptyArchive()
    {
        QFETCH(QString, command);
        QFETCH(QString, before);
        QFETCH(QString, after);
        test::makeCatalog(QStringLiteral("Ritratti"));
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        showNumber(before);
        sheet()->txtCapo->setText(QStringLiteral("in corso"));
        test::click(test::child(sheet(), command));
        QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::Information), 1);
        QCOMPARE(m_bed->dialogs.last().text, kSheetEmptyArchive);
        QCOMPARE(sheet()->lblPosizione->text(), after);
        QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("in corso"));
    }

    void navigation_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("title"); // empty: the sheet is left as it was
        QTest::newRow("first") << "cmdPrimo"
                               << "3"
                               << "1"
                               << "Primo";
        QTest::newRow("last") << "cmdUltimo"
                              << "1"
                              << "3"
                              << "Terzo";
        QTest::newRow("previous on 2") << "cmdIndietro"
                                       << "2"
                                       << "1"
                                       << "Primo";
        QTest::newRow("next on 1") << "cmdAvanti"
                                   << "1"
                                   << "2"
                                   << "Secondo";
        QTest::newRow("previous on 1 does nothing") << "cmdIndietro"
                                                    << "1"
                                                    << "1"
                                                    << "";
        QTest::newRow("next on 3 does nothing") << "cmdAvanti"
                                                << "3"
                                                << "3"
                                                << "";
        QTest::newRow("previous from a new sheet") << "cmdIndietro"
                                                   << ""
                                                   << "1"
                                                   << "Primo";
        QTest::newRow("next from a new sheet") << "cmdAvanti"
                                               << ""
                                               << "1"
                                               << "Primo";
    }
    void navigation()
    {
        QFETCH(QString, command);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, title);
        threeRecords();
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        showNumber(before);
        sheet()->txtCapo->setText(QStringLiteral("in corso"));
        test::click(test::child(sheet(), command));
        QCOMPARE(m_bed->dialogs.calls.size(), 0);
        QCOMPARE(sheet()->lblPosizione->text(), after);
        QCOMPARE(sheet()->txtCapo->text(), title.isEmpty() ? QStringLiteral("in corso") : title);
    }

    void recordDisplayShowsEveryValue()
    {
        threeRecords();
        const QByteArray photo = jpegOf(QSize(40, 30), Qt::green);
        m_bed->folder.write(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"), photo);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
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
        QCOMPARE(s->txtCodFisc->text(), QStringLiteral("rss-mra 80"));
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("200,00"));
        QVERIFY(s->chkSegnala->isChecked());
        QCOMPARE(s->lblFile01->text(), QStringLiteral("contratto.pdf"));
        QCOMPARE(s->lblDesc01->text(), QStringLiteral("Contratto di vendita"));
        QCOMPARE(s->imgFoto->photo().original(), photo);
        QCOMPARE(m_bed->dialogs.calls.size(), 0);
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
        TSchedaOpera neither = test::makeRecord(QStringLiteral("B"), QStringLiteral("Y"), QStringLiteral("1,00"));
        neither.setText(Campo::Segnala, QString());
        test::makeCatalog(
            QStringLiteral("Ritratti"),
            {test::makeRecord(QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("1,00"), firstSold), neither});
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        test::click(sheet()->cmdPrimo);
        QCOMPARE(sheet()->chkSegnala->isChecked(), firstSold);
        test::click(sheet()->cmdAvanti);
        QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("B"));
        QCOMPARE(sheet()->chkSegnala->isChecked(), firstSold);
    }

    void saveAppendsThenUpdates()
    {
        const QString path = test::makeCatalog(QStringLiteral("Ritratti"));
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        fillRequiredFields();
        s->chkSegnala->setChecked(true);
        test::click(s->cmdSalva);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kSheetAppended});
        QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Information);
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("1"));
        QCOMPARE(sizeOf(path), 2925);
        QVERIFY(QFileInfo::exists(m_bed->folder.file(QStringLiteral("Pinakos/Ritratti_Foto_1.jpg"))));

        s->txtCapo->setText(QStringLiteral("  Veduta del Canal Grande "));
        test::click(s->cmdSalva);
        QCOMPARE(m_bed->dialogs.texts(), (QStringList{kSheetAppended, kSheetUpdated}));
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
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        const QString noTitle =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo dell'opera.");
        const QString noArtist = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome "
                                                "dell'artista creatore dell'opera.");
        const QString noValue =
            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il valore dell'opera.");
        QTest::newRow("nothing: the title first") << ""
                                                  << ""
                                                  << "" << noTitle << "txtCapo";
        QTest::newRow("blank title") << "   "
                                     << "Canaletto"
                                     << "1,00" << noTitle << "txtCapo";
        QTest::newRow("no artist, no value") << "Veduta"
                                             << " "
                                             << "" << noArtist << "txtColore";
        // A value left empty by another window, not by typing.
        QTest::newRow("no value") << "Veduta"
                                  << "Canaletto"
                                  << " " << noValue << "txtPrezzo";
    }
    void requiredFields()
    {
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(QString, price);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        s->txtCapo->setText(title);
        s->txtColore->setText(artist);
        s->txtNote->setFocus();
        s->txtPrezzo->setText(price);
        test::click(s->cmdSalva);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{message});
        QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Warning);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(s->lblPosizione->text(), QString());
        QVERIFY(!QFileInfo::exists(m_bed->folder.file(QStringLiteral("Ritratti.art"))));
    }

    void duplicate()
    {
        const QString path = threeRecords();
        m_bed->folder.write(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"), jpegOf(QSize(40, 30), Qt::green));
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();

        test::click(s->cmdDuplica);
        QCOMPARE(m_bed->dialogs.texts(),
                 QStringList{QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                                            "che questa è stata inserita in archivio.")});
        QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Warning);
        m_bed->dialogs.clear();

        test::click(s->cmdPrimo);
        test::click(s->cmdAvanti);
        QCOMPARE(s->lblFile01->text(), QStringLiteral("contratto.pdf"));
        QVERIFY(s->imgFoto->photo().hasOriginal());
        s->txtNote->setFocus();
        test::click(s->cmdDuplica);
        QCOMPARE(m_bed->dialogs.texts(),
                 QStringList{QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r"
                                            "\n\rAl termine premere Salva per inserire la scheda in archivio.")});
        QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Information);
        QCOMPARE(s->txtCapo->text(), QStringLiteral("Secondo"));
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("200,00"));
        QVERIFY(s->chkSegnala->isChecked());
        QCOMPARE(s->lblFile01->text(), QString());
        QCOMPARE(s->lblDesc01->text(), QString());
        QCOMPARE(s->lblPosizione->text(), QString());
        QCOMPARE(s->imgFoto->photo().image(), defaultPicture());
        QCOMPARE(QApplication::focusWidget(), s->txtCapo);
        QVERIFY(!QFileInfo::exists(m_bed->folder.file(QStringLiteral("Pinakos/Ritratti_Foto_4.jpg"))));

        test::click(s->cmdSalva);
        QCOMPARE(m_bed->dialogs.last().text, kSheetAppended);
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("4"));
        QCOMPARE(sizeOf(path), 4 * 2925);
        QCOMPARE(storedField(path, 4, Campo::Capo), QStringLiteral("Secondo"));
        QCOMPARE(storedField(path, 4, Campo::File01), QString());
        const SheetPhoto written =
            SheetPhoto::fromFile(m_bed->folder.file(QStringLiteral("Pinakos/Ritratti_Foto_4.jpg")));
        QCOMPARE(written.image().size(), QSize(567, 378));
    }

    // The sheet's command keys, pressed with the focus in a text box (which
    // would take Ctrl+Home and Ctrl+End itself): each runs its command.
    void commandKeys_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("shownAfter"); // the record number shown after the key
        QTest::newRow("PageDown: next") << QKeyCombination(Qt::Key_PageDown) << QStringLiteral("3");
        QTest::newRow("PageUp: previous") << QKeyCombination(Qt::Key_PageUp) << QStringLiteral("1");
        QTest::newRow("Ctrl+End: last") << QKeyCombination(Qt::ControlModifier, Qt::Key_End) << QStringLiteral("3");
        QTest::newRow("Ctrl+Home: first") << QKeyCombination(Qt::ControlModifier, Qt::Key_Home) << QStringLiteral("1");
        QTest::newRow("Ctrl+N: new sheet") << QKeyCombination(Qt::ControlModifier, Qt::Key_N) << QString();
    }
    void commandKeys()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, shownAfter);
        threeRecords();
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        test::click(s->cmdPrimo);
        test::click(s->cmdAvanti);
        s->txtNote->setFocus();
        s->txtNote->setCursorPosition(2);
        QTest::keyClick(s->txtNote, key.key(), key.keyboardModifiers());
        QCOMPARE(s->lblPosizione->text(), shownAfter);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    // Ctrl+S saves a filled new sheet with the button's own messages; Ctrl+D
    // duplicates with the price in the box normalised first, as if left.
    void saveAndDuplicateKeys()
    {
        const QString path = test::makeCatalog(QStringLiteral("Ritratti"));
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        fillRequiredFields();
        s->txtPrezzo->setFocus();
        s->txtPrezzo->setText(QStringLiteral("7"));
        QTest::keyClick(s->txtPrezzo, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kSheetAppended});
        QCOMPARE(storedField(path, 1, Campo::Prezzo), QStringLiteral("7,00"));
        m_bed->dialogs.clear();
        s->txtPrezzo->setFocus();
        s->txtPrezzo->setText(QStringLiteral("12,5"));
        QTest::keyClick(s->txtPrezzo, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(s->txtPrezzo->text(), QStringLiteral("12,50"));
        QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Information);
        QCOMPARE(s->lblPosizione->text(), QString());
        QCOMPARE(s->cmdSalva->toolTip(), QStringLiteral("Salva la scheda (Ctrl+S)"));
    }

    // A box whose text runs past its edge shows it whole as its tooltip; one
    // whose text fits has none.
    void cutBoxShowsItsTextAsTip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cut");
        QTest::newRow("short") << QStringLiteral("Olio su tela") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("long") << QStringLiteral("Olio su tela, firmato in basso a destra e datato 1887, "
                                                "con cornice dorata coeva e cartiglio sul retro")
                              << true;
    }
    void cutBoxShowsItsTextAsTip()
    {
        QFETCH(QString, text);
        QFETCH(bool, cut);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        for (QLineEdit* box : {sheet()->txtDescrizione, sheet()->txtNote}) {
            box->setText(text);
            QCOMPARE(box->toolTip(), cut ? text : QString());
        }
    }

    // A large photo is decoded only at the size the sheet draws it, whether
    // the sheet moves onto its record or the photo button brings it in; the
    // photo keeps its full size and its bytes for the enlarged view, the
    // printout and the save.
    void photoDecodedAtTheDrawnSize_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("moving onto the record") << false;
        QTest::newRow("photo button") << true;
    }
    void photoDecodedAtTheDrawnSize()
    {
        QFETCH(bool, byButton);
        const QString path = threeRecords();
        const QByteArray large = jpegOf(QSize(2400, 1600), Qt::darkYellow);
        m_bed->folder.write(byButton ? QStringLiteral("grande.jpg") : QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"),
                            large);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        test::click(s->cmdPrimo);
        test::click(s->cmdAvanti);
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("2"));
        if (byButton) {
            m_bed->dialogs.fileAnswers.enqueue(m_bed->folder.file(QStringLiteral("grande.jpg")));
            test::click(s->btnCaricaFoto);
        }
        const SheetPhoto& shown = s->imgFoto->photo();
        QCOMPARE(shown.image().size(), QSize(567, 378));
        QCOMPARE(shown.size(), QSize(2400, 1600));
        QCOMPARE(shown.original(), large);
        QCOMPARE(shown.imageFor(QSize(1200, 800)).size(), QSize(1200, 800));
        if (byButton) {
            test::click(s->cmdSalva);
            QCOMPARE(m_bed->folder.read(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg")), large);
        }
        Q_UNUSED(path);
    }

    void photoReachesItsFileOnlyOnSave()
    {
        test::makeCatalog(QStringLiteral("Arte sacra"));
        const QByteArray chosen = jpegOf(QSize(80, 60), Qt::blue);
        m_bed->folder.write(QStringLiteral("scelta.jpg"), chosen);
        // Blanks at the ends of the name are dropped, inner ones kept.
        QVERIFY(showSheetOn(test::catalogFile(QStringLiteral("Arte sacra")), QStringLiteral(" Arte sacra ")));
        TfrmOpere* s = sheet();
        m_bed->dialogs.fileAnswers.enqueue(m_bed->folder.file(QStringLiteral("scelta.jpg")));
        test::click(s->btnCaricaFoto);
        QCOMPARE(s->imgFoto->photo().image().size(), QSize(80, 60));
        const QString photoFile = m_bed->folder.file(QStringLiteral("Pinakos/Arte sacra_Foto_1.jpg"));
        QVERIFY(!QFileInfo::exists(photoFile));
        fillRequiredFields();
        test::click(s->cmdSalva);
        QCOMPARE(m_bed->dialogs.last().text, kSheetAppended);
        // The chosen file's own bytes, not a new encoding.
        QCOMPARE(m_bed->folder.read(QStringLiteral("Pinakos/Arte sacra_Foto_1.jpg")), chosen);

        // Removing the photo reaches the file only with the next save.
        test::click(s->btnCancFoto);
        QCOMPARE(s->imgFoto->photo().image(), defaultPicture());
        QCOMPARE(m_bed->folder.read(QStringLiteral("Pinakos/Arte sacra_Foto_1.jpg")), chosen);
        test::click(s->cmdSalva);
        QCOMPARE(SheetPhoto::fromFile(photoFile).image().size(), QSize(567, 378));
    }

    void loadPhotoDialog()
    {
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        const SheetPhoto before(QImage(10, 10, QImage::Format_RGB32));
        s->imgFoto->setPhoto(before);
        test::click(s->btnCaricaFoto); // cancelled
        QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::OpenFile), 1);
        const FileDialogRequest request = m_bed->dialogs.last().request;
        QCOMPARE(request.title, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
        QCOMPARE(
            request.filters,
            (QStringList{QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")}));
        QCOMPARE(s->imgFoto->photo().image().size(), QSize(10, 10));

        // A file that is not a picture gives the default picture, silently.
        m_bed->folder.write(QStringLiteral("finta.jpg"), "non una foto");
        m_bed->dialogs.fileAnswers.enqueue(m_bed->folder.file(QStringLiteral("finta.jpg")));
        test::click(s->btnCaricaFoto);
        QCOMPARE(s->imgFoto->photo().image(), defaultPicture());
        QCOMPARE(m_bed->dialogs.calls.size(), 2);
    }

    void savePhotoDialog()
    {
        const QByteArray chosen = jpegOf(QSize(80, 60), Qt::blue);
        m_bed->folder.write(QStringLiteral("scelta.jpg"), chosen);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        s->imgFoto->setPhoto(SheetPhoto::fromFile(m_bed->folder.file(QStringLiteral("scelta.jpg"))));
        m_bed->dialogs.fileAnswers.enqueue(m_bed->folder.file(QStringLiteral("copia.jpg")));
        m_bed->dialogs.fileAnswers.enqueue(m_bed->folder.file(QStringLiteral("senza_estensione")));
        test::click(s->btnSalvaFoto);
        const FileDialogRequest request = m_bed->dialogs.last().request;
        QCOMPARE(request.title, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
        QCOMPARE(request.filters, QStringList{QStringLiteral("File Jpeg (*.jpg)")});
        QCOMPARE(request.proposedName, QStringLiteral("Foto.jpg"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("jpg"));
        QVERIFY(request.confirmOverwrite);
        QCOMPARE(m_bed->folder.read(QStringLiteral("copia.jpg")), chosen);
        test::click(s->btnSalvaFoto);
        QCOMPARE(m_bed->folder.read(QStringLiteral("senza_estensione.jpg")), chosen);
        test::click(s->btnSalvaFoto); // cancelled: nothing more
        QCOMPARE(m_bed->dialogs.calls.size(), 3);
    }

    void savePhotoWritesTheDefaultPicture()
    {
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        m_bed->dialogs.fileAnswers.enqueue(m_bed->folder.file(QStringLiteral("Foto.jpg")));
        test::click(sheet()->btnSalvaFoto);
        const QByteArray written = m_bed->folder.read(QStringLiteral("Foto.jpg"));
        QVERIFY(written.startsWith("\xFF\xD8\xFF"));
        QCOMPARE(SheetPhoto::fromBytes(written).image().size(), QSize(567, 378));
    }

    void photoButtonFailureIsReported()
    {
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        m_bed->dialogs.onCall = [](const FakeDialogs::Record& r) {
            if (r.call == FakeDialogs::Call::OpenFile)
                throw Failure(QStringLiteral("disco non pronto"));
        };
        test::click(sheet()->btnCaricaFoto);
        QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Error);
        QCOMPARE(m_bed->dialogs.last().text, QStringLiteral("disco non pronto"));
        QVERIFY(sheet()->isVisible());
    }

    void duplicateFailureIsAnArchiveFailure()
    {
        threeRecords();
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        test::click(sheet()->cmdUltimo);
        bool thrown = false;
        m_bed->dialogs.onCall = [&](const FakeDialogs::Record& r) {
            if (r.call == FakeDialogs::Call::Information && !thrown) {
                thrown = true;
                throw std::runtime_error("finestra non disponibile");
            }
        };
        test::click(sheet()->cmdDuplica);
        QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Error);
        QCOMPARE(m_bed->dialogs.last().text, archiveFailureMessage());
        QCOMPARE(sheet()->lblPosizione->text(), QString());
    }

    void archiveDeletedWhileOpen()
    {
        const QString path = threeRecords();
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        test::click(sheet()->cmdUltimo);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        QVERIFY(QFile::remove(path));
        test::click(sheet()->cmdPrimo);
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(sizeOf(path), 0);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kSheetEmptyArchive});
    }

    void archiveShortenedWhileShowingRecord3()
    {
        const QString path = threeRecords();
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        test::click(sheet()->cmdUltimo);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        {
            QFile f(path);
            QVERIFY(f.resize(2 * 2925 + 100));
        }
        test::click(sheet()->cmdAvanti);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{archiveFailureMessage()});
        QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Error);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        m_bed->dialogs.clear();
        test::click(sheet()->cmdSalva);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{archiveFailureMessage()});
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(sizeOf(path), 2 * 2925 + 100);
        QVERIFY(!QFileInfo::exists(m_bed->folder.file(QStringLiteral("Pinakos/Ritratti_Foto_3.jpg"))));
        QVERIFY(archiveFailureMessage().contains(QStringLiteral("archivio.\n\r\n\rAccertarsi")));
    }

    // What the pointer over each control puts in the information line
    // (empty: the background, which empties it; "prima": what it said before).
    void informationLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        auto row = [](const char* name, const char* hint) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(hint);
        };
        row("cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda.");
        row("cmdDuplica", "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.");
        row("cmdSalva", "Salva la scheda in archivio.");
        row("cmdTrova", "Trova una scheda in archivio.");
        row("cmdFile", "Allega file alla scheda.");
        row("cmdStampa", "Stampa la scheda.");
        row("cmdPrimo", "Visualizza la prima scheda in archivio.");
        row("cmdIndietro", "Visualizza la scheda precedente in archivio.");
        row("cmdAvanti", "Visualizza la scheda successiva in archivio.");
        row("cmdUltimo", "Visualizza l'ultima scheda in archivio.");
        row("cmdSlideShow", "Avvia lo slide show delle immagini in archivio.");
        row("cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel.");
        row("cmdSegnalati", "Visualizza il riepilogo delle opere d'arte non vendute.");
        row("cmdGuida", "Visualizza la pagina della guida sensibile al contesto.");
        row("cmdEsci", "Esci da questa schermata di lavoro.");
        row("btnCaricaFoto", "Carica una foto esistente.");
        row("btnSalvaFoto", "Salva la foto su disco.");
        row("btnCancFoto", "Cancella la foto.");
        row("btnZoomFoto", "Visualizza la foto nelle sue dimensioni reali.");
        row("btnCodFisc", "Controlla il codice fiscale.");
        row("chkSegnala", "Spunta questa casella per annotare che l'opera d'arte è stata venduta.");
        for (const char* name : {"panContainer", "shpContainer", "shpNuovo", "shpStampa", "shpAnteprima", "shpRecord",
                                 "shpSlideShow", "shpRiepiloghi", "shpEsci", "shpSezione01", "shpSfondo", "shpFoto",
                                 "imgFoto", "bkgPulsantiFoto", "bkgPrezzo", "icoTitolo", "bkgSegnala", "icoSegnala"})
            row(name, "");
        // The text boxes and the information strip leave the line as it was.
        row("txtNote", "prima");
        row("txtPrezzo", "prima");
        row("shpInfo", "prima");
    }
    void informationLine()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        TfrmOpere* s = sheet();
        QWidget* w = name == QLatin1String("panContainer") ? s->panContainer : test::child(s, name);
        QVERIFY(w);
        s->panInfo->setText(QStringLiteral("prima"));
        hover(w);
        QCOMPARE(s->panInfo->text(), hint);
        // Text boxes leave the line as it is.
        hover(s->txtCapo);
        QCOMPARE(s->panInfo->text(), hint);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void informationLineOverLabels()
    {
        // Shown with the pointer elsewhere, the line says the sheet is ready.
        const QPoint pointer = QCursor::pos();
        QCursor::setPos(-500, -500);
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
        QCursor::setPos(pointer);
        TfrmOpere* s = sheet();
        QCOMPARE(s->panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        // Labels let the pointer through to the background.
        for (QLabel* l : s->panContainer->findChildren<QLabel*>())
            QVERIFY2(l->isHidden() || l->testAttribute(Qt::WA_TransparentForMouseEvents), qPrintable(l->objectName()));
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void shownAgainIsEmptied()
    {
        threeRecords();
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
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
        QVERIFY(showSheetOn(QStringLiteral("Ritratti")));
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
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }
};

QTEST_MAIN(TestOpere)
#include "test_opere.moc"
