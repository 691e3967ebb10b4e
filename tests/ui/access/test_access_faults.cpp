// What a user's machine does to the password file during a change: the
// disk full, the program folder read-only (even for root). The change window
// gives its error message, the old password still opens the program and the
// file keeps every byte.
#include "FileSizeLimit.h"
#include "Gui.h"
#include "ReadOnlyTree.h"
#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "access/PasswordStore.h"
#include "app/Windows.h"
#include "shell/Avvio.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace pinakos;
using test::FakeDialogs;

namespace {
const QString kChangeFailed = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                                             "della password. Si consiglia di reinstallare il software.");
}

class TestAccessFaults : public QObject
{
    Q_OBJECT
    std::unique_ptr<test::TestBed> m_bed;

    TfrmPassword* login() { return windows().frmPassword; }
    TfrmCambiaPassword* change() { return windows().frmCambiaPassword; }

    void openChange()
    {
        moveTo(nullptr, login());
        QTRY_COMPARE(QApplication::activeWindow(), login());
        test::click(login()->btnCambiaPassword);
        QTRY_COMPARE(QApplication::activeWindow(), change());
        test::typeKeys(change()->txtPasswordOld, QStringLiteral("pinakos"));
        test::typeKeys(change()->txtPasswordNew, QStringLiteral("una nuova password piuttosto lunga"));
        test::typeKeys(change()->txtConferma, QStringLiteral("una nuova password piuttosto lunga"));
    }
    void expectOldPasswordKept(const QByteArray& before)
    {
        QCOMPARE(m_bed->dialogs.last().text, kChangeFailed);
        QCOMPARE(m_bed->folder.read(QStringLiteral("unins000.dll")), before);
        QVERIFY(passwordAccepted(QStringLiteral("PINAKOS")));
        QCOMPARE(QDir(m_bed->folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("unins000.dll")});
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init()
    {
        m_bed = std::make_unique<test::TestBed>();
        storePassword(QStringLiteral("pinakos"));
        login()->txtPassword->clear();
        windows().frmAvvio->hide();
        change()->hide();
    }
    void cleanup()
    {
        change()->hide();
        login()->hide();
        m_bed.reset();
    }

    // Disk full while the new password is written.
    void diskFullDuringPasswordChange()
    {
        const QByteArray before = m_bed->folder.read(QStringLiteral("unins000.dll"));
        openChange();
        {
            test::FileSizeLimit limit(before.size());
            PINAKOS_REQUIRE_ACTIVE_LIMIT(limit);
            test::click(change()->cmdOK);
        }
        expectOldPasswordKept(before);
    }

    // Read-only program folder and password file.
    void readOnlyFolderDuringPasswordChange()
    {
        const QByteArray before = m_bed->folder.read(QStringLiteral("unins000.dll"));
        openChange();
        test::ReadOnlyTree readOnly(m_bed->folder.path());
        if (!readOnly.active())
            QSKIP(test::kNoReadOnlyFolder);
        test::click(change()->cmdOK);
        expectOldPasswordKept(before);
    }
};

QTEST_MAIN(TestAccessFaults)
#include "test_access_faults.moc"
