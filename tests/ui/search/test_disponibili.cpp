// The unsold works window as a person uses it from the sheet window.
#include "Catalogs.h"
#include "Gui.h"
#include "SearchWindows.h"

#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "kit/Picture.h"
#include "search/Opere_Disponibili.h"
#include "search/Summary.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

using namespace pinakos;
using test::FakeDialogs;
using test::shownLines;

namespace {

// A work at 1,00 with its sold mark.
TSchedaOpera work(const QString& title, const QString& artist, const QString& mark)
{
    return test::work(title, artist, QStringLiteral("1,00"), mark);
}

TfrmOpere* sheet() { return windows().frmOpere; }

const QString kSold = QStringLiteral("S\u00EC");

} // namespace

class TestDisponibili : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestBed> bed;
    std::unique_ptr<TfrmOpere_Disponibili> frm;

    void openUnsold()
    {
        frm = std::make_unique<TfrmOpere_Disponibili>(sheet());
        frm->setSheet(sheet());
        frm->open(); // modal over the sheet, as the toolbar shows it, without a nested loop
        // The sheet may still be finishing its own activation.
        QTRY_COMPARE(QApplication::activeWindow(), frm.get());
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
    void tabOrder();

    void listsOnlyTheUnsold();
    void allSoldGivesAnEmptyList();
    void unreadableArchiveSaysNothing();
    void enterInFindBoxMovesToTrova();
    void doubleClickOpensTheWork();
    void equalLinesOpenTheirOwnRecord();
    void throughTheSheetsToolbar();
    void printHandsOverTheLines();
};

void TestDisponibili::frame()
{
    QVERIFY(test::openCatalog(QStringLiteral("Vuoto"), {}));
    openUnsold();
    QCOMPARE(frm->windowTitle(), QStringLiteral(" Riepilogo opere d'arte non vendute"));
    QCOMPARE(frm->size(), QSize(862, 560));
    QCOMPARE(frm->panContainer->geometry(), QRect(14, 15, 833, 529));
    QVERIFY(frm->panContainer->isVisible());
    QCOMPARE(QApplication::focusWidget(), frm->txtTrova);
    // No count of lines in this window.
    QVERIFY(!frm->findChild<QWidget*>(QStringLiteral("lblTrovate")));
}

void TestDisponibili::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");
    test::listViewRows([](const char* name, const QString& kind, QRect place, const QString& text) {
        QTest::newRow(name) << QString::fromLatin1(name) << kind << place << text;
    });
}

void TestDisponibili::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    QVERIFY(test::openCatalog(QStringLiteral("Vuoto"), {}));
    openUnsold();
    QWidget* w = test::child(frm.get(), name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget(), frm->panContainer);
    test::compareControl(w, kind, place, text);
    QVERIFY(w->isVisible());
}

void TestDisponibili::tabOrder()
{
    QVERIFY(test::openCatalog(QStringLiteral("Vuoto"), {}));
    openUnsold();
    const QStringList named = {"txtTrova", "lstRecords", "btnStampa", "btnTrova", "btnChiudi"};
    QCOMPARE(test::focusOrder(frm->txtTrova, named), named);
}

void TestDisponibili::listsOnlyTheUnsold()
{
    // A length byte past the slot's two bytes, as another program may leave
    // it: the mark is read within the slot, "No".
    TSchedaOpera blanks = work("Lunghezza", "E", "No");
    blanks.bytes()[size_t(slotOf(Campo::Segnala).offset)] = 9;
    const QList<TSchedaOpera> records = {
        work("Zeta", "A", "No"), work("Venduta", "B", kSold),  work("Senza segno", "C", QString()),
        work("alfa", "D", "No"), work("Minuscolo", "F", "no"), blanks};
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), records));
    openUnsold();
    QCOMPARE(shownLines(frm->lstRecords),
             (QStringList{summaryLine(records[3]), summaryLine(records[5]), summaryLine(records[0])}));
    const QModelIndex first = frm->lstRecords->model()->index(0, 0);
    QCOMPARE(first.data(Qt::FontRole).value<QFont>().family(), QStringLiteral("Courier New"));
    QCOMPARE(first.data(Qt::SizeHintRole).toSize().width(), 1600);
    QCOMPARE(frm->lstRecords->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // The whole line, value included, as its tooltip.
    QCOMPARE(first.data(Qt::ToolTipRole).toString(), summaryLine(records[3]));

    // Ctrl+F from the list goes to the find box.
    frm->lstRecords->setFocus();
    QTest::keyClick(frm->lstRecords, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), frm->txtTrova);

    // Find in list works as in the search window.
    frm->txtTrova->setText(QStringLiteral("ZETA"));
    test::click(frm->btnTrova);
    QCOMPARE(test::selectedRow(frm->lstRecords), 2);
    QCOMPARE(bed->dialogs.calls.size(), 0);
}

void TestDisponibili::allSoldGivesAnEmptyList()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), {work("Uno", "A", kSold), work("Due", "B", kSold)}));
    openUnsold();
    QCOMPARE(frm->lines->rowCount(), 0);
    frm->txtTrova->setText(QStringLiteral("uno"));
    test::click(frm->btnTrova);
    QCOMPARE(bed->dialogs.texts(),
             QStringList{QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.")});
    QCOMPARE(bed->dialogs.last().call, FakeDialogs::Call::Message);
}

void TestDisponibili::unreadableArchiveSaysNothing()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), {}));
    const QString path = programFolder() + QStringLiteral("Ritratti.art");
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    openUnsold();
    QVERIFY(frm->isVisible());
    QCOMPARE(frm->lines->rowCount(), 0);
    QCOMPARE(bed->dialogs.calls.size(), 0);
}

void TestDisponibili::enterInFindBoxMovesToTrova()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), {work("Alfa", "A", "No"), work("Beta", "B", "No")}));
    openUnsold();
    frm->lstRecords->setCurrentIndex(frm->lstRecords->model()->index(0, 0));
    test::typeKeys(frm->txtTrova, QStringLiteral("beta"));
    QTest::keyClick(frm->txtTrova, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), frm->btnTrova);
    QCOMPARE(test::selectedRow(frm->lstRecords), 0);
}

void TestDisponibili::doubleClickOpensTheWork()
{
    TSchedaOpera beta = work("Beta", "Bellini", "No");
    beta.setText(Campo::File02, QStringLiteral("contratto.pdf"));
    beta.setText(Campo::Desc02, QStringLiteral("Contratto"));
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), {work("Alfa", "A", kSold), beta}));
    bed->folder.write(QStringLiteral("Pinakos/Ritratti_Foto_2.jpg"), test::jpegOf(QSize(30, 20), Qt::blue));
    sheet()->chkSegnala->setChecked(true);
    openUnsold();
    QCOMPARE(frm->lines->rowCount(), 1);
    test::doubleClickLine(frm->lstRecords, 0);
    QVERIFY(!frm->isVisible());
    QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("Beta"));
    QCOMPARE(sheet()->txtColore->text(), QStringLiteral("Bellini"));
    QVERIFY(!sheet()->chkSegnala->isChecked());
    QCOMPARE(sheet()->lblFile02->text(), QStringLiteral("contratto.pdf"));
    QCOMPARE(sheet()->lblDesc02->text(), QStringLiteral("Contratto"));
    QCOMPARE(sheet()->shownPhoto().size(), QSize(30, 20));
}

// Two unsold works alike, and a sold one alike too that stands later in the
// archive: each line opens its own unsold record.
void TestDisponibili::equalLinesOpenTheirOwnRecord()
{
    QVERIFY(test::openCatalog(QStringLiteral("Doppi"),
                              {work("Copia", "A", "No"), work("Copia", "A", "No"), work("Copia", "A", kSold)}));
    QList<int> seen;
    for (int row = 0; row < 2; ++row) {
        openUnsold();
        QCOMPARE(frm->lines->rowCount(), 2);
        test::doubleClickLine(frm->lstRecords, row);
        seen << sheet()->lblPosizione->text().toInt();
        QVERIFY(!sheet()->chkSegnala->isChecked());
    }
    std::sort(seen.begin(), seen.end());
    QCOMPARE(seen, (QList<int>{1, 2}));
}

void TestDisponibili::throughTheSheetsToolbar()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), {work("Alfa", "A", kSold), work("Beta", "B", "No")}));
    bool seen = false;
    test::whenModalShown([&](QWidget* w) {
        auto* f = qobject_cast<TfrmOpere_Disponibili*>(w);
        seen = f != nullptr;
        if (f)
            test::doubleClickLine(f->lstRecords, 0);
        if (w->isVisible())
            w->close();
    });
    test::click(sheet()->cmdSegnalati);
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("Beta"));
    QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("2"));
}

void TestDisponibili::printHandsOverTheLines()
{
    QVERIFY(test::openCatalog(QStringLiteral("Ritratti"), {work("Alfa", "A", "No")}));
    openUnsold();
    test::click(frm->btnStampa);
    QCOMPARE(bed->dialogs.count(FakeDialogs::Call::Print), 1);
    QVERIFY(frm->isVisible());
}

QTEST_MAIN(TestDisponibili)
#include "test_disponibili.moc"
