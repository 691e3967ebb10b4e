#include "Catalogs.h"
#include "Gui.h"

#include "app/Windows.h"
#include "backup/Backup.h"
#include "backup/Bin.h"
#include "backup/Copie.h"
#include "base/Clock.h"
#include "base/ProgramFolder.h"
#include "kit/Picture.h"
#include "shell/Avvio.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"
#include "store/ApriCatalogo.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace pinakos;
using namespace pinakos::test;
using Call = FakeDialogs::Call;

namespace {

const QString kConfirmDelete = QStringLiteral("Si sta per eliminare il catalogo selezionato. Si ricorda che il file "
                                              "eliminato non potrà essere recuperato.\r\n\r\n"
                                              "Si conferma l'eliminazione dell'archivio?");
const QString kDeleted = QStringLiteral("Il catalogo è stato eliminato con successo.");

// Every file under a folder by its path inside it, copia.txt left out.
QMap<QString, QByteArray> filesUnder(const QString& folder)
{
    QMap<QString, QByteArray> out;
    const QString root = QDir::fromNativeSeparators(QDir(folder).absolutePath()) + u'/';
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = QDir::fromNativeSeparators(it.next());
        if (p.mid(root.size()) != QLatin1String("copia.txt"))
            out.insert(p.mid(root.size()), readAll(p));
    }
    return out;
}

QStringList foldersIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestCopie : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBed> m_bed;
    std::unique_ptr<QTemporaryDir> m_target;
    QMap<QString, QByteArray> m_files; // the program folder's files a copy takes

    // A program folder with a catalog, its photo, a document and the password.
    void fillFolder()
    {
        makeCatalog(QStringLiteral("Paesaggi"),
                    {makeRecord(QStringLiteral("Alba"), QStringLiteral("Rossi"), QStringLiteral("100,00")),
                     makeRecord(QStringLiteral("Tramonto è qui"), QStringLiteral("Bianchi"), QStringLiteral("5,00"))});
        m_bed->folder.write(QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg"), jpegOf(QSize(64, 48), Qt::red));
        m_bed->folder.write(QStringLiteral("Documenti_Allegati/Perizia firmata.pdf"), "%PDF-1.4 perizia");
        m_bed->folder.write(QStringLiteral("unins000.dll"), "[Password]\r\nValore=XYZ\r\n");
        m_files = filesUnder(m_bed->folder.path());
    }

    // Chooses the backup folder through the window, as the user does.
    void chooseFolder(TfrmCopie& w)
    {
        m_bed->dialogs.fileAnswers.enqueue(m_target->path());
        click(child<QPushButton>(&w, QStringLiteral("cmdCartella")));
    }

    static void selectLine(QListWidget* list, int row)
    {
        list->setCurrentRow(row);
        list->item(row)->setSelected(true);
    }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<TestBed>();
        m_target = std::make_unique<QTemporaryDir>();
        setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(20, 34, 46)); });
        fillFolder();
    }
    void cleanup()
    {
        backup::setFreeSpaceProbe({});
        setClock({});
        m_target.reset();
        m_bed.reset();
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("cmdCartella") << "cmdCartella" << QStringLiteral("Scegli cartella…");
        QTest::newRow("cmdCrea") << "cmdCrea" << QStringLiteral("Crea copia ora");
        QTest::newRow("cmdRipristina") << "cmdRipristina" << QStringLiteral("Ripristina");
        QTest::newRow("cmdRecupera") << "cmdRecupera" << QStringLiteral("Recupera");
        QTest::newRow("btnChiudi") << "btnChiudi" << QStringLiteral("Chiudi");
        QTest::newRow("chkAutomatica") << "chkAutomatica"
                                       << QStringLiteral("Copia automatica alla chiusura del programma");
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        TfrmCopie w;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral(" Copie di sicurezza"));
        auto* b = child<QAbstractButton>(&w, name);
        QVERIFY(b);
        QCOMPARE(b->text(), text);
        QVERIFY(b->isVisible());
        if (!qEnvironmentVariableIsEmpty("PINAKOS_GRAB_COPIE"))
            w.grab().save(qEnvironmentVariable("PINAKOS_GRAB_COPIE"));
        // Inside the panel, clear of every other control.
        QVERIFY(w.panContainer->rect().contains(b->geometry()));
        for (QWidget* other : w.panContainer->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (other != b
                && (other->objectName().startsWith(QLatin1String("cmd"))
                    || other->objectName().startsWith(QLatin1String("lst"))))
                QVERIFY2(!other->geometry().intersects(b->geometry()), qPrintable(other->objectName()));
    }

    // Each command tells what it does on the information line while the
    // pointer is over it; the background empties the line.
    void hoverHints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cmdCartella") << "cmdCartella"
                                     << QStringLiteral("Scegli la cartella in cui tenere le copie di sicurezza.");
        QTest::newRow("cmdCrea") << "cmdCrea"
                                 << QStringLiteral("Crea subito una copia di tutti i cataloghi, foto e documenti.");
        QTest::newRow("cmdRipristina") << "cmdRipristina"
                                       << QStringLiteral("Rimette nel programma i file della copia scelta.");
        QTest::newRow("cmdRecupera") << "cmdRecupera"
                                     << QStringLiteral("Riporta tra i cataloghi quello scelto nel cestino.");
        QTest::newRow("btnChiudi") << "btnChiudi" << QStringLiteral("Esci da questo ambiente di lavoro.");
    }
    void hoverHints()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        TfrmCopie w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        hover(child(&w, name));
        QCOMPARE(w.panInfo->text(), hint);
        hover(w.shpSfondo);
        QCOMPARE(w.panInfo->text(), QString());
    }

    // No folder yet: empty label, the option off, a copy asks for the folder
    // first; the folder dialog opens at the user's home.
    void folderFirst()
    {
        TfrmCopie w;
        w.show();
        QCOMPARE(w.lblCartella->text(), QString());
        QVERIFY(!w.chkAutomatica->isChecked());
        click(w.cmdCrea);
        QCOMPARE(m_bed->dialogs.last().call, Call::Warning);
        QVERIFY(foldersIn(m_target->path()).isEmpty());

        chooseFolder(w);
        QCOMPARE(m_bed->dialogs.last().call, Call::Folder);
        QCOMPARE(m_bed->dialogs.last().request.proposedName, QDir::homePath());
        QCOMPARE(w.lblCartella->text(), QDir::toNativeSeparators(m_target->path()));
        QVERIFY(w.chkAutomatica->isChecked());
        // The setting lives in Copie.ini, never in the password file.
        QVERIFY(QString::fromUtf8(m_bed->folder.read(QStringLiteral("Copie.ini")))
                    .contains(QDir::toNativeSeparators(m_target->path())));
        QCOMPARE(m_bed->folder.read(QStringLiteral("unins000.dll")), m_files.value(QStringLiteral("unins000.dll")));

        // Next time the dialog opens where the folder is.
        TfrmCopie again;
        QCOMPARE(again.lblCartella->text(), QDir::toNativeSeparators(m_target->path()));
        m_bed->dialogs.fileAnswers.enqueue(QString());
        click(again.cmdCartella);
        QCOMPARE(QDir::cleanPath(m_bed->dialogs.last().request.proposedName), QDir::cleanPath(m_target->path()));
    }

    // A copy holds everything byte for byte; restoring it after the archive
    // is damaged brings the archive back and keeps the damaged one aside.
    void copyThenRestore()
    {
        TfrmCopie w;
        w.show();
        chooseFolder(w);
        click(w.cmdCrea);
        QCOMPARE(m_bed->dialogs.count(Call::Progress), 1);
        QCOMPARE(m_bed->dialogs.last().call, Call::Information);
        QCOMPARE(w.lstCopie->count(), 1);
        QVERIFY2(w.lstCopie->item(0)->text().startsWith(QStringLiteral("10/12/2026 20:34:46   manuale   ")),
                 qPrintable(w.lstCopie->item(0)->text()));
        const QStringList made = foldersIn(m_target->path());
        QCOMPARE(made, QStringList{QStringLiteral("Pinakos-copia-2026-12-10-203446")});
        const QString copy = m_target->path() + u'/' + made.first();
        QMap<QString, QByteArray> inCopy = filesUnder(copy);
        QVERIFY(inCopy.remove(QStringLiteral("Copie.ini")));
        QCOMPARE(inCopy, m_files);
        const QString list = QString::fromUtf8(readAll(copy + QStringLiteral("/copia.txt")));
        for (const QString& f : m_files.keys())
            QVERIFY2(list.contains(u'\t' + f + QStringLiteral("\r\n")), qPrintable(f));

        // Damage the archive, then restore.
        const QString archive = m_bed->folder.file(QStringLiteral("Paesaggi.art"));
        QByteArray damaged = readAll(archive);
        damaged.truncate(1000);
        QVERIFY(writeFile(archive, damaged));
        QVERIFY(!w.cmdRipristina->isEnabled()); // no line chosen yet
        selectLine(w.lstCopie, 0);
        QVERIFY(w.cmdRipristina->isEnabled());

        m_bed->dialogs.confirmAnswers.enqueue(false);
        click(w.cmdRipristina);
        QVERIFY(m_bed->dialogs.last().text.contains(QStringLiteral("Ripristinare")));
        QCOMPARE(readAll(archive), damaged); // No: nothing changes
        QCOMPARE(w.lstCopie->count(), 1);

        setClock([] { return QDateTime(QDate(2026, 12, 10), QTime(21, 0, 0)); });
        selectLine(w.lstCopie, 0);
        m_bed->dialogs.confirmAnswers.enqueue(true);
        click(w.cmdRipristina);
        QCOMPARE(m_bed->dialogs.last().call, Call::Information);
        QCOMPARE(m_bed->dialogs.last().text, QStringLiteral("Ripristino completato."));
        QCOMPARE(readAll(archive), m_files.value(QStringLiteral("Paesaggi.art")));
        QCOMPARE(w.lstCopie->count(), 2);
        QVERIFY(w.lstCopie->item(0)->text().startsWith(QStringLiteral("10/12/2026 21:00:00   prima del ripristino")));
        QCOMPARE(readAll(m_target->path() + QStringLiteral("/Pinakos-copia-2026-12-10-210000/Paesaggi.art")), damaged);
    }

    // A copy onto a full disk says so, leaves no copy, and the window goes on.
    void fullDisk()
    {
        TfrmCopie w;
        w.show();
        chooseFolder(w);
        backup::setFreeSpaceProbe([](const QString&) { return qint64(1000); });
        click(w.cmdCrea);
        QCOMPARE(m_bed->dialogs.last().call, Call::Error);
        QVERIFY2(m_bed->dialogs.last().text.contains(QStringLiteral("pieno")), qPrintable(m_bed->dialogs.last().text));
        QVERIFY(foldersIn(m_target->path()).isEmpty());
        QCOMPARE(w.lstCopie->count(), 0);
        QVERIFY(w.isVisible());
        backup::setFreeSpaceProbe({});
        click(w.cmdCrea);
        QCOMPARE(w.lstCopie->count(), 1);
    }

    // Cancel in the progress dialog: no copy, a word about it, nothing left
    // behind; without it the progress runs to its end.
    void cancelledCopy()
    {
        TfrmCopie w;
        w.show();
        chooseFolder(w);
        m_bed->dialogs.cancelProgressAt = 1;
        click(w.cmdCrea);
        QCOMPARE(m_bed->dialogs.last().call, Call::Message);
        QCOMPARE(m_bed->dialogs.last().text, QStringLiteral("La copia di sicurezza è stata annullata."));
        QVERIFY(foldersIn(m_target->path()).isEmpty());
        QCOMPARE(w.lstCopie->count(), 0);
        m_bed->dialogs.cancelProgressAt = -1;
        m_bed->dialogs.progressSteps.clear();
        click(w.cmdCrea);
        QCOMPARE(w.lstCopie->count(), 1);
        QCOMPARE(m_bed->dialogs.progressSteps.last(), 1000);
    }

    // A copy damaged or removed after it was listed is not restored; the
    // message names the damaged file, and the program folder stays as it is.
    void brokenCopyIsNotRestored_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("says");
        QTest::newRow("photo damaged") << "photo"
                                       << QDir::toNativeSeparators(QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg"));
        QTest::newRow("copy removed") << "removed" << QStringLiteral("non esiste più");
    }
    void brokenCopyIsNotRestored()
    {
        QFETCH(QString, damage);
        QFETCH(QString, says);
        TfrmCopie w;
        w.show();
        chooseFolder(w);
        click(w.cmdCrea);
        QCOMPARE(w.lstCopie->count(), 1);
        const QString copy = m_target->path() + QStringLiteral("/Pinakos-copia-2026-12-10-203446");
        if (damage == QLatin1String("photo")) {
            QByteArray photo = readAll(copy + QStringLiteral("/Pinakos/Paesaggi_Foto_1.jpg"));
            photo[photo.size() / 2] = char(photo[photo.size() / 2] ^ 0x40);
            QVERIFY(writeFile(copy + QStringLiteral("/Pinakos/Paesaggi_Foto_1.jpg"), photo));
        } else {
            QVERIFY(QDir(copy).removeRecursively());
        }
        m_bed->folder.write(QStringLiteral("Paesaggi.art"), "present");
        selectLine(w.lstCopie, 0);
        m_bed->dialogs.confirmAnswers.enqueue(true);
        click(w.cmdRipristina);
        QCOMPARE(m_bed->dialogs.last().call, Call::Error);
        QVERIFY2(m_bed->dialogs.last().text.contains(says), qPrintable(m_bed->dialogs.last().text));
        QCOMPARE(m_bed->folder.read(QStringLiteral("Paesaggi.art")), QByteArray("present"));
        QCOMPARE(m_bed->folder.read(QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg")),
                 m_files.value(QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg")));
        // No copy "prima del ripristino" for a restore that did not start.
        QCOMPARE(w.lstCopie->count(), damage == QLatin1String("photo") ? 1 : 0);
    }

    // Deleting a catalog asks and tells as before, and moves it to the bin;
    // "Recupera" brings it back, under another name when its own is taken.
    void deletedCatalogComesBack()
    {
        const QByteArray original = m_files.value(QStringLiteral("Paesaggi.art"));
        auto deleteIt = [this] {
            TfrmApriCatalogo apri;
            apri.show();
            QList<QListWidgetItem*> found = apri.lstFiles->findItems(QStringLiteral("Paesaggi.art"), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            found.first()->setSelected(true);
            m_bed->dialogs.confirmAnswers.enqueue(true);
            click(apri.btnElimina);
            QCOMPARE(m_bed->dialogs.texts().mid(m_bed->dialogs.texts().size() - 2),
                     QStringList({kConfirmDelete, kDeleted}));
            QVERIFY(apri.lstFiles->findItems(QStringLiteral("Paesaggi.art"), Qt::MatchExactly).isEmpty());
        };
        deleteIt();
        QVERIFY(!QFileInfo::exists(m_bed->folder.file(QStringLiteral("Paesaggi.art"))));
        QVERIFY(QFileInfo::exists(m_bed->folder.file(QStringLiteral("Pinakos/Paesaggi_Foto_1.jpg"))));

        {
            TfrmCopie w;
            w.show();
            QCOMPARE(w.lstCestino->count(), 1);
            QCOMPARE(w.lstCestino->item(0)->text(), QStringLiteral("Paesaggi   eliminato il 10/12/2026 alle 20:34"));
            click(w.cmdRecupera);
            QCOMPARE(m_bed->dialogs.last().call, Call::Warning); // none chosen
            selectLine(w.lstCestino, 0);
            click(w.cmdRecupera);
            QCOMPARE(m_bed->dialogs.last().call, Call::Information);
            QCOMPARE(w.lstCestino->count(), 0);
        }
        QCOMPARE(m_bed->folder.read(QStringLiteral("Paesaggi.art")), original);

        // Deleted again, and a new catalog takes the name meanwhile.
        deleteIt();
        makeCatalog(QStringLiteral("paesaggi"));
        TfrmCopie w;
        w.show();
        selectLine(w.lstCestino, 0);
        m_bed->dialogs.textAnswers.enqueue(QStringLiteral("Con/barra"));
        m_bed->dialogs.textAnswers.enqueue(QStringLiteral(" Paesaggi antichi "));
        click(w.cmdRecupera);
        QCOMPARE(m_bed->dialogs.count(Call::AskText), 2); // the invalid name is asked again
        QCOMPARE(m_bed->folder.read(QStringLiteral("Paesaggi antichi.art")), original);
        QCOMPARE(m_bed->folder.read(QStringLiteral("paesaggi.art")), QByteArray());
        QCOMPARE(w.lstCestino->count(), 0);
    }

    // Ending the program makes the automatic copy when it is due; one that
    // fails lets the program end and is told once at the next start.
    void automaticCopyAtEnd()
    {
        {
            TfrmCopie w;
            chooseFolder(w);
            QVERIFY(w.chkAutomatica->isChecked());
        }
        int before = endProgramRequests();
        endProgram();
        QCOMPARE(endProgramRequests(), before + 1);
        QList<backup::Copy> copies = backup::listCopies(m_target->path());
        QCOMPARE(copies.size(), 1);
        QCOMPARE(copies[0].kind, backup::Kind::Automatic);
        QCOMPARE(readAll(copies[0].folder + QStringLiteral("/Paesaggi.art")),
                 m_files.value(QStringLiteral("Paesaggi.art")));
        endProgram(); // nothing changed since
        QCOMPARE(backup::listCopies(m_target->path()).size(), 1);

        // The option off: no copy, though the archive changed.
        m_bed->folder.write(QStringLiteral("Paesaggi.art"), "cambiato");
        {
            TfrmCopie w;
            w.show();
            QVERIFY(w.chkAutomatica->isChecked());
            click(w.chkAutomatica);
            QVERIFY(!w.chkAutomatica->isChecked());
        }
        endProgram();
        QCOMPARE(backup::listCopies(m_target->path()).size(), 1);
        {
            TfrmCopie w;
            QVERIFY(!w.chkAutomatica->isChecked()); // kept in Copie.ini
            w.chkAutomatica->click();
        }
        endProgram();
        QCOMPARE(backup::listCopies(m_target->path()).size(), 2);

        // The disk is gone at the next end.
        m_bed->folder.write(QStringLiteral("Nuovo.art"), "nuovo");
        backup::Settings s = backup::loadSettings(programFolder());
        s.folder = m_target->path() + QStringLiteral("/chiavetta tolta");
        backup::saveSettings(programFolder(), s);
        before = endProgramRequests();
        endProgram();
        QCOMPARE(endProgramRequests(), before + 1);
        QCOMPARE(m_bed->dialogs.count(Call::Error), 0); // nothing stops the end

        TfrmAvvio avvio;
        avvio.show();
        QTRY_COMPARE(m_bed->dialogs.count(Call::Warning), 1);
        QVERIFY(m_bed->dialogs.last().text.contains(QStringLiteral("copia automatica")));
        avvio.hide();
        avvio.show();
        QTest::qWait(50);
        QCOMPARE(m_bed->dialogs.count(Call::Warning), 1); // told once
    }

    // At start the bin lets go of what was deleted more than 90 days ago.
    void startEmptiesTheOldBin()
    {
        m_bed->folder.write(QStringLiteral("Vecchio.art"), "vecchio");
        m_bed->folder.write(QStringLiteral("Recente.art"), "recente");
        const QDateTime today = now();
        bin::moveToBin(programFolder(), m_bed->folder.file(QStringLiteral("Vecchio.art")), today.addDays(-91));
        bin::moveToBin(programFolder(), m_bed->folder.file(QStringLiteral("Recente.art")), today.addDays(-89));
        startProgram();
        const QList<bin::Entry> left = bin::listBin(programFolder());
        destroyPersistentWindows();
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.first().name, QStringLiteral("Recente"));
        QCOMPARE(readAll(left.first().file), QByteArray("recente"));
    }

    // The start window's button opens the window; nothing of the start
    // window moved for it.
    void startWindowButton()
    {
        TfrmAvvio avvio;
        avvio.show();
        avvio.resize(1016, 713);
        auto* b = child<Picture>(&avvio, QStringLiteral("btnCopie"));
        QVERIFY(b);
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(b->toolTip(), QStringLiteral("Copie di sicurezza dei cataloghi."));
        for (QWidget* other : avvio.panContainer->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (other != b && other->objectName() != QLatin1String("shpSfondo"))
                QVERIFY2(!other->geometry().intersects(b->geometry()), qPrintable(other->objectName()));
        QVERIFY(avvio.findChild<QWidget*>(QStringLiteral("shpSfondo"))->geometry().contains(b->geometry()));

        QString title, help;
        whenModalShown([&](QWidget* m) {
            title = m->windowTitle();
            if (auto* w = qobject_cast<TfrmCopie*>(m)) {
                whenModalShown([&](QWidget* g) {
                    if (auto* guida = qobject_cast<TfrmGuida*>(g))
                        help = guida->lblTitolo->text();
                    g->close();
                });
                click(w->imgGuida);
                click(w->btnChiudi);
            }
        });
        click(b);
        QCOMPARE(title, QStringLiteral(" Copie di sicurezza"));
        QCOMPARE(help, backupTopic().title);
        if (!qEnvironmentVariableIsEmpty("PINAKOS_GRAB"))
            avvio.grab().save(qEnvironmentVariable("PINAKOS_GRAB"));
    }
};

QTEST_MAIN(TestCopie)
#include "test_copie.moc"
