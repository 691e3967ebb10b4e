// The summary line, the order of the lists and find in list.
#include "base/Text.h"
#include "search/Summary.h"
#include "search/SummaryList.h"
#include "store/Codec1252.h"

#include <QRandomGenerator>
#include <QTest>

using namespace pinakos;

namespace {

// The five listed fields as one row of a table.
struct Listed
{
    QString title, artist, year, owner, price;
};

TSchedaOpera recordOf(const Listed& f)
{
    TSchedaOpera r;
    r.setText(Campo::Capo, f.title);
    r.setText(Campo::Colore, f.artist);
    r.setText(Campo::Tessuto, f.year);
    r.setText(Campo::Cliente, f.owner);
    r.setText(Campo::Prezzo, f.price);
    return r;
}

// Puts raw bytes into a slot, length byte first, whatever the slot's size.
void putRaw(TSchedaOpera& r, Campo c, const QByteArray& bytes, int lengthByte)
{
    const Slot s = slotOf(c);
    r.bytes()[size_t(s.offset)] = static_cast<unsigned char>(lengthByte);
    for (int i = 0; i < bytes.size() && s.offset + 1 + i < TSchedaOpera::Size; ++i)
        r.bytes()[size_t(s.offset + 1 + i)] = static_cast<unsigned char>(bytes[i]);
}

QString spaces(int n) { return QString(n, u' '); }

SummaryList listOf(const QStringList& lines)
{
    SummaryList list;
    for (int i = 0; i < lines.size(); ++i)
        list.addLine(i + 1, lines[i]);
    return list;
}

} // namespace

Q_DECLARE_METATYPE(Listed)

class TestSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void line_data();
    void line();
    void overlongLengthBytesStayInTheirSlot();
    void lineBytesRoundTrip();

    void order_data();
    void order();
    void orderOfEverySingleCharacter();
    void sortAgreesWithTextOrder();
    void sortKeepsRecordNumbers();

    void find_data();
    void find();
    void findOnEmptyList();
    void findSteppingThroughEveryMatch();
    void valoreMatchesEveryLine();
};

void TestSummary::line_data()
{
    QTest::addColumn<Listed>("fields");
    QTest::addColumn<QString>("expected");

    const QString euro = QStringLiteral("  Valore: \u20AC ");
    QTest::newRow("plain") << Listed{"Gioconda", "Leonardo", "1503", "Louvre", "1000,00"}
                           << QString("Gioconda" + spaces(26) + "  Artista: Leonardo" + spaces(20) + "  Anno: 1503"
                                      + spaces(10) + "  Prop. Louvre" + spaces(24) + euro + "1000,00");
    QTest::newRow("title cut at 34") << Listed{"Ritratto di gentiluomo con guanto e libro", "Tiziano", "", "", "0,00"}
                                     << QString("Ritratto di gentiluomo con guanto "
                                                + QStringLiteral("  Artista: Tiziano") + spaces(21)
                                                + "  Anno: " + spaces(14) + "  Prop. " + spaces(30) + euro + "0,00");
    QTest::newRow("every field full") << Listed{QString(50, u'T'), QString(50, u'A'), QString(50, u'Y'),
                                                QString(50, u'O'), QString(15, u'9')}
                                      << QString(QString(34, u'T') + "  Artista: " + QString(28, u'A')
                                                 + "  Anno: " + QString(14, u'Y') + "  Prop. " + QString(30, u'O')
                                                 + euro + QString(15, u'9'));
    QTest::newRow("empty record") << Listed{}
                                  << QString(spaces(34) + "  Artista: " + spaces(28) + "  Anno: " + spaces(14)
                                             + "  Prop. " + spaces(30) + euro);
    QTest::newRow("accents and euro kept")
        << Listed{QStringLiteral("Città all'alba"), QStringLiteral("Nicolò"), QStringLiteral("1890"),
                  QStringLiteral("Sig.ra Müller"), QStringLiteral("5,00")}
        << QString(QStringLiteral("Città all'alba") + spaces(20) + QStringLiteral("  Artista: Nicolò") + spaces(22)
                   + "  Anno: 1890" + spaces(10) + QStringLiteral("  Prop. Sig.ra Müller") + spaces(17) + euro
                   + "5,00");
}

void TestSummary::line()
{
    QFETCH(Listed, fields);
    QFETCH(QString, expected);
    const QString got = summaryLine(recordOf(fields));
    QCOMPARE(got, expected);
    QVERIFY(got.size() >= 145 && got.size() <= 160);
}

// Blanks and control bytes around a stored value (written by another
// program) are trimmed before fitting; a length byte over the slot's maximum
// is cut to the slot, never reaching into the next field.
void TestSummary::overlongLengthBytesStayInTheirSlot()
{
    TSchedaOpera r;
    putRaw(r, Campo::Capo, "  \t" + QByteArray(47, 'x'), 255);
    putRaw(r, Campo::Colore, "Bellini", 7);
    putRaw(r, Campo::Prezzo, " 12,00 \x01" + QByteArray(7, 'z'), 200);
    r.setVenduta(false); // the bytes right after the value's slot

    const QString got = summaryLine(r);
    QCOMPARE(got.left(34), QString(34, u'x'));
    QVERIFY(got.contains(QStringLiteral("  Artista: Bellini ")));
    // The value is its 15 bytes, trimmed.
    QVERIFY2(got.endsWith(QStringLiteral("\u20AC 12,00 \x01zzzzzzz")), qPrintable(got));
    QCOMPARE(got.size(), 145 + 15 - 1);
}

void TestSummary::lineBytesRoundTrip()
{
    char all[256];
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    const QString text = fromWindows1252(all, 256);
    bool ok = false;
    QCOMPARE(lineBytes(text, &ok), std::string(all, 256));
    QVERIFY(ok);

    // Characters the code page cannot hold have no byte (no substitute).
    lineBytes(QStringLiteral("\u0151"), &ok);
    QVERIFY(!ok);
    lineBytes(QStringLiteral("\U0001F600"), &ok);
    QVERIFY(!ok);
    lineBytes(QStringLiteral("\u0080"), &ok); // 0x80 is the euro sign, not U+0080
    QVERIFY(!ok);
}

void TestSummary::order_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("a..z folded") << QStringList{"banana", "Apple", "cherry", "apricot"}
                                 << QStringList{"Apple", "apricot", "banana", "cherry"};
    QTest::newRow("prefix first") << QStringList{"Abcd", "Ab", "abc", "A"} << QStringList{"A", "Ab", "abc", "Abcd"};
    // "_" (5F) and "[" (5B) lie between "Z" and "a": with folding they come
    // after every letter.
    QTest::newRow("punctuation after letters")
        << QStringList{"_x", "zeta", "[x", "Zed", "1"} << QStringList{"1", "Zed", "zeta", "[x", "_x"};
    // Accented letters keep their case and their code: "É" (C9) before "é" (E9),
    // both after every ASCII letter.
    QTest::newRow("accents by code") << QStringList{QStringLiteral("école"), "Zurigo", QStringLiteral("École"), "eco"}
                                     << QStringList{"eco", "Zurigo", QStringLiteral("École"), QStringLiteral("école")};
    // Character codes, not byte values: the euro sign (byte 80, U+20AC)
    // comes after "ÿ" (byte FF), and "Š" (byte 8A, U+0160) after "é".
    QTest::newRow("code not byte") << QStringList{QStringLiteral("\u20AC"), QStringLiteral("\u0160"),
                                                  QStringLiteral("\u00FF"), QStringLiteral("\u00E9")}
                                   << QStringList{QStringLiteral("\u00E9"), QStringLiteral("\u00FF"),
                                                  QStringLiteral("\u0160"), QStringLiteral("\u20AC")};
    QTest::newRow("long common start") << QStringList{"Natura morta con frutta e fiori", "Natura morta con Frutta",
                                                      "NATURA MORTA CON BROCCA"}
                                       << QStringList{"NATURA MORTA CON BROCCA", "Natura morta con Frutta",
                                                      "Natura morta con frutta e fiori"};
}

void TestSummary::order()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, sorted);
    SummaryList list = listOf(lines);
    list.sort();
    QCOMPARE(list.lines(), sorted);
}

// Each pair of characters of the code page compares as the program's text
// order compares them.
void TestSummary::orderOfEverySingleCharacter()
{
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const char x = char(a), y = char(b);
            const int bytes = compareLines(std::string_view(&x, 1), std::string_view(&y, 1));
            const int text = compareFolded(fromWindows1252(&x, 1), fromWindows1252(&y, 1));
            if ((bytes < 0) != (text < 0) || (bytes == 0) != (text == 0))
                QFAIL(qPrintable(QStringLiteral("bytes %1 and %2").arg(a).arg(b)));
        }
}

// Random lines over a small alphabet (so that long common starts and equal
// lines are frequent) sort as the text order sorts them.
void TestSummary::sortAgreesWithTextOrder()
{
    const QString alphabet = QStringLiteral("aAbB \u00E8\u00C8\u20AC_z");
    QRandomGenerator rng(7);
    QStringList lines;
    for (int i = 0; i < 3000; ++i) {
        QString s;
        const int length = rng.bounded(0, 14);
        for (int k = 0; k < length; ++k)
            s += alphabet.at(rng.bounded(alphabet.size()));
        lines << s;
    }
    SummaryList list = listOf(lines);
    list.sort();
    QStringList expected = lines;
    std::stable_sort(expected.begin(), expected.end(), lessFolded);
    QCOMPARE(list.lines(), expected);
}

void TestSummary::sortKeepsRecordNumbers()
{
    SummaryList list;
    list.addLine(1, QStringLiteral("zeta"));
    list.addLine(2, QStringLiteral("alfa"));
    list.addLine(3, QStringLiteral("Alfa"));
    list.addLine(4, QStringLiteral("alfa"));
    list.sort();
    QCOMPARE(list.lines(), (QStringList{"alfa", "Alfa", "alfa", "zeta"}));
    // Equal lines in archive order; each keeps its own record.
    QCOMPARE((QList<int>{list.record(0), list.record(1), list.record(2), list.record(3)}), (QList<int>{2, 3, 4, 1}));
}

void TestSummary::find_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("lastKey");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("lastAfter");

    const QStringList l = {"Rossi Mario", "Bianchi", "rossi anna", "Verdi", "ROSSI carlo"};
    const int found = FindOutcome::Found, none = FindOutcome::NotFound;
    QTest::newRow("new key from the top") << l << 3 << "rossi"
                                          << "" << found << 0 << "rossi";
    QTest::newRow("new key, first match lower") << l << 4 << "verdi"
                                                << "rossi" << found << 3 << "verdi";
    QTest::newRow("same key onward") << l << 0 << "rossi"
                                     << "rossi" << found << 2 << "rossi";
    QTest::newRow("same key wraps") << l << 4 << "rossi"
                                    << "rossi" << found << 0 << "rossi";
    QTest::newRow("typed capitals are the same key") << l << 2 << "ROSSI"
                                                     << "rossi" << found << 4 << "rossi";
    QTest::newRow("one match stays") << l << 3 << "verdi"
                                     << "verdi" << found << 3 << "verdi";
    QTest::newRow("no match keeps selection") << l << 1 << "neri"
                                              << "" << none << 1 << "neri";
    QTest::newRow("empty key changes nothing") << l << 2 << ""
                                               << "rossi" << none << 2 << "";
    QTest::newRow("nothing selected selects the first") << l << -1 << "neri"
                                                        << "" << none << 0 << "neri";
    QTest::newRow("nothing selected, same key") << l << -1 << "rossi"
                                                << "rossi" << found << 2 << "rossi";
    // The key is taken as typed: its blanks are part of it.
    QTest::newRow("blanks are part of the key") << l << 0 << " anna"
                                                << "" << found << 2 << " anna";
    QTest::newRow("blank at the end finds nothing") << l << 0 << "verdi "
                                                    << "" << none << 0 << "verdi ";
    // Only A..Z fold: an accented capital finds only itself.
    QTest::newRow("accent keeps its case")
        << QStringList{QStringLiteral("citt\u00E0"), QStringLiteral("CITT\u00C0")} << 0 << QStringLiteral("CITT\u00C0")
        << "" << found << 1 << QStringLiteral("citt\u00C0");
    QTest::newRow("character outside the code page")
        << l << 0 << QStringLiteral("ross\u0151") << "" << none << 0 << QStringLiteral("ross\u0151");
}

void TestSummary::find()
{
    QFETCH(QStringList, lines);
    QFETCH(int, selected);
    QFETCH(QString, typed);
    QFETCH(QString, lastKey);
    QFETCH(int, kind);
    QFETCH(int, row);
    QFETCH(QString, lastAfter);

    const SummaryList list = listOf(lines);
    QString last = lastKey;
    const FindOutcome o = findInList(list, selected, typed, last);
    QCOMPARE(int(o.kind), kind);
    QCOMPARE(o.row, row);
    QCOMPARE(last, lastAfter);
}

void TestSummary::findOnEmptyList()
{
    QString last = QStringLiteral("x");
    const FindOutcome o = findInList(SummaryList(), -1, QStringLiteral("rossi"), last);
    QCOMPARE(o.kind, FindOutcome::EmptyList);
    QCOMPARE(last, QStringLiteral("x"));
}

// Pressing Trova over and over with one key visits every matching line in
// order and comes round to the first again.
void TestSummary::findSteppingThroughEveryMatch()
{
    const SummaryList list = listOf({"a1", "b", "a2", "c", "a3"});
    QString last;
    int selected = 3;
    QList<int> visited;
    for (int i = 0; i < 4; ++i) {
        const FindOutcome o = findInList(list, selected, QStringLiteral("A"), last);
        QCOMPARE(o.kind, FindOutcome::Found);
        selected = o.row;
        visited << selected;
    }
    QCOMPARE(visited, (QList<int>{0, 2, 4, 0}));
}

void TestSummary::valoreMatchesEveryLine()
{
    SummaryList list;
    list.add(1, recordOf({"Uno", "A", "", "", "1,00"}).data());
    list.add(2, recordOf({}).data());
    list.add(3, recordOf({"Tre", "C", "", "", "3,00"}).data());
    QString last;
    int selected = 0;
    QList<int> visited;
    for (int i = 0; i < 3; ++i) {
        const FindOutcome o = findInList(list, selected, QStringLiteral("valore"), last);
        QCOMPARE(o.kind, FindOutcome::Found);
        selected = o.row;
        visited << selected;
    }
    QCOMPARE(visited, (QList<int>{0, 1, 2}));
    // The euro sign of the fixed piece is found too.
    QCOMPARE(findInList(list, 0, QStringLiteral("\u20AC 3,"), last).row, 2);
}

QTEST_APPLESS_MAIN(TestSummary)
#include "test_summary.moc"
