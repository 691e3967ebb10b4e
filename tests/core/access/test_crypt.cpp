#include "access/Crypt.h"
#include "base/Failure.h"

#include <QRegularExpression>
#include <QTest>

using namespace pinakos;

class TestCrypt : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::newRow("empty") << QString();
        QTest::newRow("one char") << QStringLiteral("A");
        QTest::newRow("word") << QStringLiteral("PINAKOS");
        QTest::newRow("inner blank") << QStringLiteral("LA GIOCONDA 1503");
        QTest::newRow("accented") << QStringLiteral("èÈàÀùçÿ§°£");
        QTest::newRow("255 chars") << QString(255, QChar(u'Z'));
        QString all;
        for (int c = 1; c <= 255; ++c)
            all += QChar(char16_t(c));
        QTest::newRow("codes 1..255") << all;
    }
    void roundTrip()
    {
        QFETCH(QString, plain);
        const QString hex = ScrambleText(plain);
        QCOMPARE(hex.size(), 2 * plain.size());
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]*$")).match(hex).hasMatch());
        QCOMPARE(UnscrambleText(hex), plain);
        // Lower-case digits read the same.
        QCOMPARE(UnscrambleText(hex.toLower()), plain);
    }

    void knownVector()
    {
        // By hand: the key starts at 0x3B5D, mask 0x3B; 'A' = 0x41, 0x41 ^ 0x3B = 0x7A.
        // Next key: (0x3B5D + 0x7A) * 0xB7F5 + 0x71A3 = 0x3BD7 * 0xB7F5 + 0x71A3
        //   = 0x2AFFF5C3 + 0x71A3 -> mod 65536: 0xF5C3 + 0x71A3 = 0x16766 -> 0x6766, mask 0x67;
        // 'B' = 0x42, 0x42 ^ 0x67 = 0x25.
        QCOMPARE(ScrambleText(QStringLiteral("A")), QStringLiteral("7A"));
        QCOMPARE(ScrambleText(QStringLiteral("AB")), QStringLiteral("7A25"));
        QCOMPARE(UnscrambleText(QStringLiteral("7A25")), QStringLiteral("AB"));
        // The same letter does not give the same byte twice: the key runs on.
        QCOMPARE(ScrambleText(QStringLiteral("AA")).mid(2), QStringLiteral("26"));
    }

    void onlyLowByteCounts()
    {
        // U+0141 has the low byte 0x41, as 'A'.
        QCOMPARE(ScrambleText(QString(QChar(char16_t(0x141)))), QStringLiteral("7A"));
    }

    void oddLastDigitIgnored()
    {
        QCOMPARE(UnscrambleText(QStringLiteral("7A2")), QStringLiteral("A"));
        QCOMPARE(UnscrambleText(QStringLiteral("7")), QString());
        QCOMPARE(UnscrambleText(QStringLiteral("7A25X")), QStringLiteral("AB"));
    }

    void notHexThrows_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::newRow("letter G") << QStringLiteral("7G");
        QTest::newRow("second pair") << QStringLiteral("7A2Z");
        QTest::newRow("blank in pair") << QStringLiteral("7 ");
        QTest::newRow("sign") << QStringLiteral("+7");
        QTest::newRow("full-width digit") << QString(QChar(0xFF17)) + u'A';
    }
    void notHexThrows()
    {
        QFETCH(QString, hex);
        QVERIFY_THROWS_EXCEPTION(pinakos::Failure, UnscrambleText(hex));
    }
};

QTEST_GUILESS_MAIN(TestCrypt)
#include "test_crypt.moc"
