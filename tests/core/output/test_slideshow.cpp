// The slideshow's walk through a catalog, without the window.
#include "Catalogs.h"
#include "TempFolder.h"
#include "base/Failure.h"
#include "output/SlideStep.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

class TestSlideshow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_folder = std::make_unique<TempFolder>(); }
    void cleanup() { m_folder.reset(); }

    void labelsRoundAfterRound_data();
    void labelsRoundAfterRound();
    void emptyCatalogEnds();
    void missingArchiveCreatedEmpty();
    void positionPastTheEndStartsAgain();
    void unusableArchiveFails();
    void intervalShortenedAndRestored();

private:
    std::unique_ptr<TempFolder> m_folder;
};

void TestSlideshow::labelsRoundAfterRound_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QStringList>("labels"); // after each step, from an empty label
    QTest::newRow("one") << 1 << QStringList{"1", "0", "1", "0", "1"};
    QTest::newRow("three") << 3 << QStringList{"1", "2", "3", "0", "1", "2", "3", "0", "1"};
}

void TestSlideshow::labelsRoundAfterRound()
{
    QFETCH(int, records);
    QFETCH(QStringList, labels);
    QList<TSchedaOpera> list;
    for (int i = 0; i < records; ++i)
        list << makeRecord(QStringLiteral("T%1").arg(i), QStringLiteral("A"), QStringLiteral("1,00"));
    const QString path = makeCatalog(QStringLiteral("Mostra"), list);
    QString label;
    QStringList seen;
    for (int i = 0; i < labels.size(); ++i) {
        const SlideStep s = slideStep(QStringLiteral("  ") + path + QStringLiteral(" "), label);
        QCOMPARE(s.kind, s.position == 0 ? SlideStep::Kind::Reset : SlideStep::Kind::Show);
        label = s.label();
        seen << label;
    }
    QCOMPARE(seen, labels);
}

void TestSlideshow::emptyCatalogEnds()
{
    const QString path = makeCatalog(QStringLiteral("Vuoto"));
    for (const QString& label : {QString(), QStringLiteral("0"), QStringLiteral("3")}) {
        const SlideStep s = slideStep(path, label);
        QCOMPARE(s.kind, SlideStep::Kind::Empty);
        QCOMPARE(s.label(), QString());
    }
}

void TestSlideshow::missingArchiveCreatedEmpty()
{
    const QString path = m_folder->file(QStringLiteral("Sparito.art"));
    QCOMPARE(slideStep(path, QString()).kind, SlideStep::Kind::Empty);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestSlideshow::positionPastTheEndStartsAgain()
{
    // The archive was cut while the label pointed further on.
    const QString path = makeCatalog(QStringLiteral("Corto"), {makeRecord("T", "A", "1,00")});
    const SlideStep s = slideStep(path, QStringLiteral("5"));
    QCOMPARE(s.kind, SlideStep::Kind::Reset);
    QCOMPARE(s.label(), QStringLiteral("0"));
    QCOMPARE(slideStep(path, s.label()).label(), QStringLiteral("1"));
}

void TestSlideshow::unusableArchiveFails()
{
    const QString path = m_folder->file(QStringLiteral("Cartella.art"));
    QVERIFY(QDir().mkpath(path));
    QVERIFY_THROWS_EXCEPTION(Failure, slideStep(path, QStringLiteral("1")));
}

void TestSlideshow::intervalShortenedAndRestored()
{
    QCOMPARE(slideInterval(), 6000);
    setSlideInterval(5);
    QCOMPARE(slideInterval(), 5);
    setSlideInterval(0);
    QCOMPARE(slideInterval(), 6000);
}

QTEST_GUILESS_MAIN(TestSlideshow)
#include "test_slideshow.moc"
