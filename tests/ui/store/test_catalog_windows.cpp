#include "Catalogs.h"
#include "Gui.h"
#include "ReadOnlyTree.h"
#include "kit/Picture.h"

#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "shell/Guida.h"
#include "store/ApriCatalogo.h"
#include "store/CreaCatalogo.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <memory>

#ifndef Q_OS_WIN
#endif

using namespace pinakos;
using namespace pinakos::test;
using Call = FakeDialogs::Call;

namespace {

const QString kEmptyName =
    QStringLiteral("Attenzione: per creare l'archivio è necessario indicare il nome del nuovo catalogo.");
const QString kDuplicate =
    QStringLiteral("Attenzione: il nome del catalogo indicato è già stato utilizzato in precedenza.\r\n\r\n"
                   "Inserire un nome diverso oppure, se si desidera aprire un catalogo già creato, premere il pulsante "
                   "Apri catalogo esistente.");
const QString kInvalid = QStringLiteral("Attenzione: il nome del catalogo contiene caratteri non ammessi o non è "
                                        "valido come nome di file.\r\n\r\nInserire un nome diverso.");
const QString kCreated =
    QStringLiteral("Il file di archivio relativo al nuovo catalogo è stato creato con successo.\r\n\r\n"
                   "E' ora possibile visualizzarlo nell'elenco dei cataloghi esistenti.");
const QString kEmptyList = QStringLiteral("Attenzione: l'elenco non contiene nessun catalogo.");
const QString kSelectOpen =
    QStringLiteral("Attenzione: selezionare il catalogo dall'elenco prima di premere il pulsante Apri archivio.");
const QString kSelectDelete = QStringLiteral(
    "Attenzione: selezionare dall'elenco il catalogo da eliminare prima di premere il pulsante del cestino.");
const QString kConfirmDelete = QStringLiteral("Si sta per eliminare il catalogo selezionato. Si ricorda che il file "
                                              "eliminato non potrà essere recuperato.\r\n\r\n"
                                              "Si conferma l'eliminazione dell'archivio?");
const QString kDeleted = QStringLiteral("Il catalogo è stato eliminato con successo.");
const QString kDeleteRefused = QStringLiteral("Attenzione: non è stato possibile eliminare il catalogo selezionato.");

} // namespace

class TestCatalogWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBed> m_bed;

    TfrmAvvio* avvio() { return windows().frmAvvio; }
    TfrmCreaCatalogo* crea() { return windows().frmCreaCatalogo; }
    TfrmApriCatalogo* apri() { return windows().frmApriCatalogo; }
    TfrmOpere* opere() { return windows().frmOpere; }

    void hideAll()
    {
        for (QWidget* w : {static_cast<QWidget*>(avvio()), static_cast<QWidget*>(crea()), static_cast<QWidget*>(apri()),
                           static_cast<QWidget*>(opere())})
            w->hide();
    }
    // The way the start window opens them.
    void openCrea() { moveTo(avvio(), crea()); }
    void openApri() { moveTo(avvio(), apri()); }

    static void layoutColumns()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("hand");
    }
    // The control of the current row: its kind, place on the panel, artwork and cursor.
    static void checkControl(QWidget* window)
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, place);
        QFETCH(QString, picture);
        QFETCH(bool, hand);
        QWidget* c = child(window, name);
        QVERIFY(c);
        QCOMPARE(QString::fromLatin1(c->metaObject()->className()), kind);
        QCOMPARE(placeOnPanel(c), place);
        if (auto* p = qobject_cast<Picture*>(c)) {
            QCOMPARE(p->resource(), QStringLiteral(":/art/%1.svg").arg(picture));
            QVERIFY(QFileInfo::exists(p->resource()));
            QCOMPARE(p->isClickable(), hand);
        }
        QCOMPARE(c->cursor().shape() == Qt::PointingHandCursor, hand);
    }

    void typeName(const QString& text) { typeKeys(crea()->txtFile, text); }
    QStringList folderEntries() const { return m_bed->folder.entries(); }
    void applica() { click(crea()->btnApplica); }

    void select(const QString& line)
    {
        const QList<QListWidgetItem*> found = apri()->lstFiles->findItems(line, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QListWidget* l = apri()->lstFiles;
        QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, l->visualItemRect(found.first()).center());
        QCOMPARE(l->selectedItems().value(0), found.first());
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init()
    {
        m_bed = std::make_unique<TestBed>();
        hideAll();
        moveTo(nullptr, avvio());
    }
    void cleanup()
    {
        hideAll();
        m_bed.reset();
    }

    // ------------------------------------------------------------ creation

    void creaFrame()
    {
        QCOMPARE(crea()->windowTitle(), QStringLiteral(" Pinakos - Creazione catalogo opere d'arte"));
        QVERIFY(crea()->property("showMaximised").toBool());
        crea()->resize(1016, 713);
        QCOMPARE(crea()->panContainer->size(), QSize(995, 692));
        QCOMPARE(crea()->panContainer->pos(), QPoint(10, 10)); // centred
        QCOMPARE(crea()->txtFile->maxLength(), 250);
        QCOMPARE(crea()->txtFile->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(crea()->txtFile->font().pixelSize(), 16);
        QVERIFY(crea()->txtFile->font().bold());
        QVERIFY(child<QLabel>(crea(), QStringLiteral("lblFile"))->isHidden());
    }

    void creaLayout_data()
    {
        layoutColumns();
        QTest::newRow("icoIstruzioni") << "icoIstruzioni"
                                       << "pinakos::Picture" << QRect(198, 20, 669, 113) << "crea_istruzioni" << false;
        QTest::newRow("imgGuida") << "imgGuida"
                                  << "pinakos::Picture" << QRect(946, 152, 29, 28) << "guida" << true;
        QTest::newRow("icoMano") << "icoMano"
                                 << "pinakos::Picture" << QRect(580, 150, 30, 58) << "mano" << false;
        QTest::newRow("bkgFile") << "bkgFile"
                                 << "pinakos::Shape" << QRect(204, 220, 768, 58) << "" << false;
        QTest::newRow("txtFile") << "txtFile"
                                 << "QLineEdit" << QRect(216, 232, 744, 34) << "" << false;
        QTest::newRow("btnAnnulla") << "btnAnnulla"
                                    << "pinakos::Picture" << QRect(540, 588, 193, 58) << "btn_annulla" << true;
        QTest::newRow("btnApplica") << "btnApplica"
                                    << "pinakos::Picture" << QRect(752, 588, 193, 58) << "btn_applica" << true;
    }
    void creaLayout() { checkControl(crea()); }

    void createsTrimmedNameAndReturnsToStart_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("file");
        QTest::newRow("blanks around") << "  Paesaggi  "
                                       << "Paesaggi.art";
        QTest::newRow("dot kept") << "Arte.moderna"
                                  << "Arte.moderna.art";
        QTest::newRow("accents") << QStringLiteral("Città d'arte") << QStringLiteral("Città d'arte.art");
    }
    void createsTrimmedNameAndReturnsToStart()
    {
        QFETCH(QString, typed);
        QFETCH(QString, file);
        openCrea();
        QVERIFY(crea()->isVisible());
        QVERIFY(!avvio()->isVisible());
        typeName(typed);
        applica();
        QCOMPARE(folderEntries(), QStringList{file});
        QCOMPARE(QFileInfo(programFolder() + file).size(), 0);
        QCOMPARE(crea()->lblFile->text(), programFolder() + file);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kCreated});
        QCOMPARE(m_bed->dialogs.last().call, Call::Information);
        QVERIFY(!crea()->isVisible());
        QVERIFY(avvio()->isVisible());
    }

    void showingAgainGivesEmptyBoxWithFocus()
    {
        openCrea();
        typeName(QStringLiteral("Bozza"));
        click(crea()->btnAnnulla);
        QVERIFY(!crea()->isVisible());
        QVERIFY(avvio()->isVisible());
        QVERIFY(folderEntries().isEmpty());
        openCrea();
        QCOMPARE(crea()->txtFile->text(), QString());
        QCOMPARE(crea()->focusWidget(), crea()->txtFile);
    }

    void nameBoxHighlight()
    {
        // Yellow while the box has the focus, alice blue otherwise; sky-blue border.
        openCrea();
        QLineEdit* box = crea()->txtFile;
        crea()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(crea()));
        const auto colourAt = [box](int x, int y) { return pixelOf(box, QPoint(x, y)); };
        const int x = box->width() - 6, y = box->height() / 2;
        QVERIFY(box->hasFocus());
        QCOMPARE(colourAt(x, y), QColor(0xFF, 0xFF, 0x00));
        QCOMPARE(colourAt(0, y), QColor(0x87, 0xCE, 0xEB));
        crea()->btnApplica->setFocus();
        QVERIFY(!box->hasFocus());
        QCOMPARE(colourAt(x, y), QColor(0xF0, 0xF8, 0xFF));
        QCOMPARE(colourAt(0, y), QColor(0x87, 0xCE, 0xEB));
    }

    void filteredCharactersDoNothing_data()
    {
        QTest::addColumn<QChar>("c");
        for (QChar c : QStringLiteral("\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1"))
            QTest::newRow(qPrintable(QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')))) << c;
    }
    void filteredCharactersDoNothing()
    {
        QFETCH(QChar, c);
        openCrea();
        typeName(QStringLiteral("ab"));
        QTest::keyClick(crea()->txtFile, Qt::Key_Left);
        typeKeys(crea()->txtFile, QString(c));
        QCOMPARE(crea()->txtFile->text(), QStringLiteral("ab"));
        QCOMPARE(crea()->txtFile->cursorPosition(), 1);
    }

    void otherCharactersAndKeysPass()
    {
        openCrea();
        typeName(QStringLiteral("bc|\u00E8"));
        QTest::keyClick(crea()->txtFile, Qt::Key_Home);
        typeName(QStringLiteral("a"));
        QCOMPARE(crea()->txtFile->text(), QStringLiteral("abc|\u00E8"));
    }

    void verticalBarRefused()
    {
        openCrea();
        typeName(QStringLiteral("Arte|Sacra"));
        QCOMPARE(crea()->txtFile->text(), QStringLiteral("Arte|Sacra"));
        applica();
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kInvalid});
        QCOMPARE(m_bed->dialogs.last().call, Call::Warning);
        QVERIFY(folderEntries().isEmpty());
        QVERIFY(crea()->isVisible());
        QCOMPARE(crea()->txtFile->text(), QStringLiteral("Arte|Sacra"));
    }

    void pastedPathOrDeviceNameRefused_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("up a folder") << "../Fuori";
        QTest::newRow("sub-folder") << "sotto/Dentro";
        QTest::newRow("backslash") << "sotto\\Dentro";
        QTest::newRow("device") << "CON";
        QTest::newRow("trailing dot") << "Arte.";
    }
    void pastedPathOrDeviceNameRefused()
    {
        QFETCH(QString, pasted);
        openCrea();
        QGuiApplication::clipboard()->setText(pasted);
        crea()->txtFile->paste(); // pasted text is not filtered
        QCOMPARE(crea()->txtFile->text(), pasted);
        applica();
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kInvalid});
        QVERIFY(folderEntries().isEmpty());
        // Nor anywhere the name points to (the folder above, a sub-folder).
        QVERIFY(!QFileInfo::exists(programFolder() + pasted + QStringLiteral(".art")));
        QVERIFY(!QFileInfo::exists(programFolder() + QString(pasted).replace(u'\\', u'/') + QStringLiteral(".art")));
        QVERIFY(crea()->isVisible());
    }

    void duplicateLeavesExistingUntouched_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("same") << "Paesaggi";
        QTest::newRow("other case") << "PAESAGGI";
        QTest::newRow("blanks and lower case") << " paesaggi ";
    }
    void duplicateLeavesExistingUntouched()
    {
        QFETCH(QString, typed);
        makeCatalog(QStringLiteral("Paesaggi"), {makeRecord("Tramonto", "Io", "10,00")});
        const QByteArray before = m_bed->folder.read(QStringLiteral("Paesaggi.art"));
        openCrea();
        typeName(typed);
        applica();
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kDuplicate});
        QCOMPARE(m_bed->dialogs.last().call, Call::Warning);
        QCOMPARE(folderEntries(), QStringList{"Paesaggi.art"});
        QCOMPARE(m_bed->folder.read(QStringLiteral("Paesaggi.art")), before);
        QVERIFY(crea()->isVisible());
        QCOMPARE(crea()->txtFile->text(), typed);
    }

    void emptyNameWarnsAndKeepsFocus()
    {
        openCrea();
        typeName(QStringLiteral("   "));
        crea()->btnApplica->setFocus();
        applica();
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kEmptyName});
        QCOMPARE(m_bed->dialogs.last().call, Call::Warning);
        QCOMPARE(crea()->focusWidget(), crea()->txtFile);
        QVERIFY(folderEntries().isEmpty());
        QVERIFY(crea()->isVisible());
    }

    void enterCreatesNothing()
    {
        openCrea();
        typeName(QStringLiteral("Paesaggi"));
        QTest::keyClick(crea()->txtFile, Qt::Key_Return);
        QVERIFY(folderEntries().isEmpty());
        QVERIFY(m_bed->dialogs.calls.isEmpty());
        QVERIFY(crea()->isVisible());
    }

    void creationFailureShowsReasonAndStays()
    {
        // A program folder that has gone away: the file system refuses the file.
        const QString gone = m_bed->folder.path() + QStringLiteral("sparita");
        setProgramFolder(gone);
        openCrea();
        typeName(QStringLiteral("Paesaggi"));
        applica();
        QCOMPARE(m_bed->dialogs.calls.size(), 1);
        QCOMPARE(m_bed->dialogs.last().call, Call::Error);
        QVERIFY(m_bed->dialogs.last().text.startsWith(QStringLiteral("Attenzione: non è stato possibile creare")));
        QVERIFY(crea()->isVisible());
        QVERIFY(!avvio()->isVisible());
        QVERIFY(!QFileInfo::exists(gone));
    }

    void titleBarCloseReturnsToStart()
    {
        openCrea();
        typeName(QStringLiteral("Paesaggi"));
        QVERIFY(crea()->close());
        QVERIFY(!crea()->isVisible());
        QVERIFY(avvio()->isVisible());
        QVERIFY(folderEntries().isEmpty());
    }

    void creaHelpShowsSheetTopic()
    {
        openCrea();
        QString title;
        whenModalShown([&](QWidget* m) {
            if (auto* g = qobject_cast<TfrmGuida*>(m))
                title = g->lblTitolo->text();
            m->close();
        });
        click(crea()->imgGuida);
        QCOMPARE(title, sheetTopic().title);
        QVERIFY(crea()->isVisible());
    }

    // ------------------------------------------------------------ opening

    void apriFrame()
    {
        QCOMPARE(apri()->windowTitle(), QStringLiteral(" Pinakos - Apertura catalogo opere d'arte"));
        QVERIFY(apri()->property("showMaximised").toBool());
        apri()->resize(1016, 713);
        QCOMPARE(apri()->panContainer->size(), QSize(995, 692));
        QCOMPARE(apri()->panContainer->pos(), QPoint(10, 10)); // centred
        QCOMPARE(apri()->lstFiles->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!apri()->lstFiles->isSortingEnabled());
        QVERIFY(child<QLabel>(apri(), QStringLiteral("lblFile"))->isHidden());
        QVERIFY(child<QLabel>(apri(), QStringLiteral("lblMemory"))->isHidden());
        QLabel* count = child<QLabel>(apri(), QStringLiteral("lblCreati"));
        QCOMPARE(placeOnPanel(count).topLeft(), QPoint(24, 537));
        QCOMPARE(count->text(), QStringLiteral("Sono stati creati 0 cataloghi di opere d'arte."));
        QCOMPARE(count->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(count->font().pixelSize(), 12);
        QCOMPARE(count->palette().color(QPalette::WindowText), QColor(0x00, 0x80, 0x00));
    }

    void apriLayout_data()
    {
        layoutColumns();
        QTest::newRow("icoIstruzioni") << "icoIstruzioni"
                                       << "pinakos::Picture" << QRect(168, 22, 623, 101) << "apri_istruzioni" << false;
        QTest::newRow("btnElimina") << "btnElimina"
                                    << "pinakos::Picture" << QRect(24, 156, 46, 45) << "cestino" << true;
        QTest::newRow("icoMano") << "icoMano"
                                 << "pinakos::Picture" << QRect(490, 148, 30, 58) << "mano" << false;
        QTest::newRow("imgGuida") << "imgGuida"
                                  << "pinakos::Picture" << QRect(946, 156, 29, 28) << "guida" << true;
        QTest::newRow("lstFiles") << "lstFiles"
                                  << "QListWidget" << QRect(34, 224, 926, 298) << "" << false;
        QTest::newRow("btnAnnulla") << "btnAnnulla"
                                    << "pinakos::Picture" << QRect(44, 594, 193, 58) << "btn_annulla" << true;
        QTest::newRow("btnApri") << "btnApri"
                                 << "pinakos::Picture" << QRect(758, 594, 193, 58) << "btn_apri_archivio" << true;
    }
    void apriLayout() { checkControl(apri()); }

    void listsArchivesInOrder()
    {
        makeCatalog(QStringLiteral("Zeta"));
        makeCatalog(QStringLiteral("alfa"));
        m_bed->folder.write(QStringLiteral("Beta.ART"), QByteArray());
        m_bed->folder.write(QStringLiteral("leggimi.txt"), "x");
        m_bed->folder.write(QStringLiteral("sotto/Dentro.art"), QByteArray());
        QVERIFY(QDir().mkpath(m_bed->folder.file(QStringLiteral("x.art"))));
        openApri();
        QListWidget* l = apri()->lstFiles;
        QCOMPARE(lines(l), QStringList({"alfa.art", "Beta.ART", "Zeta.art"}));
        QCOMPARE(apri()->lblCreati->text(), QStringLiteral("Sono stati creati 3 cataloghi di opere d'arte."));
        QVERIFY(l->selectedItems().isEmpty());
        QCOMPARE(apri()->lblMemory->text(), QStringLiteral("avvio"));
        const QListWidgetItem* item = l->item(0);
        QCOMPARE(item->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(item->font().pixelSize(), 14);
        QCOMPARE(item->foreground().color(), QColor(Qt::black));
    }

    void newCatalogListedWhenShownAgain()
    {
        openApri();
        QCOMPARE(apri()->lstFiles->count(), 0);
        QCOMPARE(apri()->lblCreati->text(), QStringLiteral("Sono stati creati 0 cataloghi di opere d'arte."));
        click(apri()->btnAnnulla);
        QVERIFY(avvio()->isVisible());
        openCrea();
        typeName(QStringLiteral("Nuovo"));
        applica();
        openApri();
        QCOMPARE(lines(apri()->lstFiles), QStringList{"Nuovo.art"});
    }

    void emptyListWarns()
    {
        openApri();
        click(apri()->btnApri);
        click(apri()->btnElimina);
        QCOMPARE(m_bed->dialogs.texts(), QStringList({kEmptyList, kEmptyList}));
        QCOMPARE(m_bed->dialogs.count(Call::Warning), 2);
        QVERIFY(apri()->isVisible());
    }

    void noSelectionWarns()
    {
        makeCatalog(QStringLiteral("Uno"));
        openApri();
        click(apri()->btnApri);
        click(apri()->btnElimina);
        QCOMPARE(m_bed->dialogs.texts(), QStringList({kSelectOpen, kSelectDelete}));
        QCOMPARE(m_bed->dialogs.count(Call::Warning), 2);
        QVERIFY(apri()->isVisible());
        QVERIFY(QFileInfo::exists(m_bed->folder.file(QStringLiteral("Uno.art"))));
    }

    void openingHandsCatalogToSheet()
    {
        makeCatalog(QStringLiteral("Zeta"));
        m_bed->folder.write(QStringLiteral("Beta.ART"), QByteArray());
        opere()->showRecord(7, makeRecord("Tramonto", "Io", "10,00")); // left from an earlier catalog
        openApri();
        select(QStringLiteral("Beta.ART"));
        click(apri()->btnApri);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
        QCOMPARE(opere()->lblFile->text(), programFolder() + QStringLiteral("Beta.ART"));
        QCOMPARE(opere()->lblNome->text(), QStringLiteral("Beta"));
        QCOMPARE(opere()->lblPosizione->text(), QString()); // a new sheet
        QCOMPARE(opere()->txtCapo->text(), QString());
        QVERIFY(opere()->isVisible());
        QVERIFY(!apri()->isVisible());
        QVERIFY(!avvio()->isVisible());
    }

    void doubleClickOpensNothing()
    {
        makeCatalog(QStringLiteral("Uno"), {makeRecord("Tramonto", "Io", "10,00")});
        const QByteArray before = m_bed->folder.read(QStringLiteral("Uno.art"));
        opere()->openCatalog(QStringLiteral("prima"), QStringLiteral("Prima"));
        openApri();
        QListWidget* l = apri()->lstFiles;
        const QPoint at = l->visualItemRect(l->item(0)).center();
        // Through the window, as the system delivers it: press, release, press, release.
        QTest::mouseDClick(apri()->windowHandle(), Qt::LeftButton, Qt::NoModifier, l->viewport()->mapTo(apri(), at));
        QTest::keyClick(l, Qt::Key_Return);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
        QVERIFY(apri()->isVisible());
        QVERIFY(!opere()->isVisible());
        QCOMPARE(opere()->lblFile->text(), QStringLiteral("prima"));
        QCOMPARE(lines(l), QStringList{"Uno.art"});
        QVERIFY(!l->viewport()->findChild<QLineEdit*>()); // no line editor either
        QCOMPARE(m_bed->folder.read(QStringLiteral("Uno.art")), before);
    }

    void closingWithSelectionReturnsToStart()
    {
        makeCatalog(QStringLiteral("Uno"));
        opere()->openCatalog(QStringLiteral("prima"), QStringLiteral("Prima"));
        openApri();
        select(QStringLiteral("Uno.art"));
        QVERIFY(apri()->close());
        QVERIFY(avvio()->isVisible());
        QVERIFY(!opere()->isVisible());
        QCOMPARE(opere()->lblFile->text(), QStringLiteral("prima"));

        openApri();
        QVERIFY(apri()->lstFiles->selectedItems().isEmpty());
        select(QStringLiteral("Uno.art"));
        click(apri()->btnAnnulla);
        QVERIFY(avvio()->isVisible());
        QVERIFY(!opere()->isVisible());
    }

    void deletionAnswered_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void deletionAnswered()
    {
        QFETCH(bool, yes);
        makeCatalog(QStringLiteral("Uno"));
        makeCatalog(QStringLiteral("Due"));
        m_bed->folder.write(QStringLiteral("Pinakos/Uno_Foto_1.jpg"), "foto");
        openApri();
        select(QStringLiteral("Uno.art"));
        m_bed->dialogs.confirmAnswers.enqueue(yes);
        click(apri()->btnElimina);
        QVERIFY(apri()->isVisible());
        QVERIFY(QFileInfo::exists(m_bed->folder.file(QStringLiteral("Pinakos/Uno_Foto_1.jpg"))));
        if (yes) {
            QCOMPARE(m_bed->dialogs.texts(), QStringList({kConfirmDelete, kDeleted}));
            QCOMPARE(m_bed->dialogs.last().call, Call::Information);
            QVERIFY(!QFileInfo::exists(m_bed->folder.file(QStringLiteral("Uno.art"))));
            QCOMPARE(lines(apri()->lstFiles), QStringList{"Due.art"});
            QCOMPARE(apri()->lblCreati->text(), QStringLiteral("Sono stati creati 1 cataloghi di opere d'arte."));
            QVERIFY(apri()->lstFiles->selectedItems().isEmpty());
            QCOMPARE(apri()->lblFile->text(), QString());
        } else {
            QCOMPARE(m_bed->dialogs.texts(), QStringList{kConfirmDelete});
            QVERIFY(QFileInfo::exists(m_bed->folder.file(QStringLiteral("Uno.art"))));
            QCOMPARE(lines(apri()->lstFiles), QStringList({"Due.art", "Uno.art"}));
            QCOMPARE(apri()->lstFiles->selectedItems().value(0)->text(), QStringLiteral("Uno.art"));
        }
    }

    void deletingLastLeavesZero()
    {
        makeCatalog(QStringLiteral("Solo"));
        openApri();
        select(QStringLiteral("Solo.art"));
        m_bed->dialogs.confirmAnswers.enqueue(true);
        click(apri()->btnElimina);
        QCOMPARE(apri()->lstFiles->count(), 0);
        QCOMPARE(apri()->lblCreati->text(), QStringLiteral("Sono stati creati 0 cataloghi di opere d'arte."));
        // The start window comes back on closing.
        QVERIFY(apri()->close());
        QVERIFY(avvio()->isVisible());
    }

    void refusedDeletionShowsError()
    {
        makeCatalog(QStringLiteral("Uno"));
        makeCatalog(QStringLiteral("Due"));
        openApri();
        select(QStringLiteral("Uno.art"));
        // While the question is up, the archive is replaced by a folder that
        // holds a file: the file system refuses to delete it as a file.
        m_bed->dialogs.onCall = [this](const FakeDialogs::Record& r) {
            if (r.call == Call::Confirm) {
                QFile::remove(m_bed->folder.file(QStringLiteral("Uno.art")));
                m_bed->folder.write(QStringLiteral("Uno.art/dentro.txt"), "x");
            }
        };
        m_bed->dialogs.confirmAnswers.enqueue(true);
        click(apri()->btnElimina);
        QCOMPARE(m_bed->dialogs.count(Call::Information), 0);
        QCOMPARE(m_bed->dialogs.last().call, Call::Error);
        QVERIFY(m_bed->dialogs.last().text.startsWith(kDeleteRefused));
        QVERIFY(QFileInfo(m_bed->folder.file(QStringLiteral("Uno.art/dentro.txt"))).isFile());
        QCOMPARE(lines(apri()->lstFiles), QStringList{"Due.art"}); // rebuilt
        QVERIFY(apri()->isVisible());
    }

    void readOnlyFolderRefusesDeletion()
    {
        makeCatalog(QStringLiteral("Uno"));
        openApri();
        select(QStringLiteral("Uno.art"));
        const QString folder = m_bed->folder.path();
        const auto perms = QFile::permissions(folder);
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        if (test::canCreateIn(folder)) {
            QFile::setPermissions(folder, perms);
            QSKIP(test::kNoReadOnlyFolder);
        }
        m_bed->dialogs.confirmAnswers.enqueue(true);
        click(apri()->btnElimina);
        QFile::setPermissions(folder, perms);
        QCOMPARE(m_bed->dialogs.count(Call::Information), 0);
        QCOMPARE(m_bed->dialogs.last().call, Call::Error);
        QVERIFY(m_bed->dialogs.last().text.startsWith(kDeleteRefused));
        QCOMPARE(lines(apri()->lstFiles), QStringList{"Uno.art"});
    }

    void apriHelpShowsSheetTopic()
    {
        openApri();
        QString title;
        whenModalShown([&](QWidget* m) {
            if (auto* g = qobject_cast<TfrmGuida*>(m))
                title = g->lblTitolo->text();
            m->close();
        });
        click(apri()->imgGuida);
        QCOMPARE(title, sheetTopic().title);
        QVERIFY(apri()->isVisible());
    }
};

QTEST_MAIN(TestCatalogWindows)
#include "test_catalog_windows.moc"
