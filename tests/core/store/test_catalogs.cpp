#include "Catalogs.h"
#include "TempFolder.h"
#include "base/Failure.h"
#include "base/ProgramFolder.h"
#include "store/Catalogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

class TestCatalogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names_data();
    void names();
    void longNames();
    void listing();
    void existsIgnoresCase();
    void createNeverTouchesExisting();
    void createFailureCarriesReason();
    void deleteFailureCarriesReason();
    void lineToNameAndPath();
};

void TestCatalogs::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "Paesaggi" << true;
    QTest::newRow("inner dot") << "Arte.moderna" << true;
    QTest::newRow("inner blanks") << "Arte del Novecento" << true;
    QTest::newRow("accents and cedilla") << QStringLiteral("Città e çà °") << true;
    QTest::newRow("leading dot") << ".nascosto" << true;
    QTest::newRow("device-like word") << "Console" << true;
    QTest::newRow("COM10 is no device") << "COM10" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("up a folder") << "../fuori" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("vertical bar") << "a|b" << false;
    QTest::newRow("colon") << "C:prova" << false;
    QTest::newRow("star") << "a*" << false;
    QTest::newRow("question") << "a?" << false;
    QTest::newRow("quote") << "a\"b" << false;
    QTest::newRow("angles") << "<a>" << false;
    QTest::newRow("control char") << QStringLiteral("a\tb") << false;
    QTest::newRow("CON") << "CON" << false;
    QTest::newRow("con lower") << "con" << false;
    QTest::newRow("NUL with extension") << "nul.vecchio" << false;
    QTest::newRow("PRN blank before dot") << "PRN .x" << false;
    QTest::newRow("AUX") << "Aux" << false;
    QTest::newRow("COM1") << "COM1" << false;
    QTest::newRow("LPT9") << "lpt9" << false;
    QTest::newRow("trailing dot") << "Arte." << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("lone surrogate") << QString(QChar(0xDC00)) << false;
}

void TestCatalogs::names()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    TempFolder tmp;
    QCOMPARE(isValidCatalogName(name), valid);
}

void TestCatalogs::longNames()
{
    TempFolder tmp;
#ifdef Q_OS_WIN
    // Windows takes the whole path, folder and all, below 260 characters.
    const qsizetype longest = 259 - programFolder().size() - 4;
    QVERIFY(isValidCatalogName(QString(longest, u'a')));
    QVERIFY(!isValidCatalogName(QString(longest + 1, u'a')));
#else
    QVERIFY(isValidCatalogName(QString(250, u'a')));
    QVERIFY(!isValidCatalogName(QString(252, u'a')));
    // 250 characters of two bytes each make a file name the file system refuses.
    QVERIFY(!isValidCatalogName(QString(250, QChar(0x00E8))));
#endif
}

void TestCatalogs::listing()
{
    TempFolder tmp;
    makeCatalog(QStringLiteral("Zeta"));
    makeCatalog(QStringLiteral("alfa"));
    tmp.write(QStringLiteral("Beta.ART"), QByteArray());
    tmp.write(QStringLiteral("_sotto.art"), QByteArray()); // '_' sorts after the letters folded to capitals
    tmp.write(QStringLiteral("note.txt"), "x");
    tmp.write(QStringLiteral("quasi.art.bak"), "x");
    tmp.write(QStringLiteral("interna/Dentro.art"), QByteArray());
    QVERIFY(QDir().mkpath(tmp.file(QStringLiteral("Cartella.art"))));
    QCOMPARE(listCatalogs(programFolder()), QStringList({"alfa.art", "Beta.ART", "Zeta.art", "_sotto.art"}));
    QCOMPARE(countLine(3), QStringLiteral("Sono stati creati 3 cataloghi di opere d'arte."));
}

void TestCatalogs::existsIgnoresCase()
{
    TempFolder tmp;
    makeCatalog(QStringLiteral("Paesaggi"));
    QVERIFY(catalogExists(programFolder(), QStringLiteral("Paesaggi")));
    QVERIFY(catalogExists(programFolder(), QStringLiteral("PAESAGGI")));
    QVERIFY(catalogExists(programFolder(), QStringLiteral("paesaggi")));
    QVERIFY(!catalogExists(programFolder(), QStringLiteral("Paesaggi2")));
    tmp.write(QStringLiteral("Vecchio.ART"), QByteArray());
    QVERIFY(catalogExists(programFolder(), QStringLiteral("vecchio")));
}

void TestCatalogs::createNeverTouchesExisting()
{
    TempFolder tmp;
    tmp.write(QStringLiteral("Pieno.art"), "contenuto");
    QVERIFY_THROWS_EXCEPTION(Failure, createCatalog(tmp.file(QStringLiteral("Pieno.art"))));
    QCOMPARE(tmp.read(QStringLiteral("Pieno.art")), QByteArray("contenuto"));

    createCatalog(tmp.file(QStringLiteral("Nuovo.art")));
    QVERIFY(QFileInfo(tmp.file(QStringLiteral("Nuovo.art"))).isFile());
    QCOMPARE(QFileInfo(tmp.file(QStringLiteral("Nuovo.art"))).size(), 0);
}

void TestCatalogs::createFailureCarriesReason()
{
    TempFolder tmp;
    try {
        createCatalog(tmp.file(QStringLiteral("manca/Nuovo.art")));
        QFAIL("no failure");
    } catch (const Failure& f) {
        QVERIFY(f.message().startsWith(QStringLiteral("Attenzione: ")));
        QVERIFY(f.message().size() > 80); // the file system's reason follows
    }
}

void TestCatalogs::deleteFailureCarriesReason()
{
    TempFolder tmp;
    tmp.write(QStringLiteral("Piena.art/dentro.txt"), "x");
    try {
        deleteCatalog(tmp.file(QStringLiteral("Piena.art")));
        QFAIL("no failure");
    } catch (const Failure& f) {
        QVERIFY(f.message().startsWith(
            QStringLiteral("Attenzione: non è stato possibile eliminare il catalogo selezionato.")));
    }
    QVERIFY(QFileInfo(tmp.file(QStringLiteral("Piena.art/dentro.txt"))).isFile());

    makeCatalog(QStringLiteral("Via"));
    deleteCatalog(tmp.file(QStringLiteral("Via.art")));
    QVERIFY(!QFileInfo::exists(tmp.file(QStringLiteral("Via.art"))));
}

void TestCatalogs::lineToNameAndPath()
{
    TempFolder tmp;
    QCOMPARE(catalogName(QStringLiteral("Beta.ART")), QStringLiteral("Beta"));
    QCOMPARE(catalogName(QStringLiteral("Arte.moderna.art")), QStringLiteral("Arte.moderna"));
    QCOMPARE(catalogPathOfLine(QStringLiteral("Beta.ART")), programFolder() + QStringLiteral("Beta.ART"));
    QCOMPARE(catalogPathOfName(QStringLiteral("Arte.moderna")), programFolder() + QStringLiteral("Arte.moderna.art"));
}

QTEST_APPLESS_MAIN(TestCatalogs)
#include "test_catalogs.moc"
