#include "Catalogs.h"
#include "FakeSheet.h"
#include "Gui.h"

#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "output/ExpOpere.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "sheet/Opere.h"
#include "sheet/Photo.h"
#include "shell/Avvio.h"
#include "store/Archive.h"
#include "store/Codec1252.h"
#include "store/CreaCatalogo.h"
#include "store/Importa.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace pinakos;
using namespace pinakos::test;
using Call = FakeDialogs::Call;

namespace {

TfrmCreaCatalogo* crea() { return windows().frmCreaCatalogo; }
TfrmOpere* sheet() { return windows().frmOpere; }

// A CSV in Windows-1252 with ";" between cells, as an Italian spreadsheet saves it.
QByteArray csv1252(const QString& text)
{
    QByteArray out;
    for (QChar c : text)
        out += c.unicode() == 0x00E8 ? '\xE8' : c.unicode() == 0x00E0 ? '\xE0' : char(c.toLatin1());
    return out;
}

const QString kWorks = QStringLiteral("Titolo;Autore;Prezzo;Venduta;Foto\r\n"
                                      "Alba;Rossi;1.200,50;s\u00EC;alba.jpg\r\n"
                                      "\"Notte\r\nsul lago\";Bianchi;300;no;\r\n"
                                      "Citt\u00E0;Verdi;;x;manca.jpg\r\n");

int chosenColumn(const TfrmImporta& w, const char* combo)
{
    auto* c = w.findChild<QComboBox*>(QString::fromLatin1(combo));
    return c ? c->currentData().toInt() : -100;
}

} // namespace

class TestImporta : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBed> m_bed;

    QString writeSource(const QString& name, const QByteArray& bytes)
    {
        m_bed->folder.write(QStringLiteral("fonti/") + name, bytes);
        return m_bed->folder.file(QStringLiteral("fonti/") + name);
    }
    // The file chosen through cmdFile, as the user does.
    void choose(TfrmImporta& w, const QString& path)
    {
        m_bed->dialogs.fileAnswers.enqueue(path);
        click(w.cmdFile);
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { m_bed = std::make_unique<TestBed>(); }
    void cleanup()
    {
        for (QWidget* w : {static_cast<QWidget*>(crea()), static_cast<QWidget*>(sheet())})
            w->hide();
        m_bed.reset();
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("file") << "cmdFile"
                              << "Scegli file…";
        QTest::newRow("headings") << "chkIntestazione"
                                  << "La prima riga contiene le intestazioni";
        QTest::newRow("photo folder") << "cmdCartellaFoto"
                                      << "Scegli cartella…";
        QTest::newRow("import") << "cmdImporta"
                                << "Importa";
        QTest::newRow("close") << "btnChiudi"
                               << "Chiudi";
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        TfrmImporta w;
        QCOMPARE(w.windowTitle(), QStringLiteral(" Importa schede da foglio di calcolo"));
        auto* b = w.findChild<QAbstractButton*>(name);
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QVERIFY(w.findChild<QTableView*>(QStringLiteral("grdAnteprima")));
        QVERIFY(w.findChild<QLineEdit*>(QStringLiteral("txtCartellaFoto")));
        for (const char* combo : {"cboCapo", "cboDescrizione", "cboColore", "cboTessuto", "cboMisure", "cboPeso",
                                  "cboUsura", "cboDifetti", "cboServizio", "cboSpecifiche", "cboCliente", "cboCodFisc",
                                  "cboRecapito", "cboNote", "cboPrezzo", "cboSegnala", "cboFoto"})
            QVERIFY2(w.findChild<QComboBox*>(QString::fromLatin1(combo)), combo);
    }

    void previewMatchesHeadings()
    {
        TfrmImporta w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QString text = kWorks;
        for (int i = 0; i < 30; ++i)
            text += QStringLiteral("Opera %1;Autore;10;;\r\n").arg(i);
        choose(w, writeSource(QStringLiteral("opere.csv"), csv1252(text)));

        QCOMPARE(w.grdAnteprima->model()->rowCount(), 20);
        QCOMPARE(w.grdAnteprima->model()->index(2, 0).data().toString(), QStringLiteral("Notte\r\nsul lago"));
        QCOMPARE(w.grdAnteprima->model()->index(3, 0).data().toString(), QStringLiteral("Citt\u00E0"));
        QVERIFY(w.chkIntestazione->isChecked());
        QCOMPARE(chosenColumn(w, "cboCapo"), 0);
        QCOMPARE(chosenColumn(w, "cboPrezzo"), 2);
        QCOMPARE(chosenColumn(w, "cboFoto"), 4);
        QCOMPARE(chosenColumn(w, "cboNote"), -1);

        // Unticked, the first row is data and the columns go in the export's order.
        click(w.chkIntestazione);
        QVERIFY(!w.chkIntestazione->isChecked());
        QCOMPARE(chosenColumn(w, "cboCapo"), 0);
        QCOMPARE(chosenColumn(w, "cboDescrizione"), 1);
        QCOMPARE(chosenColumn(w, "cboFoto"), -1);
    }

    void unreadableFileIsTold_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("damaged workbook") << QByteArray("PK\x03\x04\x14\x00\x00\x00\x08\x00garbage", 18);
        QTest::newRow("old Excel file") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0');
    }
    void unreadableFileIsTold()
    {
        QFETCH(QByteArray, bytes);
        const QString archive = makeCatalog(QStringLiteral("Paesaggi"),
                                            {makeRecord(QStringLiteral("Prima"), QStringLiteral("Rossi"), QString())});
        const QByteArray before = readAll(archive);
        TfrmImporta w;
        w.setTarget(archive, QStringLiteral("Paesaggi"), false);
        choose(w,
               bytes.isEmpty() ? m_bed->folder.file(QStringLiteral("non-esiste.xlsx"))
                               : writeSource(QStringLiteral("opere.xlsx"), bytes));
        QCOMPARE(m_bed->dialogs.calls.size(), 2);
        QCOMPARE(m_bed->dialogs.calls[1].call, Call::Warning);
        QVERIFY(m_bed->dialogs.calls[1].text.startsWith(
            QStringLiteral("Il file scelto non può essere letto come foglio di calcolo.")));
        m_bed->dialogs.clear();
        click(w.cmdImporta);
        QCOMPARE(m_bed->dialogs.texts(),
                 QStringList{QStringLiteral("Attenzione: scegliere prima il file da importare.")});
        QCOMPARE(readAll(archive), before);
    }

    void changedFileLeavesNoCatalog()
    {
        TfrmImporta w;
        w.setTarget(catalogFile(QStringLiteral("Nuovo")), QStringLiteral("Nuovo"), true);
        const QString source = writeSource(QStringLiteral("opere.csv"), csv1252(kWorks));
        choose(w, source);
        QVERIFY(writeFile(source, csv1252(kWorks + QStringLiteral("Altra;X;1;;\r\n"))));
        m_bed->dialogs.clear();
        click(w.cmdImporta);
        QCOMPARE(m_bed->dialogs.calls.size(), 1);
        QCOMPARE(m_bed->dialogs.calls[0].call, Call::Error);
        QVERIFY(m_bed->dialogs.calls[0].text.contains(QStringLiteral("è cambiato")));
        QVERIFY(!QFileInfo::exists(catalogFile(QStringLiteral("Nuovo"))));
        QVERIFY(w.isVisible() || !w.result());
    }

    // From the creation window: a new catalog filled from the file, with its photos.
    void newCatalogFromCreation()
    {
        const QString source = writeSource(QStringLiteral("opere.csv"), csv1252(kWorks));
        const QByteArray photo = jpegOf(QSize(40, 30), Qt::blue);
        m_bed->folder.write(QStringLiteral("fonti/foto/ALBA.jpg"), photo);
        moveTo(windows().frmAvvio, crea());
        typeKeys(crea()->txtFile, QStringLiteral("Importati"));

        bool shown = false;
        whenModalShown([&](QWidget* modal) {
            auto* w = qobject_cast<TfrmImporta*>(modal);
            QVERIFY(w);
            shown = true;
            choose(*w, source);
            w->txtCartellaFoto->setText(m_bed->folder.file(QStringLiteral("fonti/foto")));
            m_bed->dialogs.clear();
            click(w->cmdImporta);
        });
        click(crea()->btnImporta);
        QVERIFY(shown);
        QVERIFY(!QApplication::activeModalWidget());

        QCOMPARE(m_bed->dialogs.calls.size(), 1);
        QCOMPARE(m_bed->dialogs.calls[0].call, Call::Information);
        QVERIFY2(m_bed->dialogs.calls[0].text.startsWith(
                     QStringLiteral("Importate 3 schede\nFoto copiate: 1; non trovate o non JPEG: 1.")),
                 qPrintable(m_bed->dialogs.calls[0].text));
        const auto records = readRecords(catalogFile(QStringLiteral("Importati")));
        QCOMPARE(int(records.size()), 3);
        QCOMPARE(records[0].text(Campo::Capo), QStringLiteral("Alba"));
        QCOMPARE(records[0].text(Campo::Prezzo), QStringLiteral("1200,50"));
        QCOMPARE(records[0].venduta(), Venduta::Si);
        QCOMPARE(records[1].text(Campo::Capo), QStringLiteral("Notte\r\nsul lago"));
        QCOMPARE(records[1].venduta(), Venduta::No);
        QCOMPARE(records[2].text(Campo::Capo), QStringLiteral("Citt\u00E0"));
        QCOMPARE(readAll(photoPath(QStringLiteral("Importati"), 1)), photo);
        QVERIFY(!QFileInfo::exists(photoPath(QStringLiteral("Importati"), 3)));
        // The creation window has gone back to the start window.
        QVERIFY(!crea()->isVisible());
    }

    void takenNameOpensNothing()
    {
        makeCatalog(QStringLiteral("Esistente"));
        moveTo(windows().frmAvvio, crea());
        typeKeys(crea()->txtFile, QStringLiteral("Esistente"));
        bool shown = false;
        whenModalShown([&](QWidget* w) {
            shown = true;
            w->close();
        });
        click(crea()->btnImporta);
        QVERIFY(!shown);
        QCOMPARE(m_bed->dialogs.calls.size(), 1);
        QVERIFY(m_bed->dialogs.calls[0].text.startsWith(
            QStringLiteral("Attenzione: il nome del catalogo indicato è già stato utilizzato")));
        QVERIFY(crea()->isVisible());
    }

    // A thousand works as an Italian spreadsheet saves them, imported into a
    // new catalog through the windows, then read back by a reader of the
    // archive written on its own.
    void thousandWorksReadBackIndependently()
    {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            QSKIP("python3 is not installed");
        const QString prices[] = {QStringLiteral("1.234,50"),     QStringLiteral("1234.5"),
                                  QStringLiteral("\u20AC 300"),   QString(),
                                  QStringLiteral("su richiesta"), QStringLiteral("15")};
        const QString sold[] = {QStringLiteral("S\u00EC"), QStringLiteral("no"), QStringLiteral("x"),
                                QStringLiteral("venduta"), QString()};
        QString text;
        for (int t = 0; t < kImportTargets; ++t)
            text += (t ? QStringLiteral(";") : QString()) + importTargetName(t);
        text += QStringLiteral("\r\n");
        for (int i = 1; i <= 1000; ++i) {
            QString note = QStringLiteral("Provenienza: collezione n. %1").arg(i);
            if (i % 7 == 0)
                note = QStringLiteral("\"Prima riga; \"\"citata\"\"\r\nseconda riga\"");
            if (i % 50 == 0)
                note = QString(300, u'n');
            const QString photo = i % 10 == 0 ? QStringLiteral("FOTO_%1.JPG").arg(i)
                : i % 25 == 0                 ? QStringLiteral("manca_%1.jpg").arg(i)
                                              : QString();
            const QStringList cells{QStringLiteral("Opera n. %1 \u2013 \u00E8").arg(i),
                                    QStringLiteral("Paesaggio"),
                                    QStringLiteral("Artista Citt\u00E0 %1").arg(i % 37),
                                    QString::number(1800 + i % 200),
                                    QStringLiteral("Italia"),
                                    QStringLiteral("Olio su tela"),
                                    QStringLiteral("Macchiaioli"),
                                    QStringLiteral("50 x 70 cm"),
                                    QStringLiteral("Tela"),
                                    QStringLiteral("Collezione privata"),
                                    QStringLiteral("  Rossi Mario  "),
                                    QStringLiteral("04128730589"),
                                    QStringLiteral("0612345678"),
                                    note,
                                    prices[i % 6],
                                    sold[i % 5],
                                    photo};
            text += cells.join(u';') + QStringLiteral("\r\n");
        }
        const QString source = writeSource(QStringLiteral("mille.csv"), toWindows1252(text));
        for (int i = 10; i <= 1000; i += 10)
            m_bed->folder.write(QStringLiteral("fonti/foto/foto_%1.jpg").arg(i),
                                jpegOf(QSize(8 + i % 13, 8), QColor::fromHsv(i % 360, 200, 200)));
        moveTo(windows().frmAvvio, crea());
        typeKeys(crea()->txtFile, QStringLiteral("Mille opere"));
        whenModalShown([&](QWidget* modal) {
            auto* w = qobject_cast<TfrmImporta*>(modal);
            QVERIFY(w);
            choose(*w, source);
            QVERIFY(w->chkIntestazione->isChecked());
            w->txtCartellaFoto->setText(m_bed->folder.file(QStringLiteral("fonti/foto")));
            click(w->cmdImporta);
        });
        click(crea()->btnImporta);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY2(m_bed->dialogs.texts().last().startsWith(QStringLiteral("Importate 1000 schede")),
                 qPrintable(m_bed->dialogs.texts().join(u'|')));

        QProcess check;
        check.start(python,
                    {QStringLiteral(PINAKOS_CHECK_IMPORT), source, catalogFile(QStringLiteral("Mille opere")),
                     QStringLiteral("Mille opere"), m_bed->folder.file(QStringLiteral("fonti/foto")), photoFolder()});
        QVERIFY(check.waitForFinished(60000));
        QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());
    }

    // What each export writes comes back in as the same records.
    void exportComesBack_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("spreadsheet file") << "cmdEsporta";
        QTest::newRow("OpenDocument") << "cmdEsportaOds";
        QTest::newRow("Excel workbook") << "cmdEsportaXlsx";
    }
    void exportComesBack()
    {
        QFETCH(QString, button);
        QList<TSchedaOpera> works;
        for (int i = 0; i < 12; ++i) {
            TSchedaOpera r = makeRecord(QStringLiteral("Opera %1 \u00E8 & <b>").arg(i), QStringLiteral("Rossi  Maria"),
                                        i % 3 ? QStringLiteral("%1,50").arg(i * 1000) : QStringLiteral("0,00"), i % 2);
            for (int t = 0; t < kImportPhoto; ++t) {
                const Campo c = importField(t);
                if (c != Campo::Capo && c != Campo::Colore && c != Campo::Prezzo && c != Campo::Segnala)
                    r.setText(c, QStringLiteral("0%1 %2 \u00E0").arg(i).arg(importTargetName(t)));
            }
            r.setText(Campo::CodFisc, QStringLiteral("04128730589"));
            works.append(r);
        }
        FakeSheet source;
        source.path = makeCatalog(QStringLiteral("Origine"), works);
        source.name = QStringLiteral("Origine");
        QString exported;
        {
            TfrmExpOpere exp;
            exp.setSheet(&source);
            exp.show();
            QVERIFY(QTest::qWaitForWindowExposed(&exp));
            m_bed->dialogs.confirmAnswers << true << false;
            click(exp.findChild<QWidget*>(button));
            exported = button == u"cmdEsporta"
                ? m_bed->folder.file(spreadsheetFileName())
                : m_bed->folder.file(workbookFileName(button == u"cmdEsportaOds" ? WorkbookFormat::OpenDocument
                                                                                 : WorkbookFormat::OfficeOpenXml));
        }
        QVERIFY(QFileInfo::exists(exported));

        TfrmImporta w;
        w.setTarget(catalogFile(QStringLiteral("Copia")), QStringLiteral("Copia"), true);
        choose(w, exported);
        QVERIFY(w.chkIntestazione->isChecked());
        m_bed->dialogs.clear();
        click(w.cmdImporta);
        QVERIFY2(m_bed->dialogs.texts() == QStringList{QStringLiteral("Importate 12 schede")},
                 qPrintable(m_bed->dialogs.texts().join(u'|')));
        const auto back = readRecords(catalogFile(QStringLiteral("Copia")));
        QCOMPARE(int(back.size()), works.size());
        for (int i = 0; i < works.size(); ++i) {
            for (int t = 0; t < kImportPhoto; ++t) {
                const Campo c = importField(t);
                QCOMPARE(back[size_t(i)].text(c), works[i].text(c));
            }
            QCOMPARE(back[size_t(i)].venduta(), works[i].venduta());
        }
    }

    // Ctrl+I in the sheet appends to the open catalog and shows the first new record.
    void appendFromSheet()
    {
        const QString archive = makeCatalog(QStringLiteral("Paesaggi"),
                                            {makeRecord(QStringLiteral("Prima"), QStringLiteral("Rossi"), QString())});
        sheet()->openCatalog(archive, QStringLiteral("Paesaggi"));
        moveTo(windows().frmAvvio, sheet());
        QVERIFY(QTest::qWaitForWindowActive(sheet()));
        const QString source = writeSource(QStringLiteral("opere.csv"), csv1252(kWorks));

        bool shown = false;
        whenModalShown([&](QWidget* modal) {
            auto* w = qobject_cast<TfrmImporta*>(modal);
            QVERIFY(w);
            shown = true;
            QCOMPARE(w->lblCatalogo->text(), QStringLiteral("Catalogo: Paesaggi"));
            choose(*w, source);
            click(w->cmdImporta);
        });
        QTest::keyClick(sheet()->focusWidget() ? sheet()->focusWidget() : sheet(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(shown);
        QCOMPARE(int(readRecords(archive).size()), 4);
        QCOMPARE(sheet()->shownNumber(), 2);
        QCOMPARE(sheet()->txtCapo->text(), QStringLiteral("Alba"));
    }
};

QTEST_MAIN(TestImporta)
#include "test_importa.moc"
