#include "sheet/Price.h"

#include <QTest>

using namespace pinakos;

class TestPrice : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void normalise_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << "12"
                               << "12,00";
        QTest::newRow("one decimal") << "12,5"
                                     << "12,50";
        QTest::newRow("rounds up") << "12,346"
                                   << "12,35";
        QTest::newRow("rounds down") << "12,344"
                                     << "12,34";
        QTest::newRow("leading comma") << ",5"
                                       << "0,50";
        QTest::newRow("leading zeros") << "007"
                                       << "7,00";
        QTest::newRow("two commas") << "1,2,3"
                                    << "0,00";
        QTest::newRow("empty") << ""
                               << "0,00";
        QTest::newRow("blank") << "  \t "
                               << "0,00";
        QTest::newRow("comma only") << ","
                                    << "0,00";
        QTest::newRow("five") << "5"
                              << "5,00";
        QTest::newRow("half a cent") << "0,005"
                                     << "0,01";
        QTest::newRow("half up, not binary 2.675") << "2,675"
                                                   << "2,68";
        QTest::newRow("half up, not binary 1.005") << "1,005"
                                                   << "1,01";
        QTest::newRow("carry through nines") << "99,995"
                                             << "100,00";
        QTest::newRow("trailing comma") << "5,"
                                        << "5,00";
        QTest::newRow("blanks around") << "  12,5 "
                                       << "12,50";
        QTest::newRow("zero") << "0"
                              << "0,00";
        QTest::newRow("below half a cent") << "0,0049"
                                           << "0,00";
        QTest::newRow("exponent") << "1e3"
                                  << "1000,00";
        QTest::newRow("exponent with comma") << "1,2345E2"
                                             << "123,45";
        QTest::newRow("negative exponent") << "125e-2"
                                           << "1,25";
        QTest::newRow("tiny exponent") << "5e-999999999"
                                       << "0,00";
        QTest::newRow("huge exponent") << "1e999999999"
                                       << "0,00";
        QTest::newRow("plus sign") << "+3"
                                   << "3,00";
        QTest::newRow("negative half away from zero") << "-2,675"
                                                      << "-2,68";
        QTest::newRow("negative rounding to zero") << "-0,004"
                                                   << "0,00";
        QTest::newRow("full stop") << "12.5"
                                   << "0,00";
        QTest::newRow("thousands") << "1.200,50"
                                   << "0,00";
        QTest::newRow("inner blank") << "1 2"
                                     << "0,00";
        QTest::newRow("letters") << "abc"
                                 << "0,00";
        QTest::newRow("sign only") << "-"
                                   << "0,00";
        QTest::newRow("exponent without digits") << "1e"
                                                 << "0,00";
        QTest::newRow("exponent without mantissa") << "e3"
                                                   << "0,00";
        QTest::newRow("currency sign") << "12€"
                                       << "0,00";
        QTest::newRow("widest that fits") << "123456789012,344"
                                          << "123456789012,34";
        QTest::newRow("one digit too wide") << "1234567890123"
                                            << "0,00";
        QTest::newRow("rounding makes it too wide") << "999999999999,995"
                                                    << "0,00";
        QTest::newRow("negative too wide") << "-123456789012"
                                           << "0,00";
        QTest::newRow("many leading zeros") << "0000000000000000012"
                                            << "12,00";
        QTest::newRow("many decimals") << "1,23456789012345678901234"
                                       << "1,23";
    }
    void normalise()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        const QString got = normalisePrice(typed);
        QCOMPARE(got, expected);
        QVERIFY(got.size() <= kPriceWidth);
        // Normalising twice changes nothing.
        QCOMPARE(normalisePrice(got), got);
    }
};

QTEST_APPLESS_MAIN(TestPrice)
#include "test_price.moc"
