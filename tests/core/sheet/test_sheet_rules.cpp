#include "sheet/SheetRules.h"

#include <QTest>

using namespace pinakos;

Q_DECLARE_METATYPE(pinakos::Move)
Q_DECLARE_METATYPE(pinakos::MoveResult::Kind)

class TestSheetRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingField_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("missing"); // -1: none
        QTest::addColumn<QString>("names");
        QTest::newRow("all there") << "Alba"
                                   << "Rossi"
                                   << "0,00" << -1 << "";
        QTest::newRow("no title") << ""
                                  << "Rossi"
                                  << "1,00" << int(Campo::Capo) << "titolo";
        QTest::newRow("blank title first") << "  \t"
                                           << ""
                                           << "" << int(Campo::Capo) << "titolo";
        QTest::newRow("no artist") << "Alba"
                                   << " "
                                   << "" << int(Campo::Colore) << "artista";
        QTest::newRow("no value") << "Alba"
                                  << "Rossi"
                                  << "   " << int(Campo::Prezzo) << "valore";
    }
    void missingField()
    {
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QFETCH(QString, value);
        QFETCH(int, missing);
        QFETCH(QString, names);
        const auto m = firstMissingField(title, artist, value);
        QCOMPARE(m.has_value(), missing >= 0);
        if (m) {
            QCOMPARE(int(m->field), missing);
            QVERIFY(m->warning.startsWith(QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ")));
            QVERIFY(m->warning.contains(names));
        }
    }

    void moves_data()
    {
        using K = MoveResult::Kind;
        QTest::addColumn<Move>("move");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("count");
        QTest::addColumn<K>("kind");
        QTest::addColumn<int>("record");
        QTest::addColumn<bool>("clearNumber");
        QTest::newRow("first") << Move::First << 3 << 3 << K::Show << 1 << false;
        QTest::newRow("first, empty") << Move::First << 0 << 0 << K::Empty << 0 << false;
        QTest::newRow("last") << Move::Last << 1 << 3 << K::Show << 3 << false;
        QTest::newRow("last, empty") << Move::Last << 2 << 0 << K::Empty << 0 << false;
        QTest::newRow("previous on 2") << Move::Previous << 2 << 3 << K::Show << 1 << false;
        QTest::newRow("previous on 1 stays") << Move::Previous << 1 << 3 << K::Stay << 0 << false;
        QTest::newRow("previous on 1 of an emptied archive stays") << Move::Previous << 1 << 0 << K::Stay << 0 << false;
        QTest::newRow("previous from a new sheet") << Move::Previous << 0 << 3 << K::Show << 1 << false;
        QTest::newRow("previous, empty") << Move::Previous << 0 << 0 << K::Empty << 0 << false;
        // Past a shortened archive's end the read itself fails.
        QTest::newRow("previous past the end") << Move::Previous << 9 << 3 << K::Show << 8 << false;
        QTest::newRow("next on 1") << Move::Next << 1 << 3 << K::Show << 2 << false;
        QTest::newRow("next on the last stays") << Move::Next << 3 << 3 << K::Stay << 0 << false;
        QTest::newRow("next from a new sheet") << Move::Next << 0 << 3 << K::Show << 1 << false;
        QTest::newRow("next, empty, clears the number") << Move::Next << 2 << 0 << K::Empty << 0 << true;
        QTest::newRow("next past a shortened end") << Move::Next << 5 << 3 << K::Vanished << 0 << false;
    }
    void moves()
    {
        QFETCH(Move, move);
        QFETCH(int, shown);
        QFETCH(int, count);
        QFETCH(MoveResult::Kind, kind);
        QFETCH(int, record);
        QFETCH(bool, clearNumber);
        const MoveResult r = moveFrom(move, shown, count);
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.record, record);
        QCOMPARE(r.clearNumber, clearNumber);
    }
};

QTEST_GUILESS_MAIN(TestSheetRules)
#include "test_sheet_rules.moc"
