// The login window on its own, with a recording navigation in place of the
// program's: what it asks to be shown, and when it asks the program to end.
#include "FakeNavigation.h"
#include "Gui.h"

#include "access/Password.h"
#include "access/PasswordStore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

class TestLoginNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void passwordDecidesTheNextWindow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("opensStart");
        QTest::newRow("right, any case") << QStringLiteral(" PiNaKoS ") << true;
        QTest::newRow("wrong") << QStringLiteral("pinakos2") << false;
    }
    void passwordDecidesTheNextWindow()
    {
        QFETCH(QString, typed);
        QFETCH(bool, opensStart);
        TestBed bed;
        storePassword(QStringLiteral("pinakos"));
        FakeNavigation nav;
        TfrmPassword login;
        login.show();
        typeKeys(login.txtPassword, typed);
        click(login.cmdOK);
        if (opensStart) {
            QCOMPARE(nav.moves, (QList<FakeNavigation::Move>{{Screen::Avvio, &login}}));
            QVERIFY(bed.dialogs.calls.isEmpty());
        } else {
            QVERIFY(nav.moves.isEmpty());
            QCOMPARE(bed.dialogs.last().text, QStringLiteral("Attenzione: password errata."));
        }
        QCOMPARE(nav.endRequests, 0);
    }

    void changeButtonAndClosing()
    {
        TestBed bed;
        FakeNavigation nav;
        TfrmPassword login;
        login.show();
        click(login.btnCambiaPassword);
        QCOMPARE(nav.moves, (QList<FakeNavigation::Move>{{Screen::CambiaPassword, &login}}));
        // The login window is the main one: closed, it ends the program.
        click(login.cmdEsci);
        QCOMPARE(nav.endRequests, 1);
    }
};

QTEST_MAIN(TestLoginNavigation)
#include "test_login_navigation.moc"
