#include "FileSizeLimit.h"
#include "Gui.h"
#include "Texts.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "access/PasswordStore.h"
#include "app/Windows.h"
#include "shell/Avvio.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace pinakos;
using namespace pinakos::test;
using Call = FakeDialogs::Call;

namespace {

const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadError = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                                          "password. Si consiglia di reinstallare il software.");
const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kUnconfirmed = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                            "E' necessario reinserire entrambi i valori.");
const QString kDone = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeError = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                                            "della password. Si consiglia di reinstallare il software.");
const QString kUnstorable = QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi oppure è "
                                           "troppo lunga. Usare al massimo 255 caratteri tra lettere, cifre e simboli "
                                           "comuni.");

} // namespace

class TestPasswordWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBed> m_bed;

    TfrmPassword* login() { return windows().frmPassword; }
    TfrmCambiaPassword* change() { return windows().frmCambiaPassword; }

    void showLogin()
    {
        moveTo(nullptr, login());
        QTRY_COMPARE(QApplication::activeWindow(), login());
    }
    void openChange()
    {
        showLogin();
        click(login()->btnCambiaPassword);
        QTRY_COMPARE(QApplication::activeWindow(), change());
    }
    void fillChange(const QString& oldPw, const QString& newPw, const QString& confirm)
    {
        typeKeys(change()->txtPasswordOld, oldPw);
        typeKeys(change()->txtPasswordNew, newPw);
        typeKeys(change()->txtConferma, confirm);
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }

    void init()
    {
        m_bed = std::make_unique<TestBed>();
        storePassword(QStringLiteral("pinakos"));
        // Back to the login window alone, as after start-up; hiding does not
        // run the change window's close handler.
        login()->txtPassword->clear();
        moveTo(nullptr, login());
        windows().frmAvvio->hide();
        change()->hide();
        QTRY_COMPARE(QApplication::activeWindow(), login());
    }
    void cleanup() { m_bed.reset(); }

    // ------------------------------------------------------------ frames

    void frames()
    {
        const Qt::WindowFlags noButtons =
            Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
        QCOMPARE(login()->windowTitle(), QStringLiteral(" Pinakos - Autenticazione"));
        QCOMPARE(login()->size(), QSize(388, 405));
        QCOMPARE(login()->minimumSize(), login()->maximumSize());
        QVERIFY(!(login()->windowFlags() & noButtons));
        QCOMPARE(login()->panContainer->geometry(), QRect(14, 13, 360, 378));
        QCOMPARE(change()->windowTitle(), QStringLiteral(" Cambia password"));
        QCOMPARE(change()->size(), QSize(411, 418));
        QCOMPARE(change()->minimumSize(), change()->maximumSize());
        QVERIFY(!(change()->windowFlags() & noButtons));
        QCOMPARE(change()->panContainer->geometry(), QRect(13, 14, 385, 390));
        for (auto* l :
             {login()->txtPassword, change()->txtPasswordOld, change()->txtPasswordNew, change()->txtConferma})
            QCOMPARE(l->echoMode(), QLineEdit::Password);
    }

    void centredOnTheScreen()
    {
        const auto centred = [](QWidget* w) {
            return (w->frameGeometry().center() - w->screen()->availableGeometry().center()).manhattanLength() <= 2;
        };
        for (QWidget* w : {static_cast<QWidget*>(login()), static_cast<QWidget*>(change())}) {
            w->hide();
            w->move(0, 0);
            w->show();
            QVERIFY2(centred(w), w->metaObject()->className());
            w->hide();
        }
        showLogin();
    }

    void layout_data()
    {
        QTest::addColumn<bool>("inLogin");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("login shpSfondo") << true << "shpSfondo" << QRect(8, 8, 344, 265);
        QTest::newRow("login imgLogo") << true << "imgLogo" << QRect(16, 16, 328, 160);
        QTest::newRow("login shpTitolo") << true << "shpTitolo" << QRect(16, 184, 328, 81);
        QTest::newRow("login effPassword") << true << "effPassword" << QRect(32, 218, 238, 30);
        QTest::newRow("login txtPassword") << true << "txtPassword" << QRect(36, 222, 230, 22);
        QTest::newRow("login cmdOK") << true << "cmdOK" << QRect(280, 216, 49, 33);
        QTest::newRow("login cmdEsci") << true << "cmdEsci" << QRect(8, 338, 146, 32);
        QTest::newRow("login btnCambiaPassword") << true << "btnCambiaPassword" << QRect(205, 338, 146, 32);
        QTest::newRow("change shpSfondo") << false << "shpSfondo" << QRect(8, 8, 369, 334);
        QTest::newRow("change imgLogo") << false << "imgLogo" << QRect(16, 16, 353, 148);
        QTest::newRow("change effPasswordOld") << false << "effPasswordOld" << QRect(12, 189, 361, 30);
        QTest::newRow("change txtPasswordOld") << false << "txtPasswordOld" << QRect(16, 193, 353, 22);
        QTest::newRow("change effPasswordNew") << false << "effPasswordNew" << QRect(12, 245, 361, 30);
        QTest::newRow("change txtPasswordNew") << false << "txtPasswordNew" << QRect(16, 249, 353, 22);
        QTest::newRow("change effConferma") << false << "effConferma" << QRect(12, 301, 361, 30);
        QTest::newRow("change txtConferma") << false << "txtConferma" << QRect(16, 305, 353, 22);
        QTest::newRow("change cmdEsci") << false << "cmdEsci" << QRect(8, 350, 146, 32);
        QTest::newRow("change cmdOK") << false << "cmdOK" << QRect(232, 350, 146, 32);
    }
    void layout()
    {
        QFETCH(bool, inLogin);
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QWidget* w = inLogin ? static_cast<QWidget*>(login()) : static_cast<QWidget*>(change());
        QWidget* c = child(w, name);
        QVERIFY(c);
        QCOMPARE(placeOnPanel(c), place);
        if (auto* b = qobject_cast<QPushButton*>(c))
            QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }

    void labels_data()
    {
        QTest::addColumn<bool>("inLogin");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("pos");
        QTest::newRow("login lblRigo05") << true << "lblRigo05"
                                         << "Immetti la password e premi OK." << QPoint(36, 200);
        QTest::newRow("login cmdOK") << true << "cmdOK"
                                     << "OK" << QPoint(280, 216);
        QTest::newRow("login cmdEsci") << true << "cmdEsci"
                                       << "Esci" << QPoint(8, 338);
        QTest::newRow("login btnCambiaPassword") << true << "btnCambiaPassword"
                                                 << "Cambia password" << QPoint(205, 338);
        QTest::newRow("change lblRigo05") << false << "lblRigo05"
                                          << "Vecchia password:" << QPoint(16, 172);
        QTest::newRow("change lblRigo06") << false << "lblRigo06"
                                          << "Nuova password:" << QPoint(16, 228);
        QTest::newRow("change lblRigo07") << false << "lblRigo07"
                                          << "Conferma nuova password:" << QPoint(16, 284);
        QTest::newRow("change cmdEsci") << false << "cmdEsci"
                                        << "Chiudi" << QPoint(8, 350);
        QTest::newRow("change cmdOK") << false << "cmdOK"
                                      << "OK" << QPoint(232, 350);
    }
    void labels()
    {
        QFETCH(bool, inLogin);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QPoint, pos);
        QWidget* w = inLogin ? static_cast<QWidget*>(login()) : static_cast<QWidget*>(change());
        QWidget* c = child(w, name);
        QVERIFY(c);
        QCOMPARE(c->property("text").toString(), text);
        QCOMPARE(placeOnPanel(c).topLeft(), pos);
    }

    // ------------------------------------------------------------ login

    void blankKeepsOkDisabled()
    {
        showLogin();
        QTRY_COMPARE(QApplication::focusWidget(), login()->txtPassword);
        QVERIFY(login()->effPassword->isVisible());
        QVERIFY(!login()->cmdOK->isEnabled());
        typeKeys(login()->txtPassword, QStringLiteral("   "));
        QVERIFY(!login()->cmdOK->isEnabled());
        QTest::keyClick(login()->txtPassword, Qt::Key_Return);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
        QVERIFY(login()->isVisible());
        QVERIFY(!windows().frmAvvio->isVisible());
        typeKeys(login()->txtPassword, QStringLiteral("x"));
        QVERIFY(login()->cmdOK->isEnabled());
        QTest::keyClick(login()->txtPassword, Qt::Key_Backspace);
        QVERIFY(!login()->cmdOK->isEnabled());
    }

    void correctPasswordOpensStart_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("upper, OK") << "PINAKOS" << false;
        QTest::newRow("mixed, blanks, Enter") << "  PiNaKoS  " << true;
        QTest::newRow("lower, OK") << "pinakos " << false;
    }
    void correctPasswordOpensStart()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        showLogin();
        typeKeys(login()->txtPassword, typed);
        if (byEnter)
            QTest::keyClick(login()->txtPassword, Qt::Key_Return);
        else
            click(login()->cmdOK);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
        QVERIFY(windows().frmAvvio->isVisible());
        QVERIFY(!login()->isVisible());
    }

    void wrongPasswordEmptiesBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("other word") << "pinako";
        QTest::newRow("inner blank") << "pina kos";
    }
    void wrongPasswordEmptiesBox()
    {
        QFETCH(QString, typed);
        showLogin();
        typeKeys(login()->txtPassword, typed);
        QTest::keyClick(login()->txtPassword, Qt::Key_Return);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kWrong});
        QCOMPARE(m_bed->dialogs.last().call, Call::Message);
        QCOMPARE(login()->txtPassword->text(), QString());
        QVERIFY(!login()->cmdOK->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), login()->txtPassword);
        QVERIFY(login()->isVisible());
        QVERIFY(!windows().frmAvvio->isVisible());
    }

    void noPasswordFileLetsNobodyIn()
    {
        QFile::remove(m_bed->folder.file(kPasswordFile));
        showLogin();
        typeKeys(login()->txtPassword, QStringLiteral("pinakos"));
        click(login()->cmdOK);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kWrong});
        QVERIFY(login()->isVisible());
    }

    void damagedValueKeepsText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=7A2Q\r\n");
        QTest::newRow("far too large") << QByteArray("[Accesso]\r\nValore=7A\r\n") + QByteArray(2 << 20, ';');
    }
    void damagedValueKeepsText()
    {
        QFETCH(QByteArray, bytes);
        m_bed->folder.write(kPasswordFile, bytes);
        showLogin();
        typeKeys(login()->txtPassword, QStringLiteral("pinakos"));
        click(login()->cmdOK);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kReadError});
        QCOMPARE(m_bed->dialogs.last().call, Call::Message);
        QCOMPARE(login()->txtPassword->text(), QStringLiteral("pinakos"));
        QVERIFY(login()->isVisible());
        QVERIFY(!windows().frmAvvio->isVisible());
    }

    // ------------------------------------------------------------ change

    void changeWindowOpensEmpty()
    {
        showLogin();
        typeKeys(login()->txtPassword, QStringLiteral("abc"));
        click(login()->btnCambiaPassword);
        QVERIFY(change()->isVisible());
        QVERIFY(!login()->isVisible());
        // Left-overs from an earlier visit are gone.
        typeKeys(change()->txtPasswordOld, QStringLiteral("x"));
        change()->hide();
        moveTo(login(), change());
        QTRY_COMPARE(QApplication::activeWindow(), change());
        QCOMPARE(change()->txtPasswordOld->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), change()->txtPasswordOld);
        QVERIFY(change()->effPasswordOld->isVisible());
        QVERIFY(!change()->cmdOK->isEnabled());
    }

    void okNeedsAllThreeBoxes()
    {
        openChange();
        typeKeys(change()->txtPasswordOld, QStringLiteral("a"));
        typeKeys(change()->txtPasswordNew, QStringLiteral("b"));
        QVERIFY(!change()->cmdOK->isEnabled());
        typeKeys(change()->txtConferma, QStringLiteral(" "));
        QVERIFY(!change()->cmdOK->isEnabled());
        typeKeys(change()->txtConferma, QStringLiteral("c"));
        QVERIFY(change()->cmdOK->isEnabled());
        change()->txtPasswordOld->clear();
        QVERIFY(!change()->cmdOK->isEnabled());
    }

    void wrongOldPassword()
    {
        const QByteArray before = m_bed->folder.read(kPasswordFile);
        openChange();
        fillChange(QStringLiteral("sbagliata"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        click(change()->cmdOK);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kOldWrong});
        QCOMPARE(change()->txtPasswordOld->text(), QString());
        QCOMPARE(change()->txtPasswordNew->text(), QStringLiteral("nuova"));
        QTRY_COMPARE(QApplication::focusWidget(), change()->txtPasswordOld);
        QVERIFY(change()->isVisible());
        QCOMPARE(m_bed->folder.read(kPasswordFile), before);
    }

    void unconfirmedNewPassword_data()
    {
        QTest::addColumn<QString>("newPw");
        QTest::addColumn<QString>("confirm");
        QTest::newRow("case differs") << "Nuova"
                                      << "NUOVA";
        QTest::newRow("other text") << "nuova"
                                    << "nuovo";
    }
    void unconfirmedNewPassword()
    {
        QFETCH(QString, newPw);
        QFETCH(QString, confirm);
        const QByteArray before = m_bed->folder.read(kPasswordFile);
        openChange();
        fillChange(QStringLiteral("PINAKOS"), newPw, confirm);
        click(change()->cmdOK);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kUnconfirmed});
        QCOMPARE(change()->txtPasswordOld->text(), QStringLiteral("PINAKOS"));
        QCOMPARE(change()->txtPasswordNew->text(), QString());
        QCOMPARE(change()->txtConferma->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), change()->txtPasswordNew);
        QCOMPARE(m_bed->folder.read(kPasswordFile), before);
    }

    void successfulChange()
    {
        openChange();
        // Blanks around the confirmation do not count.
        fillChange(QStringLiteral(" Pinakos"), QStringLiteral("Nuova parola"), QStringLiteral("  Nuova parola "));
        click(change()->cmdOK);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kDone});
        QCOMPARE(m_bed->dialogs.last().call, Call::Message);
        QCOMPARE(readStoredPassword(), QStringLiteral("NUOVA PAROLA"));
        QVERIFY(!change()->isVisible());
        QVERIFY(login()->isVisible());
        QCOMPARE(login()->txtPassword->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), login()->txtPassword);

        // The old password no longer opens; the new one does, in any case.
        m_bed->dialogs.clear();
        typeKeys(login()->txtPassword, QStringLiteral("pinakos"));
        QTest::keyClick(login()->txtPassword, Qt::Key_Return);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kWrong});
        typeKeys(login()->txtPassword, QStringLiteral("nuova PAROLA"));
        QTest::keyClick(login()->txtPassword, Qt::Key_Return);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kWrong});
        QVERIFY(windows().frmAvvio->isVisible());
        QVERIFY(!login()->isVisible());
    }

    void unstorablePasswordRefused_data()
    {
        QTest::addColumn<QString>("newPw");
        QTest::newRow("euro sign") << QStringLiteral("prezzo€");
        QTest::newRow("256 characters") << QString(256, u'k');
    }
    void unstorablePasswordRefused()
    {
        QFETCH(QString, newPw);
        const QByteArray before = m_bed->folder.read(kPasswordFile);
        openChange();
        fillChange(QStringLiteral("pinakos"), newPw, newPw);
        QCOMPARE(change()->txtPasswordNew->text(), newPw);
        click(change()->cmdOK);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kUnstorable});
        QCOMPARE(m_bed->folder.read(kPasswordFile), before);
        QVERIFY(change()->isVisible());
        QCOMPARE(change()->txtPasswordNew->text(), QString());
        QCOMPARE(change()->txtConferma->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), change()->txtPasswordNew);
    }

    void longestPasswordStored()
    {
        const QString pw = QString(254, u'k') + QStringLiteral("è");
        openChange();
        fillChange(QStringLiteral("pinakos"), pw, pw);
        click(change()->cmdOK);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kDone});
        QCOMPARE(readStoredPassword(), QString(254, u'K') + QStringLiteral("è"));
    }

    void damagedValueInChange()
    {
        m_bed->folder.write(kPasswordFile, "[Accesso]\r\nValore=XY\r\n");
        const QByteArray before = m_bed->folder.read(kPasswordFile);
        openChange();
        fillChange(QStringLiteral("pinakos"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        click(change()->cmdOK);
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kChangeError});
        QVERIFY(change()->isVisible());
        QCOMPARE(m_bed->folder.read(kPasswordFile), before);
    }

    void failedWriteKeepsOldPassword()
    {
        const QByteArray before = m_bed->folder.read(kPasswordFile);
        openChange();
        fillChange(QStringLiteral("pinakos"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        {
            FileSizeLimit limit(16);
            PINAKOS_REQUIRE_ACTIVE_LIMIT(limit);
            click(change()->cmdOK);
        }
        QCOMPARE(m_bed->dialogs.texts(), QStringList{kChangeError});
        QVERIFY(change()->isVisible());
        QCOMPARE(m_bed->folder.read(kPasswordFile), before);
        QCOMPARE(readStoredPassword(), QStringLiteral("PINAKOS"));
    }

    void enterMovesRoundAndNeverStores()
    {
        const QByteArray before = m_bed->folder.read(kPasswordFile);
        openChange();
        fillChange(QStringLiteral("pinakos"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QVERIFY(change()->cmdOK->isEnabled());
        change()->txtPasswordOld->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), change()->txtPasswordOld);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), change()->txtPasswordNew);
        QVERIFY(change()->effPasswordNew->isVisible());
        QVERIFY(!change()->effPasswordOld->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), change()->txtConferma);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), change()->txtPasswordOld);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
        QVERIFY(change()->isVisible());
        QCOMPARE(m_bed->folder.read(kPasswordFile), before);
    }

    void closingReturnsToLogin_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Chiudi") << true;
        QTest::newRow("closed otherwise") << false;
    }
    void closingReturnsToLogin()
    {
        QFETCH(bool, byButton);
        const QByteArray before = m_bed->folder.read(kPasswordFile);
        showLogin();
        typeKeys(login()->txtPassword, QStringLiteral("qualcosa"));
        click(login()->btnCambiaPassword);
        QTRY_COMPARE(QApplication::activeWindow(), change());
        fillChange(QStringLiteral("pinakos"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        if (byButton)
            click(change()->cmdEsci);
        else
            change()->close();
        QVERIFY(!change()->isVisible());
        QVERIFY(login()->isVisible());
        QCOMPARE(login()->txtPassword->text(), QString());
        QVERIFY(!login()->cmdOK->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), login()->txtPassword);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
        QCOMPARE(m_bed->folder.read(kPasswordFile), before);
    }

    // Last: they ask the program to end.
    void exitEndsProgram_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Esci") << true;
        QTest::newRow("closed otherwise") << false;
    }
    void exitEndsProgram()
    {
        QFETCH(bool, byButton);
        showLogin();
        const int before = endProgramRequests();
        if (byButton)
            click(login()->cmdEsci);
        else
            login()->close();
        QCOMPARE(endProgramRequests(), before + 1);
        QVERIFY(!login()->isVisible());
    }
};

QTEST_MAIN(TestPasswordWindows)
#include "test_password_windows.moc"
