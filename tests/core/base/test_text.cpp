#include "base/Text.h"

#include <QTest>

using namespace pinakos;

class TestText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void trimmed_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("blanks") << "  a b  "
                                << "a b";
        QTest::newRow("controls") << QString("\t\r\na\x01") << "a";
        QTest::newRow("nbsp kept") << QString(QChar(0xA0)) + "a" << QString(QChar(0xA0)) + "a";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("all blank") << " \t "
                                   << "";
    }
    void trimmed()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(pinakos::trimmed(in), out);
        QCOMPARE(isBlank(in), out.isEmpty());
    }

    void caseOnlyAsciiLetters()
    {
        QCOMPARE(upperAZ(QStringLiteral("abzè1")), QStringLiteral("ABZè1"));
        QCOMPARE(lowerAZ(QStringLiteral("ABZÈ1")), QStringLiteral("abzÈ1"));
    }

    void foldedOrder()
    {
        QStringList l{"Zeta.art", "alfa.art", "Beta.ART", "_x.art", "èa.art"};
        std::sort(l.begin(), l.end(), lessFolded);
        // '_' (95) sorts after the folded letters (65..90); 'è' after everything ASCII.
        QCOMPARE(l, (QStringList{"alfa.art", "Beta.ART", "Zeta.art", "_x.art", "èa.art"}));
        QCOMPARE(compareFolded("abc", "ABC"), 0);
        QVERIFY(lessFolded("ab", "abc"));
    }
};

QTEST_APPLESS_MAIN(TestText)
#include "test_text.moc"
