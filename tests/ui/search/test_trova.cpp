// The search window as a person uses it from the sheet window.
#include "Catalogs.h"
#include "Gui.h"
#include "SearchWindows.h"

#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "kit/Highlight.h"
#include "kit/Picture.h"
#include "search/Opere_Disponibili.h"
#include "search/Summary.h"
#include "search/TrovaOpere.h"
#include "sheet/Opere.h"
#include "sheet/Photo.h"
#include "shell/Avvio.h"
#include "store/Archive.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <memory>

using namespace pinakos;
using test::FakeDialogs;
using test::shownLines;
using test::work;

namespace {

TfrmOpere* sheet() { return windows().frmOpere; }

const QString kNotApplicable = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

} // namespace

class TestTrova : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestBed> bed;
    std::unique_ptr<TfrmTrovaOpere> frm;

    // Opens the search window over the sheet as its toolbar command does,
    // but without waiting in a nested loop.
    void openSearch(bool withMark = true)
    {
        frm = std::make_unique<TfrmTrovaOpere>(sheet());
        frm->setSheet(sheet());
        QCOMPARE(frm->lblMemory->text(), QStringLiteral("opere"));
        if (!withMark)
            frm->lblMemory->clear();
        frm->open(); // modal over the sheet, as the toolbar shows it, without a nested loop
        // The sheet may still be finishing its own activation.
        QTRY_COMPARE(QApplication::activeWindow(), frm.get());
    }
    void search(const QList<QPair<QLineEdit*, QString>>& filters = {})
    {
        for (const auto& [box, text] : filters)
            box->setText(text);
        test::click(frm->btnCerca);
    }
    // The catalog most tests use: three works, unsorted, with marks Sì, No
    // and none.
    QList<TSchedaOpera> three()
    {
        TSchedaOpera zeta = work("Zeta veduta", "Canaletto", "1000,00", QStringLiteral("S\u00EC"));
        zeta.setText(Campo::Note, QStringLiteral("Provenienza Venezia"));
        zeta.setText(Campo::Tessuto, QStringLiteral("1740"));
        TSchedaOpera alba = work("Alba sul lago", "Rossi Mario", "200,00", QStringLiteral("No"));
        alba.setText(Campo::Cliente, QStringLiteral("Collezione privata"));
        alba.setText(Campo::File01, QStringLiteral("perizia.pdf"));
        alba.setText(Campo::Desc01, QStringLiteral("Perizia"));
        alba.setText(Campo::Note, QStringLiteral("Provenienza Milano"));
        TSchedaOpera mercato = work("Mercato", "ROSSI Anna", "50,00", QString());
        mercato.setText(Campo::Descrizione, QStringLiteral("Città in festa"));
        return {zeta, alba, mercato};
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { bed = std::make_unique<test::TestBed>(); }
    void cleanup()
    {
        frm.reset();
        sheet()->hide();
        bed.reset();
    }

    void frame();
    void layout_data();
    void layout();
    void textsFitTheirFrames();
    void fonts();
    void tabOrder();
    void highlightOnlyWhileFocused();
    void enterRing_data();
    void enterRing();
    void waitLineAtThePress();

    void noFilterListsEverySortedLine();
    void emptyArchiveCountsZero();
    void missingArchiveCreatedEmpty();
    void filters_data();
    void filters();
    void linesLookAsTheyShould();
    void unreadableArchive();
    void damagedArchiveListsWhatCanBeRead();

    void findInList();
    void findKeySharedAndEmptiedOnShow();
    void enterInFindBoxMovesToTrova();
    void findOnEmptyList();

    void doubleClickOpensTheWork();
    void doubleClickBelowTheLines_data();
    void doubleClickBelowTheLines();
    void soldMarkRule_data();
    void soldMarkRule();
    void equalLinesOpenTheirOwnRecord();
    void changedArchiveFallsBackToRescan();
    void withoutTheMarkNothingIsLoaded();
    void throughTheSheetsToolbar();

    void printHandsOverTheLines();
    void closingEmptiesTheList();
    void filterViewScrollsWithTheWindow();
};

void TestTrova::frame()
{
    openSearch();
    QCOMPARE(frm->windowTitle(), QStringLiteral(" Trova opere d'arte in catalogo"));
    QCOMPARE(frm->size(), QSize(862, 560));
    QVERIFY(!(frm->windowFlags() & Qt::WindowCloseButtonHint));
    // Both views stand in one place of the window, taking turns.
    for (QWidget* panel : {frm->panAvvio, frm->panContainer})
        QCOMPARE(QRect(panel->mapTo(frm.get(), QPoint()), panel->size()), QRect(14, 15, 833, 529));
    QVERIFY(frm->panAvvio->isVisible());
    QVERIFY(!frm->panContainer->isVisible());
    QCOMPARE(QApplication::focusWidget(), frm->txtCapo);
    for (QLineEdit* box : frm->filters())
        QVERIFY(box->text().isEmpty());
    QCOMPARE(frm->lines->rowCount(), 0);
}

void TestTrova::layout_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("place"); // an empty size: sized to its text
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hidden");

    const QString shape = QStringLiteral("pinakos::Shape"), picture = QStringLiteral("pinakos::Picture"),
                  label = QStringLiteral("QLabel"), box = QStringLiteral("QLineEdit"),
                  button = QStringLiteral("QPushButton");
    auto at = [](int x, int y) { return QRect(QPoint(x, y), QSize()); };
    auto row = [](const char* panel, const char* name, const QString& kind, QRect place, const QString& text = {},
                  bool hidden = false) {
        QTest::newRow(name) << QString::fromLatin1(panel) << QString::fromLatin1(name) << kind << place << text
                            << hidden;
    };
    row("panAvvio", "shpSpiega", shape, QRect(8, 8, 817, 78));
    row("panAvvio", "imgSpiega", picture, QRect(18, 16, 58, 55));
    row("panAvvio", "lblRigo04", label, at(88, 18),
        QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da trovare e "
                       "premere il pulsante Cerca."));
    row("panAvvio", "lblRigo05", label, at(88, 38), QStringLiteral("Lasciare in bianco tutti gli altri campi."));
    row("panAvvio", "lblRigo06", label, at(88, 58),
        QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."));
    row("panAvvio", "shpSfondoCampi", shape, QRect(8, 96, 817, 382));
    row("panAvvio", "shpCampi", shape, QRect(24, 112, 97, 349));
    row("panAvvio", "imgTrova01", picture, QRect(32, 120, 81, 105));
    row("panAvvio", "imgTrova02", picture, QRect(32, 234, 81, 105));
    row("panAvvio", "imgTrova03", picture, QRect(32, 348, 81, 105));
    struct Filter
    {
        const char *box, *caption, *text, *highlight;
        int x, y;
    };
    const Filter filters[] = {
        {"txtCapo", "lblCampo01", "Titolo opera:", "effCampo01", 144, 141},
        {"txtDescrizione", "lblCampo02", "Soggetto rappresentato:", "effCampo02", 488, 141},
        {"txtColore", "lblCampo09", "Artista:", "effCampo09", 144, 211},
        {"txtTessuto", "lblCampo10", "Anno realizzazione:", "effCampo10", 488, 211},
        {"txtDifetti", "lblCampo05", "Dimensioni:", "effCampo05", 144, 281},
        {"txtServizio", "lblCampo06", "Supporto:", "effCampo06", 488, 281},
        {"txtCliente", "lblCampo07", "Proprietario attuale:", "effCampo07", 144, 351},
        {"txtCodFisc", "lblCampo08", "Codice fiscale:", "effCampo08", 488, 351},
        {"txtSpecifiche", "lblCampo03", "Luogo conservazione:", "effCampo03", 144, 421},
        {"txtNote", "lblCampo04", "Note:", "effCampo04", 488, 421},
    };
    for (const Filter& f : filters) {
        row("panAvvio", f.box, box, QRect(f.x, f.y, 320, 22));
        row("panAvvio", f.caption, label, at(f.x, f.y - 21), QString::fromUtf8(f.text));
        // Only the box with the focus, txtCapo at the opening, shows its highlight.
        row("panAvvio", f.highlight, QStringLiteral("pinakos::Highlight"), QRect(f.x - 4, f.y - 4, 328, 30), {},
            qstrcmp(f.box, "txtCapo") != 0);
    }
    row("panAvvio", "btnAnnulla", button, QRect(8, 488, 150, 30), QStringLiteral("Chiudi"));
    row("panAvvio", "btnCerca", button, QRect(675, 488, 150, 30), QStringLiteral("Cerca"));
    row("panAvvio", "lblAttendere", label, at(177, 494), QStringLiteral("Ricerca schede in corso. Attendere..."), true);
    row("panAvvio", "lblConta", label, at(644, 494), QStringLiteral("0"), true);
    row("panAvvio", "lblMemory", label, at(537, 493), QStringLiteral("opere"), true);

    test::listViewRows([&](const char* name, const QString& kind, QRect place, const QString& text) {
        row("panContainer", name, kind, place, text);
    });
    row("panContainer", "lblTrovate", label, at(177, 494), QStringLiteral("Il presente elenco contiene 0 schede."));
}

void TestTrova::layout()
{
    QFETCH(QString, panel);
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    QFETCH(bool, hidden);
    openSearch();
    QWidget* w = test::child(frm.get(), name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget()->objectName(), panel);
    test::compareControl(w, kind, place, text);
    QCOMPARE(w->isHidden(), hidden);
}

// Each instruction and caption stands whole inside the frame behind it.
void TestTrova::textsFitTheirFrames()
{
    openSearch();
    const QRect spiega = frm->shpSpiega->geometry();
    for (QLabel* l : {frm->lblRigo04, frm->lblRigo05, frm->lblRigo06})
        QVERIFY2(spiega.contains(l->geometry()), qPrintable(l->objectName()));
    const QRect panel(QPoint(0, 0), frm->panContainer->size());
    for (const char* name : {"lblRigo01", "lblRigo02", "lblRigo03", "lblTrovate"})
        QVERIFY2(panel.contains(test::child(frm->panContainer, QLatin1String(name))->geometry()), name);
    for (QLabel* caption : frm->captions)
        QVERIFY2(caption->width() <= 320, qPrintable(caption->objectName()));
}

void TestTrova::fonts()
{
    openSearch();
    for (QLineEdit* box : frm->filters()) {
        QCOMPARE(box->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(box->font().pixelSize(), 12);
        QVERIFY(box->font().bold());
    }
    for (QLabel* caption : frm->captions) {
        QCOMPARE(caption->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(caption->font().pixelSize(), 12);
    }
    QVERIFY(frm->txtTrova->font().bold());
    QCOMPARE(frm->txtTrova->font().pixelSize(), 12);
}

void TestTrova::tabOrder()
{
    openSearch();
    const QStringList named = {"txtCapo",     "txtDescrizione", "txtColore",  "txtTessuto",    "txtDifetti",
                               "txtServizio", "txtCliente",     "txtCodFisc", "txtSpecifiche", "txtNote",
                               "btnAnnulla",  "btnCerca",       "txtTrova",   "btnTrova",      "lstRecords",
                               "btnStampa",   "btnChiudi"};
    QCOMPARE(test::focusOrder(frm->txtCapo, named), named);
}

void TestTrova::highlightOnlyWhileFocused()
{
    openSearch();
    const auto boxes = frm->filters();
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setFocus(Qt::TabFocusReason);
        for (size_t k = 0; k < boxes.size(); ++k)
            QCOMPARE(frm->highlights[k]->isVisible(), k == i);
    }
    frm->btnCerca->setFocus(Qt::TabFocusReason);
    for (auto* h : frm->highlights)
        QVERIFY(!h->isVisible());
}

void TestTrova::enterRing_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    const char* ring[] = {"txtCapo",     "txtDescrizione", "txtColore",  "txtTessuto",    "txtDifetti",
                          "txtServizio", "txtCliente",     "txtCodFisc", "txtSpecifiche", "txtNote"};
    for (int i = 0; i < 10; ++i)
        QTest::newRow(ring[i]) << QString::fromLatin1(ring[i]) << QString::fromLatin1(ring[(i + 1) % 10]);
}

void TestTrova::enterRing()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    openSearch();
    auto* box = test::child<QLineEdit>(frm.get(), from);
    box->setFocus(Qt::OtherFocusReason);
    box->setText(QStringLiteral("x"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
    QVERIFY(frm->panAvvio->isVisible()); // Enter never searches
}

void TestTrova::waitLineAtThePress()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    openSearch();
    QTest::mousePress(frm->btnCerca, Qt::LeftButton, Qt::NoModifier, frm->btnCerca->rect().center());
    QVERIFY(frm->lblAttendere->isVisible());
    QVERIFY(frm->panAvvio->isVisible());
    QTest::mouseRelease(frm->btnCerca, Qt::LeftButton, Qt::NoModifier, frm->btnCerca->rect().center());
    QVERIFY(frm->panContainer->isVisible());
}

void TestTrova::noFilterListsEverySortedLine()
{
    const QList<TSchedaOpera> records = three();
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), records));
    openSearch();
    search();
    QVERIFY(frm->panContainer->isVisible());
    QVERIFY(!frm->panAvvio->isVisible());
    QCOMPARE(frm->lblConta->text(), QStringLiteral("0"));
    QCOMPARE(shownLines(frm->lstRecords),
             (QStringList{summaryLine(records[1]), summaryLine(records[2]), summaryLine(records[0])}));
    QCOMPARE(frm->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 3 schede."));
    QVERIFY(frm->lblTrovate->width() >= frm->lblTrovate->sizeHint().width()); // shown whole
    QCOMPARE(QApplication::focusWidget(), frm->txtTrova);
}

void TestTrova::emptyArchiveCountsZero()
{
    QVERIFY(test::openCatalog(QStringLiteral("Vuoto"), {}));
    openSearch();
    search({{frm->txtCapo, QStringLiteral("x")}});
    QVERIFY(frm->panContainer->isVisible());
    QCOMPARE(frm->lines->rowCount(), 0);
    QCOMPARE(frm->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 0 schede."));
    QCOMPARE(bed->dialogs.calls.size(), 0);
}

void TestTrova::missingArchiveCreatedEmpty()
{
    QVERIFY(test::openCatalog(QStringLiteral("Sparito"), {}));
    const QString path = programFolder() + QStringLiteral("Sparito.art");
    QVERIFY(QFile::remove(path));
    openSearch();
    search();
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(frm->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene 0 schede."));
}

void TestTrova::filters_data()
{
    QTest::addColumn<QStringList>("boxes"); // box name, text, box name, text ...
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("count");
    QTest::newRow("one filter, two works")
        << QStringList{"txtColore", "rossi"} << QStringList{"Alba sul lago", "Mercato"} << "1";
    QTest::newRow("two filters") << QStringList{"txtColore", "rossi", "txtNote", "milano"}
                                 << QStringList{"Alba sul lago"} << "2";
    QTest::newRow("two filters, each in its own field")
        << QStringList{"txtColore", "rossi", "txtCapo", "canaletto"} << QStringList{} << "2";
    QTest::newRow("only blanks count as empty") << QStringList{"txtCapo", "   ", "txtNote", " provenienza "}
                                                << QStringList{"Alba sul lago", "Zeta veduta"} << "1";
    QTest::newRow("accent in the same case")
        << QStringList{"txtDescrizione", QStringLiteral("CITTà")} << QStringList{"Mercato"} << "1";
    QTest::newRow("accent in another case")
        << QStringList{"txtDescrizione", QStringLiteral("CITTÀ")} << QStringList{} << "1";
    QTest::newRow("year") << QStringList{"txtTessuto", "174"} << QStringList{"Zeta veduta"} << "1";
    QTest::newRow("owner") << QStringList{"txtCliente", "PRIVATA"} << QStringList{"Alba sul lago"} << "1";
}

void TestTrova::filters()
{
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, titles);
    QFETCH(QString, count);
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    openSearch();
    for (int i = 0; i + 1 < boxes.size(); i += 2)
        test::typeKeys(test::child<QLineEdit>(frm.get(), boxes[i]), boxes[i + 1]);
    search();
    QStringList shown;
    for (const QString& line : shownLines(frm->lstRecords))
        shown << line.left(34).trimmed();
    QCOMPARE(shown, titles);
    QCOMPARE(frm->lblConta->text(), count);
    QCOMPARE(frm->lblTrovate->text(), QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(titles.size()));
}

void TestTrova::linesLookAsTheyShould()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    openSearch();
    search();
    QListView* list = frm->lstRecords;
    const QModelIndex first = list->model()->index(0, 0);
    const QFont font = first.data(Qt::FontRole).value<QFont>();
    QCOMPARE(font.family(), QStringLiteral("Courier New"));
    QCOMPARE(font.pixelSize(), 12);
    QCOMPARE(first.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    QCOMPARE(first.data(Qt::SizeHintRole).toSize().width(), 1600);
    QVERIFY(list->uniformItemSizes());
    QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(list->horizontalScrollBar()->maximum() > 0); // a 1600-wide line scrolls sideways
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
}

void TestTrova::unreadableArchive()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    const QString path = programFolder() + QStringLiteral("Ritratti.art");
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    openSearch();
    search();
    QCOMPARE(bed->dialogs.texts(), QStringList{archiveFailureMessage()});
    QCOMPARE(bed->dialogs.last().call, FakeDialogs::Call::Message);
    QVERIFY(frm->panAvvio->isVisible());
    QVERIFY(frm->lblAttendere->isVisible());
    // Cerca can be pressed again once the archive is back.
    QVERIFY(QDir().rmdir(path));
    test::makeCatalog(QStringLiteral("Ritratti"), three());
    search();
    QCOMPARE(frm->lines->rowCount(), 3);
}

void TestTrova::damagedArchiveListsWhatCanBeRead()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    const QString path = programFolder() + QStringLiteral("Ritratti.art");
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    f.write(QByteArray(1000, '\xFF')); // a partial fourth record
    f.close();
    openSearch();
    search();
    QCOMPARE(frm->lines->rowCount(), 3);
    QCOMPARE(bed->dialogs.calls.size(), 0);
}

void TestTrova::findInList()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"),
                              {work("Alfa", "Rossi", "1,00", "No"), work("Beta", "Bianchi", "2,00", "No"),
                               work("Gamma", "Rossi", "3,00", "No"), work("Delta", "Verdi", "4,00", "No")}));
    openSearch();
    search();
    // Alfa, Beta, Delta, Gamma
    QListView* list = frm->lstRecords;
    auto find = [&](const QString& key) {
        frm->txtTrova->setText(key);
        test::click(frm->btnTrova);
        return test::selectedRow(list);
    };
    list->setCurrentIndex(list->model()->index(2, 0));
    QCOMPARE(find(QStringLiteral("ROSSI")), 0); // a new key from the top
    QCOMPARE(find(QStringLiteral("rossi")), 3); // the same key goes on
    QCOMPARE(find(QStringLiteral("rossi")), 0); // and wraps
    QCOMPARE(find(QStringLiteral("neri")), 0); // found nowhere: nothing changes
    QCOMPARE(find(QString()), 0);
    QCOMPARE(find(QStringLiteral("valore")), 0);
    QCOMPARE(find(QStringLiteral("valore")), 1);
    QCOMPARE(bed->dialogs.calls.size(), 0);
}

void TestTrova::findKeySharedAndEmptiedOnShow()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"),
                              {work("Alfa", "Rossi", "1,00", "No"), work("Beta", "Rossi", "2,00", "No"),
                               work("Gamma", "Rossi", "3,00", "No")}));
    openSearch();
    search();
    QListView* list = frm->lstRecords;
    auto findFrom = [](QListView* v, QLineEdit* box, QPushButton* trova, int selected) {
        v->setCurrentIndex(v->model()->index(selected, 0));
        box->setText(QStringLiteral("rossi"));
        test::click(trova);
        return test::selectedRow(v);
    };
    QCOMPARE(findFrom(list, frm->txtTrova, frm->btnTrova, 1), 0); // new key: from the top
    QCOMPARE(findFrom(list, frm->txtTrova, frm->btnTrova, 1), 2); // same key: onward

    // Showing another search window empties the key of every search window.
    {
        TfrmTrovaOpere second(sheet());
        second.setSheet(sheet());
        second.show();
    }
    QCOMPARE(findFrom(list, frm->txtTrova, frm->btnTrova, 1), 0);

    // The unsold window keeps a key of its own, emptied when it is shown.
    TfrmOpere_Disponibili unsold(sheet());
    unsold.setSheet(sheet());
    unsold.show();
    QCOMPARE(findFrom(unsold.lstRecords, unsold.txtTrova, unsold.btnTrova, 1), 0);
    QCOMPARE(findFrom(list, frm->txtTrova, frm->btnTrova, 0), 1);
}

void TestTrova::enterInFindBoxMovesToTrova()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    openSearch();
    search();
    QListView* list = frm->lstRecords;
    list->setCurrentIndex(list->model()->index(2, 0));
    test::typeKeys(frm->txtTrova, QStringLiteral("alba"));
    QTest::keyClick(frm->txtTrova, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), frm->btnTrova);
    QCOMPARE(test::selectedRow(list), 2); // not found yet
    QTest::keyClick(frm->btnTrova, Qt::Key_Return); // Enter again, on the button, presses it
    QCOMPARE(test::selectedRow(list), 0);
}

void TestTrova::findOnEmptyList()
{
    QVERIFY(test::openCatalog(QStringLiteral("Vuoto"), {}));
    openSearch();
    search();
    frm->txtTrova->setText(QStringLiteral("x"));
    test::click(frm->btnTrova);
    QCOMPARE(bed->dialogs.texts(), QStringList{kNotApplicable});
    QCOMPARE(bed->dialogs.last().call, FakeDialogs::Call::Message);
}

void TestTrova::doubleClickOpensTheWork()
{
    const QList<TSchedaOpera> records = three();
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), records));
    bed->folder.write(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"), test::jpegOf(QSize(40, 30), Qt::red));
    sheet()->chkSegnala->setChecked(true);
    openSearch();
    search({{frm->txtCapo, QStringLiteral("alba")}});
    QCOMPARE(frm->lines->rowCount(), 1);
    test::doubleClickLine(frm->lstRecords, 0);
    QVERIFY(!frm->isVisible());
    QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("Alba sul lago"));
    QCOMPARE(sheet()->txtColore->text(), QStringLiteral("Rossi Mario"));
    QCOMPARE(sheet()->txtCliente->text(), QStringLiteral("Collezione privata"));
    QCOMPARE(sheet()->txtNote->text(), QStringLiteral("Provenienza Milano"));
    QCOMPARE(sheet()->txtPrezzo->text(), QStringLiteral("200,00"));
    QVERIFY(!sheet()->chkSegnala->isChecked());
    QCOMPARE(sheet()->lblFile01->text(), QStringLiteral("perizia.pdf"));
    QCOMPARE(sheet()->lblDesc01->text(), QStringLiteral("Perizia"));
    QCOMPARE(sheet()->shownPhoto().size(), QSize(40, 30));
    QCOMPARE(frm->lines->rowCount(), 0); // closing emptied the list
}

// A double-click below the last line acts on the selected line, as one on
// the line itself; with none selected the window just closes.
void TestTrova::doubleClickBelowTheLines_data()
{
    QTest::addColumn<bool>("selected");
    QTest::newRow("a line selected") << true;
    QTest::newRow("nothing selected") << false;
}
void TestTrova::doubleClickBelowTheLines()
{
    QFETCH(bool, selected);
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    openSearch();
    search({{frm->txtCapo, QStringLiteral("alba")}});
    QListView* list = frm->lstRecords;
    if (selected)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(20, list->visualRect(list->model()->index(0, 0)).center().y()));
    const QPoint below(20, list->viewport()->height() - 5);
    QVERIFY(!list->indexAt(below).isValid());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, below);
    QVERIFY(!frm->isVisible());
    QCOMPARE(sheet()->lblPosizione->text(), selected ? QStringLiteral("2") : QString());
    QCOMPARE(sheet()->txtCapo->text(), selected ? QStringLiteral("Alba sul lago") : QString());
}

void TestTrova::soldMarkRule_data()
{
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    QTest::newRow("Sì checks") << QStringLiteral("S\u00EC") << false << true;
    QTest::newRow("No unchecks") << QStringLiteral("No") << true << false;
    QTest::newRow("empty leaves it checked") << QString() << true << true;
    QTest::newRow("empty leaves it unchecked") << QString() << false << false;
    QTest::newRow("other text leaves it") << QStringLiteral("si") << true << true;
}

void TestTrova::soldMarkRule()
{
    QFETCH(QString, mark);
    QFETCH(bool, before);
    QFETCH(bool, after);
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), {work("Unica", "Tiziano", "5,00", mark)}));
    sheet()->chkSegnala->setChecked(before);
    openSearch();
    search();
    test::doubleClickLine(frm->lstRecords, 0);
    QCOMPARE(sheet()->chkSegnala->isChecked(), after);
    QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("1"));
    // No photo: the default picture.
    QCOMPARE(sheet()->shownPhoto().size(), QSize(567, 378));
}

// Equal lines each open their own record: a duplicated sheet, titles that
// differ only after the 34th character, a sold and an unsold work alike.
void TestTrova::equalLinesOpenTheirOwnRecord()
{
    const QString prima = QStringLiteral("Veduta del Canal Grande da Rialto, prima versione");
    const QString seconda = QStringLiteral("Veduta del Canal Grande da Rialto, seconda versione");
    QList<TSchedaOpera> records = {work(prima, "Canaletto", "10,00", "No"), work("Copia", "Anonimo", "1,00", "No"),
                                   work(seconda, "Canaletto", "10,00", "No"),
                                   work("Copia", "Anonimo", "1,00", QStringLiteral("S\u00EC"))};
    QVERIFY(test::openCatalog(QStringLiteral("Doppi"), records));
    QList<int> seen;
    for (int row = 0; row < 4; ++row) {
        openSearch();
        search();
        QCOMPARE(frm->lines->rowCount(), 4);
        const int expected = frm->lines->list().record(row);
        test::doubleClickLine(frm->lstRecords, row);
        QVERIFY(!frm->isVisible());
        QCOMPARE(sheet()->lblPosizione->text(), QString::number(expected));
        QCOMPARE(sheet()->txtCapo->text(), records[expected - 1].text(Campo::Capo));
        seen << expected;
    }
    std::sort(seen.begin(), seen.end());
    QCOMPARE(seen, (QList<int>{1, 2, 3, 4}));
}

void TestTrova::changedArchiveFallsBackToRescan()
{
    QVERIFY(test::openCatalog(
        QStringLiteral("Ritratti"),
        {work("Alfa", "A", "1,00", "No"), work("Beta", "B", "2,00", "No"), work("Gamma", "C", "3,00", "No")}));
    openSearch();
    search({{frm->txtCapo, QStringLiteral("beta")}});
    // Meanwhile another copy of the program moved Beta to the first record.
    test::makeCatalog(
        QStringLiteral("Ritratti"),
        {work("Beta", "B", "2,00", "No"), work("Alfa", "A", "1,00", "No"), work("Gamma", "C", "3,00", "No")});
    test::doubleClickLine(frm->lstRecords, 0);
    QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("1"));
    QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("Beta"));
}

void TestTrova::withoutTheMarkNothingIsLoaded()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    sheet()->txtCapo->setText(QStringLiteral("come prima"));
    openSearch(false);
    search();
    test::doubleClickLine(frm->lstRecords, 0);
    QVERIFY(!frm->isVisible());
    QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("come prima"));
}

// The whole flow from the sheet's toolbar: the window is modal, and a
// double-click brings the work into the sheet and ends it.
void TestTrova::throughTheSheetsToolbar()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    bool seen = false;
    test::whenModalShown([&](QWidget* w) {
        auto* f = qobject_cast<TfrmTrovaOpere*>(w);
        seen = f != nullptr;
        if (f) {
            test::typeKeys(f->txtColore, QStringLiteral("canaletto"));
            test::click(f->btnCerca);
            test::doubleClickLine(f->lstRecords, 0);
        }
        if (w->isVisible())
            w->close();
    });
    test::click(sheet()->cmdTrova);
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("Zeta veduta"));
    QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("1"));
    QVERIFY(sheet()->chkSegnala->isChecked());
}

void TestTrova::printHandsOverTheLines()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    openSearch();
    search();
    test::click(frm->btnStampa);
    QCOMPARE(bed->dialogs.count(FakeDialogs::Call::Print), 1);
    QVERIFY(frm->isVisible());
    QCOMPARE(frm->lines->rowCount(), 3);
}

void TestTrova::closingEmptiesTheList()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), three()));
    openSearch();
    search();
    QCOMPARE(frm->lines->rowCount(), 3);
    test::click(frm->btnChiudi);
    QVERIFY(!frm->isVisible());
    QCOMPARE(frm->lines->rowCount(), 0);
    QVERIFY(frm->lblAttendere->isHidden());
}

// In a client area smaller than the panels the filter view scrolls with the
// window, and a box that takes the focus comes into view.
void TestTrova::filterViewScrollsWithTheWindow()
{
    QVERIFY(test::openCatalog(QStringLiteral("Vuoto"), {}));
    openSearch();
    frm->setFixedSize(862, 400);
    frm->txtNote->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), frm->txtNote);
    QCOMPARE(frm->panAvvio->mapTo(frm.get(), QPoint()), frm->panContainer->mapTo(frm.get(), QPoint()));
    const QRect box(frm->txtNote->mapTo(frm.get(), QPoint(0, 0)), frm->txtNote->size());
    QVERIFY2(QRect(QPoint(0, 0), QSize(862, 400)).contains(box),
             qPrintable(QStringLiteral("%1,%2").arg(box.x()).arg(box.y())));
}

QTEST_MAIN(TestTrova)
#include "test_trova.moc"
