#include "base/ShellCommand.h"

#include <QDir>
#include <QTest>
#include <QUrlQuery>

using namespace pinakos;

class TestOpenUrl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commandToUrl_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("target"); // file URL, mail address or host
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");

        const QString folder = QDir::tempPath() + QStringLiteral("/Pinakos Prova/");
        // "file:///C:/..." on Windows, "file:///tmp/..." elsewhere.
        const QString fileUrl = folder.startsWith(u'/') ? QStringLiteral("file://") : QStringLiteral("file:///");
        QTest::newRow("manual in quotes")
            << QStringLiteral("\"") + folder + QStringLiteral("Guida.pdf\"") << QStringLiteral("file")
            << fileUrl + folder + QStringLiteral("Guida.pdf") << QString() << QString();
        QTest::newRow("document with blanks and accents")
            << QStringLiteral("\"") + folder + QStringLiteral("Documenti_Allegati/perizia è firmata.pdf\"")
            << QStringLiteral("file") << fileUrl + folder + QStringLiteral("Documenti_Allegati/perizia è firmata.pdf")
            << QString() << QString();
        // Paths written on Windows, as older archives and settings hold them.
        QTest::newRow("drive path, backslashes")
            << QStringLiteral("\"C:\\Programmi\\Pinakos\\Guida.pdf\"") << QStringLiteral("file")
            << QStringLiteral("file:///C:/Programmi/Pinakos/Guida.pdf") << QString() << QString();
        QTest::newRow("drive path, blanks, slashes")
            << QStringLiteral("\"d:/Opere d'arte/Documenti_Allegati/scheda 1.doc\"") << QStringLiteral("file")
            << QStringLiteral("file:///d:/Opere d'arte/Documenti_Allegati/scheda 1.doc") << QString() << QString();
        QTest::newRow("network share") << QStringLiteral("\"\\\\archivio\\pinakos\\Guida.pdf\"")
                                       << QStringLiteral("file") << QStringLiteral("file://archivio/pinakos/Guida.pdf")
                                       << QString() << QString();
        QTest::newRow("mailto in quotes")
            << QStringLiteral("\"mailto:info@example.org?subject=Software Pinakos&body=Salve, desidererei avere "
                              "le seguenti informazioni sul software in oggetto:\"")
            << QStringLiteral("mailto") << QStringLiteral("info@example.org") << QStringLiteral("Software Pinakos")
            << QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:");
        QTest::newRow("bare web address") << QStringLiteral("https://www.example.org") << QStringLiteral("https")
                                          << QStringLiteral("www.example.org") << QString() << QString();
        QTest::newRow("web address without scheme") << QStringLiteral("www.example.org") << QStringLiteral("http")
                                                    << QStringLiteral("www.example.org") << QString() << QString();
    }
    void commandToUrl()
    {
        QFETCH(QString, command);
        QFETCH(QString, scheme);
        QFETCH(QString, target);
        QFETCH(QString, subject);
        QFETCH(QString, body);

        const QUrl url = urlForShellCommand(command);
        QVERIFY2(url.isValid(), qPrintable(url.errorString()));
        QCOMPARE(url.scheme(), scheme);
        if (scheme == QLatin1String("file")) {
            QCOMPARE(url.toString(QUrl::FullyDecoded), target);
        } else if (scheme == QLatin1String("mailto")) {
            QCOMPARE(url.path(), target);
            const QUrlQuery q(url);
            QCOMPARE(q.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), subject);
            QCOMPARE(q.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), body);
        } else {
            QCOMPARE(url.host(), target);
        }
    }

    void emptyCommandGivesNoUrl()
    {
        QVERIFY(urlForShellCommand(QString()).isEmpty());
        QVERIFY(urlForShellCommand(QStringLiteral("\"\"")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOpenUrl)
#include "test_openurl.moc"
