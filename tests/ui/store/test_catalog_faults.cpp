// What a user's machine does to the catalog windows' files: a read-only
// program folder (even for root), a catalog deleted or replaced while it is
// listed. Each test names its fault; the window gives its message, stays
// where it was, and the folder keeps what it held.
#include "Catalogs.h"
#include "Gui.h"
#include "ReadOnlyTree.h"
#include "app/Windows.h"
#include "shell/Avvio.h"
#include "store/ApriCatalogo.h"
#include "store/CreaCatalogo.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <memory>

using namespace pinakos;
using test::FakeDialogs;
using test::lines;
using Call = FakeDialogs::Call;

namespace {

const QString kCreateRefused =
    QStringLiteral("Attenzione: non è stato possibile creare il file di archivio del catalogo.");
const QString kDeleteRefused = QStringLiteral("Attenzione: non è stato possibile eliminare il catalogo selezionato.");

} // namespace

class TestCatalogFaults : public QObject
{
    Q_OBJECT
    std::unique_ptr<test::TestBed> m_bed;

    TfrmAvvio* avvio() { return windows().frmAvvio; }
    TfrmCreaCatalogo* crea() { return windows().frmCreaCatalogo; }
    TfrmApriCatalogo* apri() { return windows().frmApriCatalogo; }
    QStringList entries() const
    {
        return QDir(m_bed->folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    void select(const QString& line)
    {
        const QList<QListWidgetItem*> found = apri()->lstFiles->findItems(line, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QListWidget* l = apri()->lstFiles;
        QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, l->visualItemRect(found.first()).center());
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { m_bed = std::make_unique<test::TestBed>(); }
    void cleanup()
    {
        for (QWidget* w :
             {static_cast<QWidget*>(avvio()), static_cast<QWidget*>(crea()), static_cast<QWidget*>(apri())})
            w->hide();
        m_bed.reset();
    }

    // Read-only program folder: creating a catalog gives the creation
    // message with the reason, the window stays, no file appears.
    void readOnlyFolderRefusesCreation()
    {
        test::makeCatalog(QStringLiteral("Vecchio"));
        const QStringList before = entries();
        moveTo(avvio(), crea());
        test::ReadOnlyTree readOnly(m_bed->folder.path());
        if (!readOnly.active())
            QSKIP(test::kNoReadOnlyFolder);
        test::typeKeys(crea()->txtFile, QStringLiteral("Paesaggi"));
        test::click(crea()->btnApplica);
        QCOMPARE(m_bed->dialogs.calls.size(), 1);
        QCOMPARE(m_bed->dialogs.last().call, Call::Error);
        QVERIFY(m_bed->dialogs.last().text.startsWith(kCreateRefused));
        QVERIFY(crea()->isVisible());
        QCOMPARE(entries(), before);
    }

    // Read-only program folder: deleting a catalog gives the deletion
    // message, the archive stays and stays listed.
    void readOnlyFolderRefusesDeletion()
    {
        const QString path = test::makeCatalog(QStringLiteral("Uno"), {test::makeRecord("A", "B", "1,00")});
        moveTo(avvio(), apri());
        select(QStringLiteral("Uno.art"));
        test::ReadOnlyTree readOnly(m_bed->folder.path());
        if (!readOnly.active())
            QSKIP(test::kNoReadOnlyFolder);
        m_bed->dialogs.confirmAnswers.enqueue(true);
        test::click(apri()->btnElimina);
        QCOMPARE(m_bed->dialogs.count(Call::Information), 0);
        QCOMPARE(m_bed->dialogs.last().call, Call::Error);
        QVERIFY(m_bed->dialogs.last().text.startsWith(kDeleteRefused));
        QCOMPARE(QFileInfo(path).size(), TSchedaOpera::Size);
        QCOMPARE(lines(apri()->lstFiles), QStringList{"Uno.art"});
    }

    // The listed catalog deleted by someone else before "Elimina": no
    // crash, a message, and the list no longer shows it.
    void listedCatalogDeletedMeanwhile()
    {
        const QString path = test::makeCatalog(QStringLiteral("Uno"));
        test::makeCatalog(QStringLiteral("Due"));
        moveTo(avvio(), apri());
        select(QStringLiteral("Uno.art"));
        QVERIFY(QFile::remove(path));
        m_bed->dialogs.confirmAnswers.enqueue(true);
        test::click(apri()->btnElimina);
        QVERIFY(m_bed->dialogs.calls.size() >= 2);
        QCOMPARE(lines(apri()->lstFiles), QStringList{"Due.art"});
        QVERIFY(apri()->isVisible());
    }

    // A folder named like a catalog: never listed, so never opened as one.
    void folderNamedLikeCatalogIsNotListed()
    {
        test::makeCatalog(QStringLiteral("Uno"));
        QVERIFY(QDir().mkpath(m_bed->folder.file(QStringLiteral("Cartella.art"))));
        moveTo(avvio(), apri());
        QCOMPARE(lines(apri()->lstFiles), QStringList{"Uno.art"});
    }
};

QTEST_MAIN(TestCatalogFaults)
#include "test_catalog_faults.moc"
