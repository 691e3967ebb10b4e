// The export window as a person uses it: the grid, the two questions, the
// failure message, the help and the hover hints.
#include "Catalogs.h"
#include "FakeSheet.h"
#include "FileSizeLimit.h"
#include "Gui.h"
#include "ReadOnlyTree.h"
#include "WorkbookReader.h"
#include "base/ProgramFolder.h"
#include "kit/Picture.h"
#include "kit/Sheet.h"
#include "output/CatalogModel.h"
#include "output/ExpOpere.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

using namespace pinakos;
using test::FakeSheet;
using test::ReadOnlyTree;
using namespace pinakos::test;

Q_DECLARE_METATYPE(pinakos::WorkbookFormat)

namespace {

// The workbook's button and its file read back.
Picture* buttonOf(TfrmExpOpere* f, WorkbookFormat format)
{
    return format == WorkbookFormat::OpenDocument ? f->cmdEsportaOds : f->cmdEsportaXlsx;
}

Book readBack(WorkbookFormat format)
{
    const QString path = TfrmExpOpere::exportPath(format);
    return format == WorkbookFormat::OpenDocument ? readOds(path) : readXlsx(path);
}

void addFormats()
{
    QTest::addColumn<WorkbookFormat>("format");
    QTest::newRow("ods") << WorkbookFormat::OpenDocument;
    QTest::newRow("xlsx") << WorkbookFormat::OfficeOpenXml;
}

const QString kAskExport = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kAskOpen =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                                       "che il file di Excel non sia già aperto.");

TSchedaOpera noted(const QString& title, const QString& note)
{
    TSchedaOpera r = makeRecord(title, QStringLiteral("Artista"), QStringLiteral("10,00"), true);
    r.setText(Campo::Note, note);
    return r;
}

// Opens the editor of the first row's notes cell with F2, as a person does;
// gives it (the one just opened: a closed one may linger until deleted).
QLineEdit* editNotes(TfrmExpOpere* f)
{
    QTableView* g = f->grdRecords;
    g->setFocus();
    g->setCurrentIndex(g->model()->index(0, 14));
    QTest::keyClick(g, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->currentIndex()));
    return editor && editor->objectName() == QLatin1String("txtCella") ? editor : nullptr;
}

} // namespace

class TestExportWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBed> m_bed;
    std::unique_ptr<FakeSheet> m_sheet;
    std::unique_ptr<TfrmExpOpere> m_form;

    // The window shown on a catalog of the given records.
    TfrmExpOpere* open(const QList<TSchedaOpera>& records)
    {
        m_sheet->path = QStringLiteral(" ") + makeCatalog(QStringLiteral("Quadri"), records) + QStringLiteral("\t");
        m_form = std::make_unique<TfrmExpOpere>();
        m_form->setSheet(m_sheet.get());
        m_form->show();
        return m_form.get();
    }
    QByteArray exported() const { return m_bed->folder.read(spreadsheetFileName()); }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<TestBed>();
        m_sheet = std::make_unique<FakeSheet>();
    }
    void cleanup()
    {
        m_form.reset();
        m_sheet.reset();
        m_bed.reset();
    }

    void layout_data();
    void layout();
    void window();
    void gridColumns();
    void gridFilledOnShow();
    void emptyCatalogShowsNoRows();

    void exportAndOpen();
    void noToFirstQuestionLeavesFile();
    void noToSecondQuestionDoesNotOpen();
    void failureKeepsOldFileAndWindow();
    void cancelledExportLeavesFile();
    void readOnlyFolderKeepsOldFile();
    void editTypedInGridIsExported();
    void typingInsideACellKeepsItsPlace();
    void readOnlyColumnsRefuseTyping();

    void workbookButtonsOverlapNothing();
    void workbookExportAndOpen_data() { addFormats(); }
    void workbookExportAndOpen();
    void workbookNoToFirstQuestionLeavesFile_data() { addFormats(); }
    void workbookNoToFirstQuestionLeavesFile();
    void workbookHoldsTypedEdit_data() { addFormats(); }
    void workbookHoldsTypedEdit();
    void workbookFailureKeepsOldFile_data() { addFormats(); }
    void workbookFailureKeepsOldFile();

    void helpTopic();
    void hoverHints_data();
    void hoverHints();
    void exitCloses();
};

void TestExportWindow::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("button");
    const QString picture = QStringLiteral("pinakos::Picture");
    const QString shape = QStringLiteral("pinakos::Shape");
    auto row = [](const char* name, const QString& kind, QRect place, bool button = false) {
        QTest::newRow(name) << QString::fromLatin1(name) << kind << place << button;
    };
    row("shpSfondo", shape, QRect(8, 8, 821, 65));
    row("imgLogo", picture, QRect(13, 13, 505, 55));
    row("icoHand", picture, QRect(528, 32, 31, 25));
    row("cmdEsporta", picture, QRect(566, 15, 49, 50), true);
    row("cmdGuida", picture, QRect(670, 13, 50, 55), true);
    row("cmdEsci", picture, QRect(766, 15, 40, 50), true);
    row("cmdEsportaOds", picture, QRect(620, 19, 44, 42), true);
    row("cmdEsportaXlsx", picture, QRect(723, 19, 40, 42), true);
    row("grdRecords", QStringLiteral("QTableView"), QRect(8, 80, 821, 409));
    row("shpInfo", shape, QRect(8, 493, 821, 32));
    row("panInfo", QStringLiteral("QLabel"), QRect(14, 499, 0, 0));
}

void TestExportWindow::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QRect, place);
    QFETCH(bool, button);
    TfrmExpOpere* f = open({});
    QWidget* w = child(f, name);
    QVERIFY(w);
    QVERIFY2(w->inherits(qPrintable(kind)), w->metaObject()->className());
    QCOMPARE(w->parentWidget(), f->panContainer);
    comparePlace(w, place);
    QVERIFY(w->isVisible());
    if (auto* p = qobject_cast<Picture*>(w)) {
        QCOMPARE(p->isClickable(), button);
        QCOMPARE(p->cursor().shape(), button ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
}

void TestExportWindow::window()
{
    TfrmExpOpere* f = open({});
    QCOMPARE(f->windowTitle(), QStringLiteral(" Esporta inventario opere d'arte in Microsoft Excel"));
    QCOMPARE(f->size(), QSize(862, 560));
    QCOMPARE(f->minimumSize(), f->maximumSize());
    QCOMPARE(f->panContainer->size(), QSize(837, 533));
    QCOMPARE(f->panContainer->geometry().center(), f->rect().center());
    QCOMPARE(pixelOf(f, QPoint(3, 3)), QColor(0xEE, 0xED, 0xED));
    QCOMPARE(f->panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    QCOMPARE(f->panInfo->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(f->panInfo->font().pixelSize(), 12);
    QCOMPARE(f->panInfo->palette().color(QPalette::WindowText), QColor(Qt::white));
    QVERIFY(!f->panInfo->wordWrap());
}

void TestExportWindow::gridColumns()
{
    TfrmExpOpere f; // not shown: the grid as the form starts
    QTableView* g = f.grdRecords;
    QCOMPARE(g->model()->rowCount(), 10);
    QCOMPARE(g->model()->columnCount(), 17);
    const int widths[] = {60, 250, 250, 200, 180, 200, 250, 250, 200, 250, 250, 250, 180, 180, 350, 150, 120};
    for (int c = 0; c < 17; ++c)
        QCOMPARE(g->horizontalHeader()->sectionSize(c), widths[c]);
    QCOMPARE(g->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
    QCOMPARE(g->model()->headerData(14, Qt::Horizontal).toString(), QStringLiteral("Note"));
    QCOMPARE(g->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(g->verticalHeader()->defaultSectionSize(), 21);
    QCOMPARE(g->rowHeight(3), 21);
    QVERIFY(g->alternatingRowColors());
    QVERIFY(g->palette().color(QPalette::AlternateBase) != g->palette().color(QPalette::Base));
}

void TestExportWindow::gridFilledOnShow()
{
    QList<TSchedaOpera> records;
    for (int i = 1; i <= 30; ++i)
        records << noted(QStringLiteral("  Opera %1 ").arg(i), QStringLiteral("nota %1").arg(i));
    TfrmExpOpere* f = open(records);
    QAbstractItemModel* m = f->grdRecords->model();
    QCOMPARE(m->rowCount(), 30);
    QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("1"));
    QCOMPARE(m->index(29, 0).data().toString(), QStringLiteral("30"));
    QCOMPARE(m->index(29, 1).data().toString(), QStringLiteral("Opera 30"));
    QCOMPARE(m->index(4, 14).data().toString(), QStringLiteral("nota 5"));
    QCOMPARE(m->index(4, 16).data().toString(), QStringLiteral("Sì"));
    QCOMPARE(f->grdRecords->rowHeight(29), 21);
    // The archive is only read.
    QCOMPARE(QFileInfo(m_sheet->path.trimmed()).size(), 30 * TSchedaOpera::Size);
}

void TestExportWindow::emptyCatalogShowsNoRows()
{
    TfrmExpOpere* f = open({});
    QCOMPARE(f->grdRecords->model()->rowCount(), 0);
    m_bed->dialogs.confirmAnswers << true << false;
    f->cmdEsportaClick();
    QVERIFY(exported().endsWith("</tr></table></body></html>"));
    QCOMPARE(exported().count("<tr>"), 1); // the heading row only
}

void TestExportWindow::exportAndOpen()
{
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QStringLiteral("h < 50 cm & cornice")),
                            noted(QStringLiteral("Mattino"), QString())});
    m_bed->dialogs.confirmAnswers << true << true;
    click(f->cmdEsporta);
    QCOMPARE(m_bed->dialogs.texts(), QStringList({kAskExport, kAskOpen}));
    QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::ShellOpen), 1);
    QCOMPARE(m_bed->dialogs.last().text, QLatin1Char('"') + programFolder() + "Inventario_Opere.xls" + '"');
    const QByteArray file = exported();
    QVERIFY(file.startsWith("<html xmlns:o="));
    QCOMPARE(file.count("<tr>"), 3);
    QVERIFY(file.contains("<td style=\"text-align: left;\">h &lt; 50 cm &amp; cornice</td>"));
    QVERIFY(file.contains("<td style=\"text-align: left;\">S\xEC</td></tr>"));
    QVERIFY(f->isVisible());
}

void TestExportWindow::noToFirstQuestionLeavesFile()
{
    m_bed->folder.write(spreadsheetFileName(), "vecchio");
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QString())});
    f->cmdEsportaClick(); // the fake answers No
    QCOMPARE(m_bed->dialogs.texts(), QStringList{kAskExport});
    QCOMPARE(exported(), QByteArray("vecchio"));
    QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::ShellOpen), 0);
}

void TestExportWindow::noToSecondQuestionDoesNotOpen()
{
    m_bed->folder.write(spreadsheetFileName(), "vecchio");
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QString())});
    m_bed->dialogs.confirmAnswers << true << false;
    f->cmdEsportaClick();
    QCOMPARE(m_bed->dialogs.texts(), QStringList({kAskExport, kAskOpen}));
    QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::ShellOpen), 0);
    QVERIFY(exported().contains("Notturno"));
    QVERIFY(exported().endsWith("</html>"));
}

void TestExportWindow::failureKeepsOldFileAndWindow()
{
    m_bed->folder.write(spreadsheetFileName(), "il file buono");
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QString(500, u'x'))});
    m_bed->dialogs.confirmAnswers << true;
    {
        FileSizeLimit limit(100);
        if (!limit.active())
            QSKIP(kNoFileSizeLimit);
        f->cmdEsportaClick();
    }
    QCOMPARE(m_bed->dialogs.texts(), QStringList({kAskExport, kFailed}));
    QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Message);
    QCOMPARE(exported(), QByteArray("il file buono"));
    QVERIFY(f->isVisible());

    // Tried again once the disk has room, it works.
    m_bed->dialogs.confirmAnswers << true << false;
    f->cmdEsportaClick();
    QVERIFY(exported().contains("Notturno"));
}

// A program folder the user may not write to: the failure message, the old
// file as it was and no temporary file left behind.
void TestExportWindow::readOnlyFolderKeepsOldFile()
{
    m_bed->folder.write(spreadsheetFileName(), "il file buono");
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QString())});
    const QStringList before = m_bed->folder.entries();
    m_bed->dialogs.confirmAnswers << true;
    {
        ReadOnlyTree readOnly(m_bed->folder.path());
        if (!readOnly.active())
            QSKIP(kNoReadOnlyFolder);
        f->cmdEsportaClick();
    }
    QCOMPARE(m_bed->dialogs.texts(), QStringList({kAskExport, kFailed}));
    QCOMPARE(exported(), QByteArray("il file buono"));
    QCOMPARE(m_bed->folder.entries(), before);
    QVERIFY(f->isVisible());
}

void TestExportWindow::cancelledExportLeavesFile()
{
    m_bed->folder.write(spreadsheetFileName(), "vecchio");
    QList<TSchedaOpera> records;
    for (int i = 0; i < 2500; ++i)
        records << noted(QStringLiteral("Opera"), QString());
    TfrmExpOpere* f = open(records);
    m_bed->dialogs.confirmAnswers << true << true;
    m_bed->dialogs.cancelProgressAt = 1024;
    f->cmdEsportaClick();
    QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::Progress), 1);
    QCOMPARE(m_bed->dialogs.progressSteps, QList<int>({0, 1024}));
    QCOMPARE(m_bed->dialogs.texts(), QStringList{kAskExport});
    QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::ShellOpen), 0);
    QCOMPARE(exported(), QByteArray("vecchio"));
    QVERIFY(f->isVisible());
}

void TestExportWindow::editTypedInGridIsExported()
{
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QStringLiteral("vecchia"))});
    const QByteArray archive = m_bed->folder.read(QStringLiteral("Quadri.art"));
    QLineEdit* editor = editNotes(f);
    QVERIFY(editor);
    editor->selectAll();
    typeKeys(editor, QStringLiteral("h < 50 cm & però"));
    // The editor is still open when the export button is clicked.
    m_bed->dialogs.confirmAnswers << true << false;
    click(f->cmdEsporta);
    QVERIFY(exported().contains("<td style=\"text-align: left;\">h &lt; 50 cm &amp; per\xF2</td>"));
    QVERIFY(!exported().contains("vecchia"));
    QCOMPARE(m_bed->folder.read(QStringLiteral("Quadri.art")), archive);
}

// Keys typed in the middle of a cell's text go where the cursor stands, one
// after the other, and Escape still takes the edit back.
void TestExportWindow::typingInsideACellKeepsItsPlace()
{
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QStringLiteral("abcdef"))});
    QTableView* g = f->grdRecords;
    QLineEdit* editor = editNotes(f);
    QVERIFY(editor);
    editor->setCursorPosition(2);
    typeKeys(editor, QStringLiteral("XY"));
    QCOMPARE(editor->text(), QStringLiteral("abXYcdef"));
    QCOMPARE(editor->cursorPosition(), 4);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(g->model()->index(0, 14).data().toString(), QStringLiteral("abcdef"));

    editor = editNotes(f);
    QVERIFY(editor);
    editor->setCursorPosition(3);
    typeKeys(editor, QStringLiteral("-"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(g->model()->index(0, 14).data().toString(),
                 QStringLiteral("abc-def")); // committed once the key is handled
}

void TestExportWindow::readOnlyColumnsRefuseTyping()
{
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QString())});
    QTableView* g = f->grdRecords;
    g->setFocus();
    g->setCurrentIndex(g->model()->index(0, 1));
    QTest::keyClick(g, Qt::Key_F2);
    QTest::keyClicks(g, QStringLiteral("abc"));
    QVERIFY(!g->findChild<QLineEdit*>(QStringLiteral("txtCella"))); // no editor opened
    QCOMPARE(g->model()->index(0, 1).data().toString(), QStringLiteral("Notturno"));
}

// The new buttons sit in free places of the strip: no other control under them.
void TestExportWindow::workbookButtonsOverlapNothing()
{
    TfrmExpOpere* f = open({});
    for (QWidget* button : {static_cast<QWidget*>(f->cmdEsportaOds), static_cast<QWidget*>(f->cmdEsportaXlsx)}) {
        QVERIFY(f->shpSfondo->geometry().contains(button->geometry()));
        for (QWidget* other : f->panContainer->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == button || other == f->shpSfondo)
                continue;
            QVERIFY2(!other->geometry().intersects(button->geometry()), qPrintable(other->objectName()));
        }
    }
}

void TestExportWindow::workbookExportAndOpen()
{
    QFETCH(WorkbookFormat, format);
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QStringLiteral("h < 50 cm & cornice")),
                            noted(QStringLiteral("Mattino"), QString())});
    m_bed->dialogs.confirmAnswers << true << true;
    click(buttonOf(f, format));
    QCOMPARE(m_bed->dialogs.texts(), QStringList({kAskExport, kAskOpen}));
    QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::ShellOpen), 1);
    QCOMPARE(m_bed->dialogs.last().text, QLatin1Char('"') + programFolder() + workbookFileName(format) + '"');
    const Book b = readBack(format);
    QVERIFY2(b.error.isEmpty(), qPrintable(b.error));
    QCOMPARE(b.rows.size(), 3);
    QCOMPARE(b.rows[1].value(0).text, QStringLiteral("Notturno"));
    QCOMPARE(b.rows[1].value(13).text, QStringLiteral("h < 50 cm & cornice"));
    QCOMPARE(b.rows[2].value(15).text, QStringLiteral("Sì"));
    QCOMPARE(b.rows[2].value(14).type, QStringLiteral("number"));
    // The spreadsheet file is another button's.
    QVERIFY(!QFileInfo::exists(TfrmExpOpere::exportPath()));
    QVERIFY(f->isVisible());
}

void TestExportWindow::workbookNoToFirstQuestionLeavesFile()
{
    QFETCH(WorkbookFormat, format);
    m_bed->folder.write(workbookFileName(format), "vecchio");
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QString())});
    buttonOf(f, format)->clicked(); // the fake answers No
    QCOMPARE(m_bed->dialogs.texts(), QStringList{kAskExport});
    QCOMPARE(m_bed->folder.read(workbookFileName(format)), QByteArray("vecchio"));
    QCOMPARE(m_bed->dialogs.count(FakeDialogs::Call::ShellOpen), 0);
}

void TestExportWindow::workbookHoldsTypedEdit()
{
    QFETCH(WorkbookFormat, format);
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QStringLiteral("vecchia"))});
    const QByteArray archive = m_bed->folder.read(QStringLiteral("Quadri.art"));
    QLineEdit* editor = editNotes(f);
    QVERIFY(editor);
    editor->selectAll();
    typeKeys(editor, QStringLiteral("però  007"));
    // The editor is still open when the button is clicked.
    m_bed->dialogs.confirmAnswers << true << false;
    click(buttonOf(f, format));
    QCOMPARE(readBack(format).rows.value(1).value(13).text, QStringLiteral("però  007"));
    QCOMPARE(m_bed->folder.read(QStringLiteral("Quadri.art")), archive);
}

// A program folder the user may not write to: the failure message, the old
// file as it was and no temporary file left behind.
void TestExportWindow::workbookFailureKeepsOldFile()
{
    QFETCH(WorkbookFormat, format);
    m_bed->folder.write(workbookFileName(format), "il file buono");
    TfrmExpOpere* f = open({noted(QStringLiteral("Notturno"), QString())});
    const QStringList before = m_bed->folder.entries();
    m_bed->dialogs.confirmAnswers << true;
    {
        ReadOnlyTree readOnly(m_bed->folder.path());
        if (!readOnly.active())
            QSKIP(kNoReadOnlyFolder);
        buttonOf(f, format)->clicked();
    }
    QCOMPARE(m_bed->dialogs.texts(), QStringList({kAskExport, kFailed}));
    QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Message);
    QCOMPARE(m_bed->folder.read(workbookFileName(format)), QByteArray("il file buono"));
    QCOMPARE(m_bed->folder.entries(), before);
    QVERIFY(f->isVisible());
}

void TestExportWindow::helpTopic()
{
    TfrmExpOpere* f = open({});
    QString title, body;
    whenModalShown([&](QWidget* m) {
        if (auto* g = qobject_cast<TfrmGuida*>(m)) {
            title = g->lblTitolo->text();
            body = g->txtGuida->toPlainText();
        }
        m->close();
    });
    click(f->cmdGuida);
    QCOMPARE(title, QStringLiteral("Esportazione inventario opere d'arte in Microsoft Excel."));
    QCOMPARE(exportTopic().paragraphs.size(), 3);
    QVERIFY(!body.isEmpty());
    QVERIFY(f->isVisible());
}

void TestExportWindow::hoverHints_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("cmdEsporta") << "cmdEsporta"
                                << "Esporta l'archivio in formato Microsoft Excel.";
    QTest::newRow("cmdGuida") << "cmdGuida"
                              << "Visualizza la pagina della guida sensibile al contesto.";
    QTest::newRow("cmdEsci") << "cmdEsci"
                             << "Esci da questo ambiente di lavoro.";
    QTest::newRow("cmdEsportaOds") << "cmdEsportaOds"
                                   << "Esporta l'archivio in formato OpenDocument (LibreOffice).";
    QTest::newRow("cmdEsportaXlsx") << "cmdEsportaXlsx"
                                    << "Esporta l'archivio in formato Excel 2007 e successivi (.xlsx).";
    for (const char* name : {"panContainer", "grdRecords", "shpInfo", "shpSfondo"})
        QTest::newRow(name) << name << "";
}

void TestExportWindow::hoverHints()
{
    QFETCH(QString, name);
    QFETCH(QString, hint);
    TfrmExpOpere* f = open({});
    QWidget* w = name == QLatin1String("panContainer") ? f->panContainer : child(f, name);
    if (auto* view = qobject_cast<QTableView*>(w))
        w = view->viewport();
    f->panInfo->setText(QStringLiteral("prima"));
    hover(w);
    QCOMPARE(f->panInfo->text(), hint);
}

void TestExportWindow::exitCloses()
{
    TfrmExpOpere* f = open({});
    click(f->cmdEsci);
    QVERIFY(!f->isVisible());
}

QTEST_MAIN(TestExportWindow)
#include "test_export_window.moc"
