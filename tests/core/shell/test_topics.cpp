#include "shell/HelpTopics.h"

#include <QTest>

using namespace pinakos;

class TestTopics : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titlesAndCounts_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("paragraphs");
        QTest::newRow("start") << 0 << QStringLiteral("Uno sguardo a Pinakos.") << 25;
        QTest::newRow("sheet") << 1 << QStringLiteral("App Pinakos.") << 16;
        QTest::newRow("export") << 2 << QStringLiteral("Esportazione inventario opere d'arte in Microsoft Excel.") << 3;
    }
    void titlesAndCounts()
    {
        QFETCH(int, which);
        QFETCH(QString, title);
        QFETCH(int, paragraphs);
        const HelpTopic t = which == 0 ? startTopic() : which == 1 ? sheetTopic() : exportTopic();
        QCOMPARE(t.title, title);
        QCOMPARE(t.paragraphs.size(), paragraphs);
        for (const QString& p : t.paragraphs) {
            QVERIFY(!p.trimmed().isEmpty());
            QVERIFY2(!p.contains(u'\r') && !p.contains(u'\n'), qPrintable(p));
        }
        // Paragraphs joined by an empty line, nothing after the last one.
        const QString body = t.body();
        QCOMPARE(body.split(QStringLiteral("\r\n\r\n")), t.paragraphs);
        QVERIFY(!body.endsWith(u'\n'));
        QCOMPARE(body.count(QStringLiteral("\r\n\r\n")), paragraphs - 1);
    }

    void startTopicWrapsTheSheetTopic()
    {
        const QStringList start = startTopic().paragraphs;
        const QStringList sheet = sheetTopic().paragraphs;
        QCOMPARE(start.mid(5, 16), sheet);
        // Its own paragraphs are not copies of the sheet's.
        for (const QString& own : start.mid(0, 5) + start.mid(21))
            QVERIFY(!sheet.contains(own));
        QVERIFY(startTopic().body().contains(sheetTopic().body()));
    }

    void firstAccessPasswordIsNamed()
    {
        const QStringList start = startTopic().paragraphs;
        QVERIFY(start.at(22).contains(QLatin1String("PINAKOS")));
        QVERIFY(start.at(22).contains(QLatin1String("\"Cambia password\"")));
        // Only there.
        for (int i = 0; i < start.size(); ++i)
            if (i != 22)
                QVERIFY(!start.at(i).contains(QLatin1String("PINAKOS")));
    }
};

QTEST_GUILESS_MAIN(TestTopics)
#include "test_topics.moc"
