#include "Catalogs.h"
#include "FakeDialogs.h"
#include "FileSizeLimit.h"
#include "Gui.h"
#include "ReadOnlyTree.h"
#include "TempFolder.h"

#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "kit/Picture.h"
#include "sheet/AllegaCartella.h"
#include "sheet/Documents.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "store/Archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

using namespace pinakos;
using test::FakeDialogs;
using test::readAll;
using test::writeFile;

namespace {

TfrmOpere* sheet() { return windows().frmOpere; }

const QString kQuestion =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");

QStringList documentFiles()
{
    return QDir(documentsFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

Attachments slots(const QString& f1, const QString& d1, const QString& f2 = {}, const QString& d2 = {},
                  const QString& f3 = {}, const QString& d3 = {})
{
    return {{f1, f2, f3}, {d1, d2, d3}};
}

} // namespace

class TestAllega : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestBed> m_bed;

    void openCatalog(const QString& path, const QString& name)
    {
        sheet()->openCatalog(path, name);
        moveTo(windows().frmAvvio, sheet());
        QVERIFY(QTest::qWaitForWindowActive(sheet()));
    }
    void openEmptyCatalog() { openCatalog(test::makeCatalog(QStringLiteral("Ritratti")), QStringLiteral("Ritratti")); }
    // A catalog of two works, Primo and Secondo, shown at the first; gives the
    // archive's path.
    QString openTwoWorksAtTheFirst()
    {
        const QString path = test::makeCatalog(
            QStringLiteral("Ritratti"),
            {test::makeRecord(QStringLiteral("Primo"), QStringLiteral("Anonimo"), QStringLiteral("100,00")),
             test::makeRecord(QStringLiteral("Secondo"), QStringLiteral("Bellini"), QStringLiteral("200,00"))});
        openCatalog(path, QStringLiteral("Ritratti"));
        test::click(sheet()->cmdPrimo);
        return path;
    }

    // Opens the attachment window from the sheet's paper clip and runs `act`
    // in it; the window is closed afterwards if `act` left it open.
    // Gives whether the window appeared.
    bool withWindow(const std::function<void(TfrmAllegaCartella*)>& act)
    {
        bool seen = false;
        test::whenModalShown([&](QWidget* w) {
            auto* f = qobject_cast<TfrmAllegaCartella*>(w);
            if (f) {
                seen = true;
                act(f);
            }
            if (w->isVisible())
                static_cast<QDialog*>(w)->reject();
        });
        test::click(sheet()->cmdFile);
        return seen;
    }
    FakeDialogs& dialogs() { return m_bed->dialogs; }
    // A file outside the program folder for the file dialog to answer with.
    QString outsideFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_bed->folder.file(QStringLiteral("Scrivania/") + name);
        writeFile(path, bytes);
        return path;
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { m_bed = std::make_unique<test::TestBed>(); }
    void cleanup()
    {
        if (sheet()->isVisible()) {
            moveTo(sheet(), windows().frmAvvio);
            QVERIFY(QTest::qWaitForWindowActive(windows().frmAvvio));
        }
        m_bed.reset();
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("shpSfondo") << "shpSfondo" << QRect(8, 8, 593, 433);
        QTest::newRow("imgLogo") << "imgLogo" << QRect(20, 20, 543, 49);
        QTest::newRow("btnAnnulla") << "btnAnnulla" << QRect(312, 456, 126, 32);
        QTest::newRow("btnApplica") << "btnApplica" << QRect(447, 456, 154, 32);
        const int tops[] = {80, 200, 320};
        for (int k = 0; k < 3; ++k) {
            const int t = tops[k];
            const QString n = QStringLiteral("0%1").arg(k + 1);
            const auto row = [&](const QString& name, const QRect& r) { QTest::newRow(qPrintable(name)) << name << r; };
            row("shpFile" + n, QRect(16, t, 577, 113));
            row("txtFile" + n, QRect(28, t + 28, 338, 22));
            row("imgCancella" + n, QRect(370, t + 28, 22, 22));
            row("btnSfoglia" + n, QRect(400, t + 24, 86, 28));
            row("btnApri" + n, QRect(494, t + 24, 86, 28));
            row("txtDesc" + n, QRect(28, t + 78, 552, 22));
            row(QStringLiteral("lblCampo0%1").arg(2 * k + 1), QRect(28, t + 10, -1, -1));
            row(QStringLiteral("lblCampo0%1").arg(2 * k + 2), QRect(28, t + 60, -1, -1));
        }
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        TfrmAllegaCartella f;
        QCOMPARE(f.windowTitle(), QStringLiteral(" Allega file"));
        QCOMPARE(f.size(), QSize(634, 534));
        QCOMPARE(f.panContainer->size(), QSize(609, 503));
        QCOMPARE(f.panContainer->pos(), QPoint(12, 15));
        QWidget* c = test::child(&f, name);
        QVERIFY(c);
        test::comparePlace(c, place);
    }

    void texts()
    {
        TfrmAllegaCartella f;
        QCOMPARE(f.lblCampo01->text(), QStringLiteral("Nome 1° file allegato:"));
        QCOMPARE(f.lblCampo04->text(), QStringLiteral("Descrizione 2° file allegato:"));
        QCOMPARE(f.lblCampo05->text(), QStringLiteral("Nome 3° file allegato:"));
        QCOMPARE(f.btnSfoglia02->text(), QStringLiteral("Sfoglia..."));
        QCOMPARE(f.btnApri03->text(), QStringLiteral("Apri"));
        QCOMPARE(f.btnApplica->text(), QStringLiteral("Applica e chiudi"));
        QCOMPARE(f.btnAnnulla->text(), QStringLiteral("Annulla"));
        QVERIFY(f.txtFile01->isReadOnly());
        QVERIFY(!f.txtDesc01->isReadOnly());
        QVERIFY(f.lblMemory->isHidden());
        QCOMPARE(f.lblMemory->pos(), QPoint(9, 453));
        QCOMPARE(f.btnSfoglia01->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(f.imgCancella01->isClickable());
    }

    // A file name longer than its box shows whole as the box's tooltip.
    void cutFileNameShowsAsTip()
    {
        TfrmAllegaCartella f;
        const QString longName = QStringLiteral("Certificato di autenticità firmato dal figlio dell'artista, con "
                                                "timbro della galleria e data di emissione.pdf");
        f.txtFile02->setText(longName);
        QCOMPARE(f.txtFile02->toolTip(), longName);
        f.txtFile02->setText(QStringLiteral("fattura.pdf"));
        QCOMPARE(f.txtFile02->toolTip(), QString());
    }

    void tabOrder()
    {
        TfrmAllegaCartella f;
        f.txtFile01->setText(QStringLiteral("a.pdf")); // so that "Apri" takes part
        QList<QWidget*> expected = {f.txtFile01,    f.btnSfoglia01, f.btnApri01,  f.txtDesc01,
                                    f.txtFile02,    f.btnSfoglia02, f.txtDesc02,  f.txtFile03,
                                    f.btnSfoglia03, f.txtDesc03,    f.btnApplica, f.btnAnnulla};
        QWidget* w = f.txtFile01;
        for (int i = 1; i < expected.size(); ++i) {
            w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || !w->isEnabled() || w->isHidden())
                w = w->nextInFocusChain();
            QCOMPARE(w->objectName(), expected[i]->objectName());
        }
    }

    // A new sheet: empty slots, "Apri" disabled; a file for slot 2 goes into
    // a new documents folder and enables the second "Apri".
    void copyIntoNewFolder_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("blanks and accents") << "Certificato d'autenticità.pdf"
                                            << "Certificato d'autenticità.pdf";
        QTest::newRow("no extension") << "LEGGIMI"
                                      << "LEGGIMI";
        QTest::newRow("leading dot") << ".recensione"
                                     << ".recensione";
        QTest::newRow("blanks around") << "  perizia.doc "
                                       << "perizia.doc";
    }
    void copyIntoNewFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        openEmptyCatalog();
        const QByteArray bytes("documento\0con zeri", 18);
        dialogs().fileAnswers.enqueue(outsideFile(chosen, bytes));
        QVERIFY(!QFileInfo::exists(documentsFolder()));
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            QCOMPARE(f->lblMemory->text(), QStringLiteral("opere"));
            for (QLineEdit* box : {f->txtFile01, f->txtFile02, f->txtFile03, f->txtDesc01, f->txtDesc02, f->txtDesc03})
                QCOMPARE(box->text(), QString());
            for (QPushButton* b : {f->btnApri01, f->btnApri02, f->btnApri03})
                QVERIFY(!b->isEnabled());
            test::click(f->btnSfoglia02);
            QCOMPARE(f->txtFile02->text(), shown);
            QVERIFY(f->btnApri02->isEnabled());
            QVERIFY(!f->btnApri01->isEnabled());
            QVERIFY(!f->btnApri03->isEnabled());
            test::click(f->btnApplica);
            QVERIFY(!f->isVisible());
        }));
        QCOMPARE(dialogs().count(FakeDialogs::Call::Confirm), 0);
        QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 0);
        const FakeDialogs::Record request = dialogs().calls.first();
        QCOMPARE(request.call, FakeDialogs::Call::OpenFile);
        QCOMPARE(request.request.title, QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(request.request.filters, QStringList{QStringLiteral("Tutti i file (*.*)")});
        QCOMPARE(readAll(documentsFolder() + shown), bytes);
        QCOMPARE(sheet()->attachments(), slots({}, {}, shown, {}));
        QCOMPARE(sheet()->lblFile02->text(), shown);
    }

    void cancelledDialogChangesNothing()
    {
        openEmptyCatalog();
        sheet()->setAttachments(slots(QStringLiteral("vecchio.pdf"), QStringLiteral("Vecchio")));
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            test::click(f->btnSfoglia01); // the fake dialog answers Cancel
            QCOMPARE(f->txtFile01->text(), QStringLiteral("vecchio.pdf"));
        }));
        QCOMPARE(dialogs().count(FakeDialogs::Call::OpenFile), 1);
        QCOMPARE(dialogs().calls.size(), 1);
        QVERIFY(!QFileInfo::exists(documentsFolder()));
    }

    // "Annulla" after a copy: the sheet keeps its slots, the file stays copied.
    void cancelAfterCopy()
    {
        openEmptyCatalog();
        sheet()->setAttachments(slots(QStringLiteral("vecchio.pdf"), QStringLiteral("Vecchio")));
        dialogs().fileAnswers.enqueue(outsideFile(QStringLiteral("nuovo.pdf"), "nuovo"));
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            test::click(f->btnSfoglia01);
            f->txtDesc01->setText(QStringLiteral("Nuovo"));
            QCOMPARE(f->txtFile01->text(), QStringLiteral("nuovo.pdf"));
            test::click(f->btnAnnulla);
            QVERIFY(!f->isVisible());
        }));
        QCOMPARE(sheet()->attachments(), slots(QStringLiteral("vecchio.pdf"), QStringLiteral("Vecchio")));
        QCOMPARE(readAll(documentsFolder() + "nuovo.pdf"), QByteArray("nuovo"));
    }

    void overwriteQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("Yes replaces") << true << QByteArray("nuovo");
        QTest::newRow("No keeps the old file") << false << QByteArray("vecchio");
    }
    void overwriteQuestion()
    {
        QFETCH(bool, yes);
        QFETCH(QByteArray, kept);
        openEmptyCatalog();
        writeFile(documentsFolder() + "perizia.pdf", "vecchio");
        dialogs().fileAnswers.enqueue(outsideFile(QStringLiteral("perizia.pdf"), "nuovo"));
        dialogs().confirmAnswers.enqueue(yes);
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            test::click(f->btnSfoglia03);
            // Either way the slot names the file now in the folder.
            QCOMPARE(f->txtFile03->text(), QStringLiteral("perizia.pdf"));
            QVERIFY(f->btnApri03->isEnabled());
        }));
        QCOMPARE(dialogs().count(FakeDialogs::Call::Confirm), 1);
        QCOMPARE(dialogs().texts(), QStringList{kQuestion});
        QCOMPARE(readAll(documentsFolder() + "perizia.pdf"), kept);
        QCOMPARE(documentFiles(), QStringList{QStringLiteral("perizia.pdf")});
    }

    // A document of the folder replaced by a folder or a 2 GB sparse file:
    // "Apri" still hands its name to the desktop without reading it, and a
    // copy over it either replaces the file or tells why it cannot.
    void documentReplacedByFolderOrHugeFile_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("folder") << true;
        QTest::newRow("2 GB sparse file") << false;
    }
    void documentReplacedByFolderOrHugeFile()
    {
        QFETCH(bool, folder);
        openEmptyCatalog();
        const QString target = documentsFolder() + "perizia.pdf";
        if (folder) {
            QVERIFY(QDir().mkpath(target));
        } else {
            writeFile(target, QByteArray());
            QVERIFY(QFile::resize(target, 2LL << 30));
        }
        sheet()->setAttachments(slots(QStringLiteral("perizia.pdf"), QStringLiteral("Perizia")));
        dialogs().fileAnswers.enqueue(outsideFile(QStringLiteral("perizia.pdf"), "nuovo"));
        dialogs().confirmAnswers.enqueue(true);
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            test::click(f->btnApri01);
            test::click(f->btnSfoglia02);
            test::click(f->btnApplica);
        }));
        QCOMPARE(dialogs().count(FakeDialogs::Call::ShellOpen), 1);
        QCOMPARE(dialogs().count(FakeDialogs::Call::Confirm), 1);
        if (folder) {
            QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 1);
            QVERIFY(QFileInfo(target).isDir());
            QCOMPARE(sheet()->lblFile02->text(), QString());
        } else {
            QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 0);
            QCOMPARE(readAll(target), QByteArray("nuovo"));
            QCOMPARE(sheet()->lblFile02->text(), QStringLiteral("perizia.pdf"));
        }
        QCOMPARE(documentFiles(), folder ? QStringList() : QStringList{QStringLiteral("perizia.pdf")});
    }

    // Choosing the very file that lies in the documents folder: no question,
    // and the file is not destroyed.
    void sameFileNeitherAsksNorDestroys()
    {
        openEmptyCatalog();
        writeFile(documentsFolder() + "perizia.pdf", "unico");
        dialogs().fileAnswers.enqueue(documentsFolder() + "perizia.pdf");
        dialogs().confirmAnswers.enqueue(true);
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            test::click(f->btnSfoglia01);
            QCOMPARE(f->txtFile01->text(), QStringLiteral("perizia.pdf"));
        }));
        QCOMPARE(dialogs().count(FakeDialogs::Call::Confirm), 0);
        QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 0);
        QCOMPARE(readAll(documentsFolder() + "perizia.pdf"), QByteArray("unico"));
    }

    // The eraser empties the file name only: the description stays, "Apri"
    // is disabled, the copied file remains.
    void eraser()
    {
        openEmptyCatalog();
        writeFile(documentsFolder() + "contratto.pdf", "pdf");
        sheet()->setAttachments(slots(QStringLiteral("contratto.pdf"), QStringLiteral("Contratto"),
                                      QStringLiteral("recensione.doc"), QStringLiteral("Recensione")));
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            QVERIFY(f->btnApri01->isEnabled());
            test::click(f->imgCancella01);
            QCOMPARE(f->txtFile01->text(), QString());
            QCOMPARE(f->txtDesc01->text(), QStringLiteral("Contratto"));
            QVERIFY(!f->btnApri01->isEnabled());
            QVERIFY(f->btnApri02->isEnabled());
            test::click(f->btnApplica);
        }));
        QCOMPARE(
            sheet()->attachments(),
            slots({}, QStringLiteral("Contratto"), QStringLiteral("recensione.doc"), QStringLiteral("Recensione")));
        QVERIFY(QFileInfo::exists(documentsFolder() + "contratto.pdf"));
        QVERIFY(dialogs().calls.isEmpty());
    }

    // Written back, saved, shown again: the slots come back from the record;
    // a description without a file name is kept as such; a 1,000-character
    // description is cut at 250 bytes by the save.
    void writeBackThenSave()
    {
        const QString path = openTwoWorksAtTheFirst();
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("1"));
        dialogs().fileAnswers.enqueue(outsideFile(QStringLiteral("Certificato.pdf"), "pdf"));
        const QString longText = QString(1000, u'd');
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            test::click(f->btnSfoglia01);
            f->txtDesc01->setFocus();
            test::typeKeys(f->txtDesc01, QStringLiteral("  Certificato di autenticità  "));
            f->txtDesc02->setText(QStringLiteral("Solo una descrizione"));
            f->txtDesc03->setText(longText);
            test::click(f->btnApplica);
        }));
        const Attachments expected =
            slots(QStringLiteral("Certificato.pdf"), QStringLiteral("Certificato di autenticità"), {},
                  QStringLiteral("Solo una descrizione"), {}, longText);
        QCOMPARE(sheet()->attachments(), expected);
        dialogs().clear();
        test::click(sheet()->cmdSalva);

        const TSchedaOpera stored = Archive(path).read(1);
        QCOMPARE(stored.text(Campo::File01), QStringLiteral("Certificato.pdf"));
        QCOMPARE(stored.text(Campo::Desc01), QStringLiteral("Certificato di autenticità"));
        QCOMPARE(stored.text(Campo::File02), QString());
        QCOMPARE(stored.text(Campo::Desc02), QStringLiteral("Solo una descrizione"));
        QCOMPARE(stored.text(Campo::Desc03), QString(250, u'd'));

        // Away and back: the window shows the stored slots.
        test::click(sheet()->cmdAvanti);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("2"));
        QCOMPARE(sheet()->attachments(), Attachments());
        test::click(sheet()->cmdPrimo);
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            QCOMPARE(f->txtFile01->text(), QStringLiteral("Certificato.pdf"));
            QCOMPARE(f->txtDesc01->text(), QStringLiteral("Certificato di autenticità"));
            QCOMPARE(f->txtFile02->text(), QString());
            QCOMPARE(f->txtDesc02->text(), QStringLiteral("Solo una descrizione"));
            QCOMPARE(f->txtDesc03->text(), QString(250, u'd'));
            QVERIFY(f->btnApri01->isEnabled());
            QVERIFY(!f->btnApri02->isEnabled());
            QVERIFY(!f->btnApri03->isEnabled());
        }));
    }

    // Written back but not saved: moving to another record loses the slots.
    void writeBackWithoutSaveIsLost()
    {
        const QString path = openTwoWorksAtTheFirst();
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            f->txtDesc01->setText(QStringLiteral("Mai salvata"));
            test::click(f->btnApplica);
        }));
        QCOMPARE(sheet()->lblDesc01->text(), QStringLiteral("Mai salvata"));
        test::click(sheet()->cmdAvanti);
        test::click(sheet()->cmdPrimo);
        QCOMPARE(sheet()->attachments(), Attachments());
        QCOMPARE(Archive(path).read(1).text(Campo::Desc01), QString());
    }

    // A record's slots, shown by the sheet, come into the window trimmed;
    // "Apri" hands the document's full path in double quotes to the shell.
    void openDocument()
    {
        TSchedaOpera r = test::makeRecord(QStringLiteral("Primo"), QStringLiteral("Anonimo"), QStringLiteral("1,00"));
        r.setText(Campo::File02, QStringLiteral("contratto di vendita.pdf"));
        r.setText(Campo::Desc02, QStringLiteral("Contratto"));
        openCatalog(test::makeCatalog(QStringLiteral("Ritratti"), {r}), QStringLiteral("Ritratti"));
        test::click(sheet()->cmdPrimo);
        sheet()->lblFile02->setText(QStringLiteral("  contratto di vendita.pdf  "));
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            QCOMPARE(f->txtFile02->text(), QStringLiteral("contratto di vendita.pdf"));
            QCOMPARE(f->txtDesc02->text(), QStringLiteral("Contratto"));
            QVERIFY(f->btnApri02->isEnabled());
            test::click(f->btnApri02);
            QVERIFY(f->isVisible());
        }));
        QCOMPARE(dialogs().count(FakeDialogs::Call::ShellOpen), 1);
        QCOMPARE(dialogs().last().text, u'"' + documentsFolder() + "contratto di vendita.pdf" + u'"');
    }

    // A file name read from an archive that would reach outside the
    // documents folder is neither opened nor copied to.
    void unsafeNameFromArchive_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << "../unins000.dll";
        QTest::newRow("deeper") << "../../etc/passwd";
        QTest::newRow("absolute") << "/etc/passwd";
        QTest::newRow("drive") << "C:\\Windows\\win.ini";
        QTest::newRow("backslash parent") << "..\\Guida.pdf";
        QTest::newRow("dot dot") << "..";
    }
    void unsafeNameFromArchive()
    {
        QFETCH(QString, name);
        TSchedaOpera r = test::makeRecord(QStringLiteral("Primo"), QStringLiteral("Anonimo"), QStringLiteral("1,00"));
        r.setText(Campo::File01, name);
        r.setText(Campo::Desc01, QStringLiteral("Descrizione"));
        openCatalog(test::makeCatalog(QStringLiteral("Ritratti"), {r}), QStringLiteral("Ritratti"));
        test::click(sheet()->cmdPrimo);
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            QCOMPARE(f->txtFile01->text(), name);
            QVERIFY(!f->btnApri01->isEnabled());
            f->btnApri01Click(); // even when reached directly
            test::click(f->btnApplica);
        }));
        QCOMPARE(dialogs().count(FakeDialogs::Call::ShellOpen), 0);
        // Written back and kept as it was: the record is not altered behind the user's back.
        QCOMPARE(sheet()->lblFile01->text(), name);
    }

    // A failed copy tells the user and leaves the slot as it was.
    void copyFailureKeepsPreviousName_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");
        QTest::newRow("file gone") << "gone"
                                   << "Attenzione: non è stato possibile leggere il file scelto.";
        QTest::newRow("folder cannot be created")
            << "blocked"
            << "Attenzione: non è stato possibile creare la cartella dei documenti allegati.";
        QTest::newRow("disk full")
            << "full"
            << "Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.";
        QTest::newRow("read-only program folder")
            << "readonly"
            << "Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.";
        QTest::newRow("name the record cannot keep")
            << "cyrillic"
            << "Attenzione: il nome del file scelto è troppo lungo o contiene caratteri che la scheda";
#ifndef Q_OS_WIN // there a backslash separates folders: no file name holds one
        QTest::newRow("name with a backslash")
            << "backslash"
            << "Attenzione: il nome del file scelto non può essere usato per un documento allegato.";
#endif
    }
    void copyFailureKeepsPreviousName()
    {
        QFETCH(QString, what);
        QFETCH(QString, message);
        openEmptyCatalog();
        sheet()->setAttachments(slots(QStringLiteral("vecchio.pdf"), QStringLiteral("Vecchio")));
        const QString name = what == "backslash" ? QStringLiteral("a\\b.pdf")
            : what == "cyrillic"                 ? QString::fromUtf8("\u0434\u043E\u043A.pdf")
                                                 : QStringLiteral("nuovo.pdf");
        QString source = outsideFile(name, QByteArray(2 * 1024 * 1024, 'x'));
        if (what == "gone")
            QFile::remove(source);
        if (what == "blocked")
            writeFile(m_bed->folder.file("Documenti_Allegati"), "un file al posto della cartella");
        dialogs().fileAnswers.enqueue(source);
        if (what == "readonly")
            QVERIFY(QDir().mkpath(documentsFolder()));
        std::unique_ptr<test::FileSizeLimit> limit;
        std::unique_ptr<test::ReadOnlyTree> readOnly;
        bool available = true;
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            if (what == "full") {
                limit = std::make_unique<test::FileSizeLimit>(64 * 1024);
                if (!(available = limit->active()))
                    return;
            }
            if (what == "readonly") {
                readOnly = std::make_unique<test::ReadOnlyTree>(m_bed->folder.path());
                if (!(available = readOnly->active()))
                    return;
            }
            test::click(f->btnSfoglia01);
            limit.reset();
            readOnly.reset();
            QCOMPARE(f->txtFile01->text(), QStringLiteral("vecchio.pdf"));
            test::click(f->btnApplica);
        }));
        if (!available)
            QSKIP(what == "full" ? test::kNoFileSizeLimit : test::kNoReadOnlyFolder);
        QCOMPARE(dialogs().count(FakeDialogs::Call::Error), 1);
        QVERIFY2(dialogs().last().text.startsWith(message), qPrintable(dialogs().last().text));
        QCOMPARE(sheet()->lblFile01->text(), QStringLiteral("vecchio.pdf"));
        if (QFileInfo(documentsFolder()).isDir())
            QVERIFY(documentFiles().isEmpty()); // nothing shortened, no temporary file
    }

    // The write back answers only to its opener's mark.
    void writeBackNeedsOpenerMark()
    {
        openEmptyCatalog();
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) {
            f->lblMemory->setText(QStringLiteral("trova"));
            f->txtDesc01->setText(QStringLiteral("Descrizione"));
            test::click(f->btnApplica);
            QVERIFY(f->isVisible());
            f->lblMemory->setText(QStringLiteral(" opere "));
            test::click(f->btnApplica);
            QVERIFY(!f->isVisible());
        }));
        QCOMPARE(sheet()->lblDesc01->text(), QStringLiteral("Descrizione"));
    }

    // Another sheet attaching a different file of the same name shares the
    // one file, copied last.
    void sameNameSharedBetweenSheets()
    {
        openEmptyCatalog();
        dialogs().fileAnswers.enqueue(outsideFile(QStringLiteral("uno/foto.jpg"), "primo"));
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) { test::click(f->btnSfoglia01); }));
        test::click(sheet()->cmdNuovo);
        dialogs().fileAnswers.enqueue(outsideFile(QStringLiteral("due/foto.jpg"), "secondo"));
        dialogs().confirmAnswers.enqueue(true);
        QVERIFY(withWindow([&](TfrmAllegaCartella* f) { test::click(f->btnSfoglia01); }));
        QCOMPARE(readAll(documentsFolder() + "foto.jpg"), QByteArray("secondo"));
        QCOMPARE(documentFiles(), QStringList{QStringLiteral("foto.jpg")});
    }
};

QTEST_MAIN(TestAllega)
#include "test_allega.moc"
