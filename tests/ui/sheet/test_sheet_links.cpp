// The sheet window as the other windows see it: its interface, and what each
// toolbar command hands to the window it opens.
#include "Catalogs.h"
#include "Gui.h"

#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "checkers/CodFisc.h"
#include "checkers/PartitaIVA.h"
#include "output/Slideshow.h"
#include "search/TrovaOpere.h"
#include "sheet/AllegaCartella.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "store/Archive.h"

#include <QTest>
#include <memory>

using namespace pinakos;

namespace {

TfrmOpere* sheet() { return windows().frmOpere; }

// Closes the next modal window after `inspect` has looked at it; true when
// one appeared.
bool openedFrom(QWidget* button, const std::function<void(QWidget*)>& inspect)
{
    bool seen = false;
    test::whenModalShown([&](QWidget* w) {
        seen = true;
        inspect(w);
        w->close();
    });
    test::click(button);
    return seen && !QApplication::activeModalWidget();
}

} // namespace

class TestSheetLinks : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestBed> bed;

    void openCatalog(const QString& name)
    {
        sheet()->openCatalog(programFolder() + name + QStringLiteral(".art"), name);
        moveTo(windows().frmAvvio, sheet());
        QVERIFY(QTest::qWaitForWindowActive(sheet()));
    }

private Q_SLOTS:
    void initTestCase() { createPersistentWindows(); }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { bed = std::make_unique<test::TestBed>(); }
    void cleanup()
    {
        sheet()->hide();
        bed.reset();
    }

    void openCatalogFillsTheStateLabelsAndStartsANewSheet()
    {
        sheet()->showRecord(4, TSchedaOpera());
        sheet()->txtCapo->setText(QStringLiteral("resto di prima"));
        sheet()->openCatalog(QStringLiteral("/cartella/Ritratti.art"), QStringLiteral("Ritratti"));
        QCOMPARE(sheet()->lblFile->text(), QStringLiteral("/cartella/Ritratti.art"));
        QCOMPARE(sheet()->lblNome->text(), QStringLiteral("Ritratti"));
        QCOMPARE(sheet()->catalogPath(), QStringLiteral("/cartella/Ritratti.art"));
        QCOMPARE(sheet()->catalogName(), QStringLiteral("Ritratti"));
        QCOMPARE(sheet()->txtCapo->text(), QString());
        QCOMPARE(sheet()->shownNumber(), 0);
    }

    void aShownRecordReadsBackWithItsNumberAndAttachments()
    {
        openCatalog(QStringLiteral("Ritratti"));
        TSchedaOpera r =
            test::makeRecord(QStringLiteral("Ritratto"), QStringLiteral("Lotto"), QStringLiteral("10,00"), true);
        r.setText(Campo::File02, QStringLiteral("perizia.pdf"));
        r.setText(Campo::Desc02, QStringLiteral("Perizia"));
        sheet()->showRecord(7, r);
        QCOMPARE(sheet()->shownNumber(), 7);
        QCOMPARE(sheet()->lblPosizione->text(), QStringLiteral("7"));
        QCOMPARE(QByteArray(sheet()->shownRecord().data(), TSchedaOpera::Size),
                 QByteArray(r.data(), TSchedaOpera::Size));
        const Attachments a = sheet()->attachments();
        QCOMPARE(a.files[1], QStringLiteral("perizia.pdf"));
        QCOMPARE(a.descriptions[1], QStringLiteral("Perizia"));
        QCOMPARE(sheet()->lblFile02->text(), QStringLiteral("perizia.pdf"));
    }

    void attachmentsSetThroughTheInterfaceAreSaved()
    {
        openCatalog(QStringLiteral("Ritratti"));
        sheet()->txtCapo->setText(QStringLiteral("Ritratto"));
        sheet()->txtColore->setText(QStringLiteral("Lotto"));
        Attachments a;
        a.files = {QStringLiteral("a.pdf"), QString(), QStringLiteral("c.doc")};
        a.descriptions = {QStringLiteral("Certificato"), QStringLiteral("senza file"), QString()};
        sheet()->setAttachments(a);
        QCOMPARE(sheet()->attachments(), a);
        sheet()->cmdSalvaClick();
        const TSchedaOpera saved = Archive(programFolder() + QStringLiteral("Ritratti.art")).read(1);
        QCOMPARE(saved.text(Campo::File01), QStringLiteral("a.pdf"));
        QCOMPARE(saved.text(Campo::File03), QStringLiteral("c.doc"));
        QCOMPARE(saved.text(Campo::Desc02), QStringLiteral("senza file"));
    }

    void searchGetsTheOpenerMark()
    {
        openCatalog(QStringLiteral("Ritratti"));
        QString mark;
        QVERIFY(openedFrom(sheet()->cmdTrova, [&](QWidget* w) {
            auto* f = qobject_cast<TfrmTrovaOpere*>(w);
            QVERIFY(f);
            mark = f->lblMemory->text();
        }));
        QCOMPARE(mark, QStringLiteral("opere"));
    }

    void slideshowGetsTheTrimmedCatalog()
    {
        sheet()->openCatalog(QStringLiteral("  ") + programFolder() + QStringLiteral("Ritratti.art "),
                             QStringLiteral(" Ritratti  "));
        moveTo(windows().frmAvvio, sheet());
        QVERIFY(QTest::qWaitForWindowActive(sheet()));
        QString name, path;
        QVERIFY(openedFrom(sheet()->cmdSlideShow, [&](QWidget* w) {
            auto* f = qobject_cast<TfrmSlideshow*>(w);
            QVERIFY(f);
            name = f->lblNome->text();
            path = f->lblFile->text();
        }));
        QCOMPARE(name, QStringLiteral("Ritratti"));
        QCOMPARE(path, programFolder() + QStringLiteral("Ritratti.art"));
    }

    void attachmentsWindowGetsTheMarkAndTheTrimmedSlots()
    {
        openCatalog(QStringLiteral("Ritratti"));
        Attachments a;
        a.files = {QStringLiteral(" a.pdf "), QString(), QStringLiteral("c.doc")};
        a.descriptions = {QStringLiteral("Certificato  "), QStringLiteral(" senza file"), QString()};
        sheet()->setAttachments(a);
        QStringList boxes;
        QString mark;
        QVERIFY(openedFrom(sheet()->cmdFile, [&](QWidget* w) {
            auto* f = qobject_cast<TfrmAllegaCartella*>(w);
            QVERIFY(f);
            mark = f->lblMemory->text();
            boxes = QStringList{f->txtFile01->text(), f->txtFile02->text(), f->txtFile03->text(),
                                f->txtDesc01->text(), f->txtDesc02->text(), f->txtDesc03->text()};
        }));
        QCOMPARE(mark, QStringLiteral("opere"));
        QCOMPARE(boxes,
                 (QStringList{QStringLiteral("a.pdf"), QString(), QStringLiteral("c.doc"),
                              QStringLiteral("Certificato"), QStringLiteral("senza file"), QString()}));
    }

    void checkButtonChoosesTheCheck_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("preset");
        QTest::newRow("empty") << QString() << false << QString();
        QTest::newRow("blanks only") << QStringLiteral("   ") << false << QString();
        QTest::newRow("fiscal code") << QStringLiteral("RSSMRA80A01H501U") << false
                                     << QStringLiteral("RSSMRA80A01H501U");
        QTest::newRow("eleven digits") << QStringLiteral("01234567890") << true << QStringLiteral("01234567890");
        QTest::newRow("digits, any length") << QStringLiteral("123") << true << QStringLiteral("123");
        QTest::newRow("digits then a letter")
            << QStringLiteral("0123456789A") << false << QStringLiteral("0123456789A");
    }
    void checkButtonChoosesTheCheck()
    {
        QFETCH(QString, field);
        QFETCH(bool, vat);
        QFETCH(QString, preset);
        openCatalog(QStringLiteral("Ritratti"));
        sheet()->txtCodFisc->setText(field);
        bool wasVat = false;
        QString shown;
        QVERIFY(openedFrom(sheet()->btnCodFisc, [&](QWidget* w) {
            if (auto* f = qobject_cast<TfrmPartitaIva*>(w)) {
                wasVat = true;
                shown = f->txtPartitaIva->text();
            } else if (auto* f = qobject_cast<TfrmCodFisc*>(w)) {
                shown = f->txtCodFisc->text();
            } else {
                QFAIL("neither check window opened");
            }
        }));
        QCOMPARE(wasVat, vat);
        QCOMPARE(shown, preset);
    }
};

QTEST_MAIN(TestSheetLinks)
#include "test_sheet_links.moc"
