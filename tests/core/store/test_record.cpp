#include "store/Codec1252.h"
#include "store/SchedaOpera.h"

#include <QTest>

using namespace pinakos;

Q_DECLARE_METATYPE(pinakos::Campo)

class TestRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slotLayout_data();
    void slotLayout();
    void cittaBytes();
    void soldMark();
    void emptyOrOtherMarkIsNeither_data();
    void emptyOrOtherMarkIsNeither();
    void longTitleCutTo50();
    void blanksTrimmedBothWays();
    void shorterValueZeroesRestOfSlot();
    void overlongLengthByteStaysInSlot_data();
    void overlongLengthByteStaysInSlot();

    void allBytesRoundTrip();
    void unassignedBytesAreC1();
    void encodeSubstitutes_data();
    void encodeSubstitutes();
};

void TestRecord::slotLayout_data()
{
    QTest::addColumn<Campo>("campo");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("max");
    QTest::newRow("Capo") << Campo::Capo << 0 << 50;
    QTest::newRow("Descrizione") << Campo::Descrizione << 51 << 120;
    QTest::newRow("Colore") << Campo::Colore << 172 << 50;
    QTest::newRow("Tessuto") << Campo::Tessuto << 223 << 50;
    QTest::newRow("Misure") << Campo::Misure << 274 << 50;
    QTest::newRow("Peso") << Campo::Peso << 325 << 50;
    QTest::newRow("Usura") << Campo::Usura << 376 << 50;
    QTest::newRow("Difetti") << Campo::Difetti << 427 << 250;
    QTest::newRow("Servizio") << Campo::Servizio << 678 << 120;
    QTest::newRow("Specifiche") << Campo::Specifiche << 799 << 250;
    QTest::newRow("Cliente") << Campo::Cliente << 1050 << 50;
    QTest::newRow("CodFisc") << Campo::CodFisc << 1101 << 16;
    QTest::newRow("Recapito") << Campo::Recapito << 1118 << 30;
    QTest::newRow("Note") << Campo::Note << 1149 << 250;
    QTest::newRow("Prezzo") << Campo::Prezzo << 1400 << 15;
    QTest::newRow("Segnala") << Campo::Segnala << 1416 << 2;
    QTest::newRow("File01") << Campo::File01 << 1419 << 250;
    QTest::newRow("File02") << Campo::File02 << 1670 << 250;
    QTest::newRow("File03") << Campo::File03 << 1921 << 250;
    QTest::newRow("Desc01") << Campo::Desc01 << 2172 << 250;
    QTest::newRow("Desc02") << Campo::Desc02 << 2423 << 250;
    QTest::newRow("Desc03") << Campo::Desc03 << 2674 << 250;
}

void TestRecord::slotLayout()
{
    QFETCH(Campo, campo);
    QFETCH(int, offset);
    QFETCH(int, max);
    QCOMPARE(slotOf(campo).offset, offset);
    QCOMPARE(slotOf(campo).max, max);

    // A value longer than the slot fills exactly the slot's bytes, nothing around it.
    TSchedaOpera r;
    r.bytes().fill(0xAA);
    r.setText(campo, QString(max + 20, u'x'));
    QCOMPARE(int(r.bytes()[offset]), max);
    for (int i = 1; i <= max; ++i)
        QCOMPARE(r.bytes()[offset + i], 'x');
    if (offset > 0)
        QCOMPARE(int(r.bytes()[offset - 1]), 0xAA);
    if (offset + max + 1 < TSchedaOpera::Size)
        QCOMPARE(int(r.bytes()[offset + max + 1]), 0xAA);
    QCOMPARE(r.text(campo), QString(max, u'x'));
}

void TestRecord::cittaBytes()
{
    TSchedaOpera r;
    r.setText(Campo::Capo, QStringLiteral("citt\u00E0"));
    QCOMPARE(QByteArray(r.data(), 6), QByteArray("\x05\x63\x69\x74\x74\xE0", 6));
    QCOMPARE(r.text(Campo::Capo), QStringLiteral("citt\u00E0"));
}

void TestRecord::soldMark()
{
    TSchedaOpera r;
    r.setVenduta(true);
    QCOMPARE(QByteArray(r.data() + 1416, 3), QByteArray("\x02\x53\xEC", 3));
    QCOMPARE(r.venduta(), Venduta::Si);
    r.setVenduta(false);
    QCOMPARE(QByteArray(r.data() + 1416, 3), QByteArray("\x02\x4E\x6F", 3));
    QCOMPARE(r.venduta(), Venduta::No);
}

void TestRecord::emptyOrOtherMarkIsNeither_data()
{
    QTest::addColumn<QByteArray>("slot");
    QTest::newRow("empty") << QByteArray("\x00\x53\xEC", 3);
    QTest::newRow("lower case") << QByteArray("\x02\x73\xEC", 3);
    QTest::newRow("plain i") << QByteArray("\x02\x53\x69", 3);
    QTest::newRow("one letter") << QByteArray("\x01\x4E\x6F", 3);
}

void TestRecord::emptyOrOtherMarkIsNeither()
{
    QFETCH(QByteArray, slot);
    TSchedaOpera r;
    std::memcpy(r.bytes().data() + 1416, slot.constData(), 3);
    QCOMPARE(r.venduta(), Venduta::Nessuna);
}

void TestRecord::longTitleCutTo50()
{
    QString title;
    for (int i = 0; i < 60; ++i)
        title += QChar(u'A' + i % 26);
    TSchedaOpera r;
    r.setText(Campo::Capo, title);
    QCOMPARE(int(r.bytes()[0]), 50);
    QCOMPARE(r.text(Campo::Capo), title.left(50));
    QCOMPARE(int(r.bytes()[51]), 0); // the next slot is untouched
}

void TestRecord::blanksTrimmedBothWays()
{
    TSchedaOpera r;
    r.setText(Campo::Colore, QStringLiteral(" \t Caravaggio \r\n"));
    QCOMPARE(int(r.bytes()[172]), 10);
    QCOMPARE(r.text(Campo::Colore), QStringLiteral("Caravaggio"));

    // Blanks stored by someone else are not part of the value read.
    TSchedaOpera s;
    std::memcpy(s.bytes().data() + 172, "\x06  Io \x01", 7);
    QCOMPARE(s.text(Campo::Colore), QStringLiteral("Io"));
}

void TestRecord::shorterValueZeroesRestOfSlot()
{
    TSchedaOpera r;
    r.setText(Campo::Prezzo, QStringLiteral("123456789012345"));
    r.setText(Campo::Prezzo, QStringLiteral("0,00"));
    QCOMPARE(QByteArray(r.data() + 1400, 16),
             QByteArray("\x04"
                        "0,00"
                        "\0\0\0\0\0\0\0\0\0\0\0",
                        16));
}

void TestRecord::overlongLengthByteStaysInSlot_data()
{
    QTest::addColumn<Campo>("campo");
    QTest::newRow("first") << Campo::Capo;
    QTest::newRow("short slot") << Campo::Segnala;
    QTest::newRow("last") << Campo::Desc03;
}

void TestRecord::overlongLengthByteStaysInSlot()
{
    QFETCH(Campo, campo);
    const Slot s = slotOf(campo);
    TSchedaOpera r;
    r.bytes().fill('Z');
    r.bytes()[s.offset] = 255;
    std::fill(r.bytes().begin() + s.offset + 1, r.bytes().begin() + s.offset + 1 + s.max, 'a');
    QCOMPARE(r.text(campo), QString(s.max, u'a'));
}

void TestRecord::allBytesRoundTrip()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromWindows1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0x9F), QChar(0x0178));
    QCOMPARE(text.at(0xE0), QChar(0x00E0));
    QCOMPARE(toWindows1252(text), all);
}

void TestRecord::unassignedBytesAreC1()
{
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const char c = char(b);
        QCOMPARE(fromWindows1252(&c, 1), QString(QChar(b)));
        QCOMPARE(toWindows1252(QString(QChar(b))), QByteArray(1, c));
    }
}

void TestRecord::encodeSubstitutes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a macron") << QStringLiteral("\u0101") << QByteArray("a");
    QTest::newRow("O double acute") << QStringLiteral("\u0150") << QByteArray("O");
    QTest::newRow("euro") << QStringLiteral("\u20AC") << QByteArray("\x80");
    QTest::newRow("em dash") << QStringLiteral("\u2014") << QByteArray("\x97");
    QTest::newRow("chinese") << QStringLiteral("\u4E2D") << QByteArray("?");
    QTest::newRow("surrogate pair") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("e dot below circumflex") << QStringLiteral("\u1EC7") << QByteArray("e");
    QTest::newRow("u diaeresis macron") << QStringLiteral("\u01D6") << QByteArray("\xFC");
    QTest::newRow("s dot below dot above") << QStringLiteral("\u1E69") << QByteArray("s");
    QTest::newRow("mixed") << QStringLiteral("Ca\u0107a \u00E8") << QByteArray("Caca \xE8");
}

void TestRecord::encodeSubstitutes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toWindows1252(text), bytes);
}

QTEST_APPLESS_MAIN(TestRecord)
#include "test_record.moc"
