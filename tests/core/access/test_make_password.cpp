#include "TempFolder.h"
#include "Texts.h"
#include "access/PasswordStore.h"
#include "base/ProgramFolder.h"

#include <QProcess>
#include <QTest>

using namespace pinakos;
using pinakos::test::kPasswordFile;
using pinakos::test::TempFolder;

class TestMakePassword : public QObject
{
    Q_OBJECT
    int run(const QString& folder)
    {
        QProcess p;
        p.start(QStringLiteral(MAKE_PASSWORD_EXE), {folder});
        if (!p.waitForFinished(30000))
            return -1;
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

private Q_SLOTS:
    void writesFirstPassword()
    {
        TempFolder dir;
        QCOMPARE(run(dir.path() + QStringLiteral("sub")), 0);
        setProgramFolder(dir.path() + QStringLiteral("sub"));
        QCOMPARE(readStoredPassword(), QStringLiteral("PINAKOS"));
        QVERIFY(passwordAccepted(QStringLiteral("pinakos")));
    }

    void keepsChangedPassword()
    {
        TempFolder dir;
        storePassword(QStringLiteral("mia"));
        const QByteArray before = dir.read(kPasswordFile);
        QCOMPARE(run(dir.path()), 0);
        QCOMPARE(dir.read(kPasswordFile), before);
    }
};

QTEST_GUILESS_MAIN(TestMakePassword)
#include "test_make_password.moc"
