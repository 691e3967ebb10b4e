// The field filters, the unsold rule, the whole-archive pass and the way back
// from a list line to its record.
#include "Catalogs.h"
#include "TempFolder.h"
#include "base/Failure.h"
#include "search/Search.h"
#include "search/Summary.h"
#include "search/SummaryModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSize>
#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

namespace {

using Texts = std::array<QString, kFilterCount>;

// Filter texts with one box filled.
Texts one(int box, const QString& text)
{
    Texts t;
    t[size_t(box)] = text;
    return t;
}

QByteArray bytesOf(const QList<TSchedaOpera>& records)
{
    QByteArray out;
    for (const TSchedaOpera& r : records)
        out.append(r.data(), TSchedaOpera::Size);
    return out;
}

void setMark(TSchedaOpera& r, const QByteArray& bytes, int lengthByte)
{
    const Slot s = slotOf(Campo::Segnala);
    r.bytes()[size_t(s.offset)] = static_cast<unsigned char>(lengthByte);
    for (int i = 0; i < 2; ++i)
        r.bytes()[size_t(s.offset + 1 + i)] = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
}

QList<int> recordsOf(const SummaryList& list)
{
    QList<int> out;
    for (int i = 0; i < list.size(); ++i)
        out << list.record(i);
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Texts)

class TestSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachBoxSearchesItsField_data();
    void eachBoxSearchesItsField();
    void filters_data();
    void filters();
    void filledCount_data();
    void filledCount();
    void overlongLengthByteSearchesOnlyTheSlot();

    void unsold_data();
    void unsold();

    void collectsInArchiveOrder();
    void missingArchiveCreatedEmpty();
    void damagedArchiveListsWhatCanBeRead();
    void randomBytesNeverCrash();
    void folderInPlaceOfArchiveFails();

    void openRemembersItsRecord();
    void openFallsBackToRescanWhenChanged();
    void openAfterTruncation();
    void openWithNoMatchShowsNothing();

    void modelShowsTheLines();
};

void TestSearch::eachBoxSearchesItsField_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("field");
    const Campo fields[kFilterCount] = {Campo::Capo,       Campo::Descrizione, Campo::Colore,  Campo::Tessuto,
                                        Campo::Difetti,    Campo::Servizio,    Campo::Cliente, Campo::CodFisc,
                                        Campo::Specifiche, Campo::Note};
    const char* names[kFilterCount] = {"txtCapo",     "txtDescrizione", "txtColore",  "txtTessuto",    "txtDifetti",
                                       "txtServizio", "txtCliente",     "txtCodFisc", "txtSpecifiche", "txtNote"};
    for (int i = 0; i < kFilterCount; ++i)
        QTest::newRow(names[i]) << i << int(fields[i]);
}

// Box i finds a text only in its own field; every other field of the record
// holds the text too, except that one.
void TestSearch::eachBoxSearchesItsField()
{
    QFETCH(int, box);
    QFETCH(int, field);
    TSchedaOpera inField, elsewhere;
    for (int c = 0; c < int(Campo::Count); ++c) {
        inField.setText(Campo(c), c == field ? QStringLiteral("XQ7") : QString());
        elsewhere.setText(Campo(c), c == field ? QString() : QStringLiteral("XQ7"));
    }
    const WorkFilter f(one(box, QStringLiteral("xq7")));
    QVERIFY(f.matches(inField.data()));
    QVERIFY(!f.matches(elsewhere.data()));
}

void TestSearch::filters_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("artist");
    QTest::addColumn<QString>("titleFilter");
    QTest::addColumn<QString>("artistFilter");
    QTest::addColumn<bool>("passes");

    QTest::newRow("no filter lists everything") << "Gioconda"
                                                << "Leonardo"
                                                << ""
                                                << "" << true;
    QTest::newRow("blank filters list everything") << "Gioconda"
                                                   << "Leonardo"
                                                   << "   "
                                                   << "\t" << true;
    QTest::newRow("one filter hit") << "La Gioconda"
                                    << "Leonardo"
                                    << "gioc"
                                    << "" << true;
    QTest::newRow("one filter miss") << "La Gioconda"
                                     << "Leonardo"
                                     << "monna"
                                     << "" << false;
    QTest::newRow("two filters both hit") << "La Gioconda"
                                          << "Leonardo"
                                          << "gioconda"
                                          << "leo" << true;
    QTest::newRow("two filters, one misses") << "La Gioconda"
                                             << "Leonardo"
                                             << "gioconda"
                                             << "raffaello" << false;
    // The artist's text in the title field does not count for the artist box.
    QTest::newRow("each text in its own field") << "Leonardo"
                                                << "Gioconda"
                                                << "gioconda"
                                                << "leo" << false;
    QTest::newRow("capitals typed find small") << "rossi"
                                               << ""
                                               << "ROSSI"
                                               << "" << true;
    QTest::newRow("small typed find capitals") << "ROSSI"
                                               << ""
                                               << "rossi"
                                               << "" << true;
    QTest::newRow("mixed case") << "RoSsI"
                                << ""
                                << "rOsSi"
                                << "" << true;
    // Only A..Z fold: an accented letter finds only the same letter in the same case.
    QTest::newRow("accent finds itself") << QStringLiteral("Città") << "" << QStringLiteral("CITTà") << "" << true;
    QTest::newRow("accent keeps its case") << QStringLiteral("Città") << "" << QStringLiteral("CITTÀ") << "" << false;
    QTest::newRow("accent is not its plain letter")
        << QStringLiteral("Citta") << "" << QStringLiteral("città") << "" << false;
    QTest::newRow("euro sign") << QStringLiteral("Sogno da 5 €") << "" << QStringLiteral("5 €") << "" << true;
    // Blanks typed around a filter take no part in the test.
    QTest::newRow("blanks around the filter") << "Rossi"
                                              << ""
                                              << "  rossi  "
                                              << "" << true;
    QTest::newRow("blank after the filter at the field's end") << "Mario Rossi"
                                                               << ""
                                                               << "rossi "
                                                               << "" << true;
    QTest::newRow("inner blanks count") << "monalisa"
                                        << ""
                                        << "mona lisa"
                                        << "" << false;
    QTest::newRow("a blank box beside a filled one") << "Rossi"
                                                     << "Neri"
                                                     << "rossi"
                                                     << "  " << true;
    QTest::newRow("filter longer than the field") << "Ab"
                                                  << ""
                                                  << "abc"
                                                  << "" << false;
    QTest::newRow("character outside the code page")
        << QStringLiteral("Ross\u0151") << "" << QStringLiteral("ross\u0151") << "" << false;
}

void TestSearch::filters()
{
    QFETCH(QString, title);
    QFETCH(QString, artist);
    QFETCH(QString, titleFilter);
    QFETCH(QString, artistFilter);
    QFETCH(bool, passes);
    const TSchedaOpera r = makeRecord(title, artist, QStringLiteral("1,00"));
    Texts t;
    t[0] = titleFilter;
    t[2] = artistFilter;
    QCOMPARE(WorkFilter(t).matches(r.data()), passes);
}

void TestSearch::filledCount_data()
{
    QTest::addColumn<Texts>("texts");
    QTest::addColumn<int>("filled");
    QTest::newRow("none") << Texts{} << 0;
    QTest::newRow("blanks only") << Texts{" ", "\t", "\r\n"} << 0;
    QTest::newRow("one") << one(9, QStringLiteral(" note ")) << 1;
    Texts all;
    all.fill(QStringLiteral("x"));
    QTest::newRow("all ten") << all << 10;
}

void TestSearch::filledCount()
{
    QFETCH(Texts, texts);
    QFETCH(int, filled);
    QCOMPARE(WorkFilter(texts).filled(), filled);
}

// A length byte over the slot's maximum reads only the slot's own bytes.
void TestSearch::overlongLengthByteSearchesOnlyTheSlot()
{
    TSchedaOpera r;
    r.setText(Campo::CodFisc, QString(16, u'A'));
    r.setText(Campo::Recapito, QStringLiteral("ZZZ"));
    r.bytes()[size_t(slotOf(Campo::CodFisc).offset)] = 250;
    QVERIFY(WorkFilter(one(7, QString(16, u'a'))).matches(r.data()));
    QVERIFY(!WorkFilter(one(7, QStringLiteral("zzz"))).matches(r.data()));
}

void TestSearch::unsold_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("unsold");
    QTest::newRow("No") << QByteArray("No") << 2 << true;
    QTest::newRow("S\xEC") << QByteArray("S\xEC") << 2 << false;
    QTest::newRow("empty") << QByteArray() << 0 << false;
    QTest::newRow("no") << QByteArray("no") << 2 << false;
    QTest::newRow("NO") << QByteArray("NO") << 2 << false;
    QTest::newRow("N") << QByteArray("N") << 1 << false;
    QTest::newRow("blank and N") << QByteArray(" N") << 2 << false;
    // An over-long length byte is cut to the slot's two bytes.
    QTest::newRow("over-long No") << QByteArray("No") << 200 << true;
}

void TestSearch::unsold()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, length);
    QFETCH(bool, unsold);
    TSchedaOpera r = makeRecord(QStringLiteral("T"), QStringLiteral("A"), QStringLiteral("1,00"));
    setMark(r, bytes, length);
    QCOMPARE(isUnsold(r.data()), unsold);
}

void TestSearch::collectsInArchiveOrder()
{
    TempFolder tmp;
    const QString path = makeCatalog(QStringLiteral("Cat"),
                                     {makeRecord("Zeta", "A", "1,00", false), makeRecord("Alfa", "B", "2,00", true),
                                      makeRecord("Beta", "C", "3,00", false)});
    SummaryList unsoldList;
    collectSummaries(path, isUnsold, unsoldList);
    QCOMPARE(recordsOf(unsoldList), (QList<int>{1, 3}));
    unsoldList.sort();
    QCOMPARE(recordsOf(unsoldList), (QList<int>{3, 1}));
    QVERIFY(unsoldList.line(0).startsWith(QStringLiteral("Beta ")));

    SummaryList all;
    const WorkFilter none(Texts{});
    collectSummaries(
        path, [&](const char* r) { return none.matches(r); }, all);
    QCOMPARE(all.size(), 3);
}

void TestSearch::missingArchiveCreatedEmpty()
{
    TempFolder tmp;
    const QString path = tmp.file(QStringLiteral("Nuovo.art"));
    SummaryList list;
    collectSummaries(
        path, [](const char*) { return true; }, list);
    QCOMPARE(list.size(), 0);
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(QFileInfo(path).size(), 0);
}

// A trailing partial record and over-long length bytes: the whole records
// are listed, each line within its slots.
void TestSearch::damagedArchiveListsWhatCanBeRead()
{
    TempFolder tmp;
    TSchedaOpera wild = makeRecord(QStringLiteral("Selvaggia"), QStringLiteral("X"), QStringLiteral("9,00"));
    for (Campo c : {Campo::Capo, Campo::Colore, Campo::Tessuto, Campo::Cliente, Campo::Prezzo, Campo::Segnala})
        wild.bytes()[size_t(slotOf(c).offset)] = 255;
    QByteArray bytes = bytesOf({makeRecord("Uno", "A", "1,00"), wild});
    bytes.append(bytesOf({makeRecord("Tagliata", "B", "2,00")}).left(1000));
    tmp.write(QStringLiteral("Rotto.art"), bytes);

    SummaryList list;
    collectSummaries(
        tmp.file(QStringLiteral("Rotto.art")), [](const char*) { return true; }, list);
    QCOMPARE(list.size(), 2);
    QVERIFY(list.line(1).startsWith(QStringLiteral("Selvaggia")));
    QVERIFY(list.line(1).size() <= kLineMaxLength);
}

void TestSearch::randomBytesNeverCrash()
{
    TempFolder tmp;
    QByteArray bytes(2925 * 40 + 17, Qt::Uninitialized);
    QRandomGenerator rng(3);
    for (char& b : bytes)
        b = char(rng.bounded(256));
    tmp.write(QStringLiteral("Caso.art"), bytes);

    SummaryList list;
    Texts t;
    t.fill(QStringLiteral("\xE9"));
    const WorkFilter f(t);
    int hits = 0;
    collectSummaries(
        tmp.file(QStringLiteral("Caso.art")),
        [&](const char* r) {
            hits += f.matches(r) + isUnsold(r);
            return true;
        },
        list);
    QCOMPARE(list.size(), 40);
    list.sort();
    for (int i = 0; i < list.size(); ++i)
        QVERIFY(list.line(i).size() >= kLineFixedLength && list.line(i).size() <= kLineMaxLength);
}

void TestSearch::folderInPlaceOfArchiveFails()
{
    TempFolder tmp;
    QDir(tmp.path()).mkdir(QStringLiteral("Cartella.art"));
    SummaryList list;
    QVERIFY_THROWS_EXCEPTION(Failure, collectSummaries(tmp.file(QStringLiteral("Cartella.art")), isUnsold, list));
    QVERIFY_THROWS_EXCEPTION(
        Failure, openLine(tmp.file(QStringLiteral("Cartella.art")), 1, "x", [](int, const TSchedaOpera&) {}));
}

// Equal lines (a duplicated sheet; titles that differ after the 34th
// character; a sold and an unsold work alike) each open their own record.
void TestSearch::openRemembersItsRecord()
{
    TempFolder tmp;
    const QString longA = QStringLiteral("Veduta del Canal Grande da Rialto, versione prima");
    const QString longB = QStringLiteral("Veduta del Canal Grande da Rialto, versione seconda");
    const QString path = makeCatalog(QStringLiteral("Cat"),
                                     {
                                         makeRecord("Copia", "A", "1,00", false),
                                         makeRecord(longA, "B", "2,00", false),
                                         makeRecord("Copia", "A", "1,00", true),
                                         makeRecord(longB, "B", "2,00", false),
                                         makeRecord("Copia", "A", "1,00", false),
                                     });
    SummaryList list;
    collectSummaries(
        path, [](const char*) { return true; }, list);
    list.sort();
    QCOMPARE(list.line(0), list.line(2));
    QCOMPARE(list.line(3), list.line(4));

    for (int i = 0; i < list.size(); ++i) {
        QList<int> shown;
        QString title;
        QCOMPARE(openLine(path, list.record(i), list.bytes(i),
                          [&](int n, const TSchedaOpera& r) {
                              shown << n;
                              title = r.text(Campo::Capo);
                          }),
                 1);
        QCOMPARE(shown, QList<int>{list.record(i)});
        QVERIFY(title.startsWith(list.line(i).left(30).trimmed()));
    }
}

// When the remembered record no longer gives the line, every record that
// does is shown in turn, the last one in the archive staying.
void TestSearch::openFallsBackToRescanWhenChanged()
{
    TempFolder tmp;
    const QList<TSchedaOpera> records = {makeRecord("Alfa", "A", "1,00"), makeRecord("Beta", "B", "2,00"),
                                         makeRecord("Alfa", "A", "1,00")};
    const QString path = makeCatalog(QStringLiteral("Cat"), records);
    SummaryList list;
    list.add(2, records[0].data()); // remembered as record 2, which is Beta
    QList<int> shown;
    QCOMPARE(openLine(path, 2, list.bytes(0), [&](int n, const TSchedaOpera&) { shown << n; }), 2);
    QCOMPARE(shown, (QList<int>{1, 3}));
}

void TestSearch::openAfterTruncation()
{
    TempFolder tmp;
    const QString path = makeCatalog(QStringLiteral("Cat"), {makeRecord("Alfa", "A", "1,00")});
    SummaryList list;
    list.add(5, makeRecord("Alfa", "A", "1,00").data());
    QList<int> shown;
    QCOMPARE(openLine(path, 5, list.bytes(0), [&](int n, const TSchedaOpera&) { shown << n; }), 1);
    QCOMPARE(shown, QList<int>{1});
}

void TestSearch::openWithNoMatchShowsNothing()
{
    TempFolder tmp;
    const QString path = makeCatalog(QStringLiteral("Cat"), {makeRecord("Alfa", "A", "1,00")});
    QCOMPARE(openLine(path, 1, "Nessuna", [](int, const TSchedaOpera&) { QFAIL("nothing to show"); }), 0);
    // A missing archive is created empty and gives nothing.
    QCOMPARE(openLine(tmp.file(QStringLiteral("Manca.art")), 1, "x",
                      [](int, const TSchedaOpera&) { QFAIL("nothing to show"); }),
             0);
}

void TestSearch::modelShowsTheLines()
{
    SummaryList list;
    list.add(4, makeRecord("Beta", "B", "2,00").data());
    list.add(9, makeRecord("Alfa", "A", "1,00").data());
    list.sort();
    const QString first = list.line(0);

    SummaryModel model;
    QFont courier(QStringLiteral("Courier New"));
    courier.setPixelSize(12);
    model.setItemFont(courier);
    model.setList(std::move(list));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(0)).toString(), first);
    QCOMPARE(model.data(model.index(0), Qt::FontRole).value<QFont>().family(), QStringLiteral("Courier New"));
    QCOMPARE(model.list().record(0), 9);
    QVERIFY(!model.data(model.index(2)).isValid());

    QVERIFY(!model.data(model.index(0), Qt::SizeHintRole).isValid());
    model.setItemWidth(1600);
    QCOMPARE(model.data(model.index(1), Qt::SizeHintRole).toSize().width(), 1600);

    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

QTEST_MAIN(TestSearch)
#include "test_search.moc"
