#include "Gui.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Windows.h"
#include "base/Format.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "store/ApriCatalogo.h"
#include "store/CreaCatalogo.h"

#include <QLocale>
#include <QTest>

#include <memory>

using namespace pinakos;

class TestFlow : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestBed> m_bed;

private Q_SLOTS:
    void initTestCase()
    {
        // A user with English regional settings.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        startProgram();
    }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { m_bed = std::make_unique<test::TestBed>(); }
    void cleanup() { m_bed.reset(); }

    void startShowsOnlyTheLogin()
    {
        const Windows& w = windows();
        QVERIFY(w.frmPassword && w.frmAvvio && w.frmCambiaPassword && w.frmCreaCatalogo && w.frmApriCatalogo
                && w.frmOpere);
        QVERIFY(w.frmPassword->isVisible());
        for (QWidget* other : {static_cast<QWidget*>(w.frmAvvio), static_cast<QWidget*>(w.frmCambiaPassword),
                               static_cast<QWidget*>(w.frmCreaCatalogo), static_cast<QWidget*>(w.frmApriCatalogo),
                               static_cast<QWidget*>(w.frmOpere)})
            QVERIFY2(!other->isVisible(), other->metaObject()->className());
    }

    void formatsHoldWhateverTheLocale()
    {
        QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1234,50"));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QCOMPARE(formatDate(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
    }

    void closingAWorkWindowReturnsToStart_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("creation") << 0;
        QTest::newRow("opening") << 1;
        QTest::newRow("sheet") << 2;
    }
    void closingAWorkWindowReturnsToStart()
    {
        QFETCH(int, which);
        const Windows& w = windows();
        QWidget* target = which == 0 ? static_cast<QWidget*>(w.frmCreaCatalogo)
            : which == 1             ? static_cast<QWidget*>(w.frmApriCatalogo)
                                     : static_cast<QWidget*>(w.frmOpere);
        if (which == 2)
            w.frmOpere->openCatalog(m_bed->folder.file(QStringLiteral("Prova.art")), QStringLiteral("Prova"));
        moveTo(w.frmPassword, w.frmAvvio);
        moveTo(w.frmAvvio, target);
        QVERIFY(target->isVisible());
        QVERIFY(!w.frmAvvio->isVisible());
        QVERIFY(target->close()); // the title bar's close button
        QVERIFY(w.frmAvvio->isVisible());
        QVERIFY(!target->isVisible());
        QCOMPARE(m_bed->dialogs.calls.size(), 0);
    }

    void closingTheStartWindowEndsTheProgram()
    {
        const int before = endProgramRequests();
        moveTo(nullptr, windows().frmAvvio);
        windows().frmAvvio->close();
        QCOMPARE(endProgramRequests(), before + 1);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }
};

QTEST_MAIN(TestFlow)
#include "test_flow.moc"
