// The sheet as a user sees it: its field highlight stays on its own boxes,
// the photo dialog it opens is Qt's own in Italian, a long value shows its
// beginning, a long catalog name stays readable.
#include "Catalogs.h"
#include "Gui.h"

#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "store/Archive.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <memory>

using namespace pinakos;
using namespace pinakos::test;

namespace {

const QColor kYellow(0xFF, 0xFF, 0x00);

TfrmOpere* sheet() { return windows().frmOpere; }

// A text of whole words, `length` characters long.
QString words(int length)
{
    QString s;
    const QStringList w{"Madonna", "con", "il", "Bambino", "e", "santi", "in", "un", "paesaggio", "collinare"};
    for (int i = 0; s.size() < length; ++i)
        s += w.at(i % w.size()) + u' ';
    return s.left(length).trimmed();
}

// The colour a box fills itself with, away from its border and its text.
QColor fillOf(QLineEdit* box) { return pixelOf(box, QPoint(box->width() - 4, box->height() / 2)); }

} // namespace

class TestOpereLook : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBed> m_bed;

    void openCatalog(const QString& name)
    {
        sheet()->openCatalog(programFolder() + name + QStringLiteral(".art"), name);
        moveTo(windows().frmAvvio, sheet());
        QVERIFY(QTest::qWaitForWindowActive(sheet()));
    }

    // A record whose every field is filled to its width.
    static TSchedaOpera longRecord()
    {
        TSchedaOpera r;
        for (Campo c :
             {Campo::Capo, Campo::Descrizione, Campo::Colore, Campo::Tessuto, Campo::Misure, Campo::Peso, Campo::Usura,
              Campo::Difetti, Campo::Servizio, Campo::Specifiche, Campo::Cliente, Campo::Recapito, Campo::Note})
            r.setText(c, words(slotOf(c).max));
        r.setText(Campo::CodFisc, QStringLiteral("RSSMRA80A01H501U"));
        r.setText(Campo::Prezzo, QStringLiteral("123456789012,00"));
        return r;
    }

private Q_SLOTS:
    void initTestCase()
    {
        createPersistentWindows();
        loadDialogTranslations();
    }
    void cleanupTestCase() { destroyPersistentWindows(); }
    void init() { m_bed = std::make_unique<TestBed>(); }
    void cleanup()
    {
        if (sheet()->isVisible())
            moveTo(sheet(), windows().frmAvvio);
        m_bed.reset();
    }

    void photoDialogKeepsItsOwnLook()
    {
        openCatalog(QStringLiteral("Ritratti"));
        // The sheet's own box is yellow while it has the focus ...
        sheet()->txtCapo->setFocus(Qt::OtherFocusReason);
        QCOMPARE(fillOf(sheet()->txtCapo), kYellow);
        sheet()->txtPrezzo->setFocus(Qt::OtherFocusReason);
        QCOMPARE(fillOf(sheet()->txtPrezzo), kYellow);
        QCOMPARE(fillOf(sheet()->txtCapo), QColor(0xF0, 0xF8, 0xFF));

        // ... and the real photo dialog it opens is not.
        setDialogs(nullptr);
        QColor nameFill;
        bool nameFocused = false;
        QStringList buttons, filters;
        whenModalShown([&](QWidget* m) {
            auto* d = qobject_cast<QFileDialog*>(m);
            if (!d) {
                m->close();
                return;
            }
            d->activateWindow();
            for (int i = 0; i < 100 && QApplication::activeWindow() != d; ++i)
                QTest::qWait(10);
            if (auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                name->setFocus(Qt::OtherFocusReason);
                nameFocused = name->hasFocus();
                nameFill = fillOf(name);
            }
            for (QAbstractButton* b : d->findChild<QDialogButtonBox*>()->buttons())
                buttons << b->text().remove(u'&');
            filters = d->nameFilters();
            d->reject();
        });
        sheet()->btnCaricaFotoClick();
        QVERIFY(nameFocused);
        QVERIFY(nameFill.isValid());
        QVERIFY2(nameFill != kYellow, qPrintable(nameFill.name()));
        if (QCoreApplication::translate("QPlatformTheme", "&Yes") == QStringLiteral("&Sì"))
            QCOMPARE(buttons, (QStringList{"Apri", "Annulla"}));
        QCOMPARE(filters, (QStringList{"Immagine JPEG (*.jpg *.jpeg)", "Immagine Bitmap (*.bmp)"}));
    }

    void longValuesShowTheirBeginning()
    {
        const QString path = makeCatalog(QStringLiteral("Ritratti"), {longRecord(), longRecord()});
        openCatalog(QStringLiteral("Ritratti"));
        TfrmOpere* s = sheet();
        const QList<QLineEdit*> boxes = s->panContainer->findChildren<QLineEdit*>();
        QCOMPARE(boxes.size(), 15);
        auto atStart = [&](const char* how) {
            for (QLineEdit* box : boxes)
                QVERIFY2(box->cursorPosition() == 0,
                         qPrintable(QStringLiteral("%1 after %2").arg(box->objectName(), QLatin1String(how))));
        };
        click(s->cmdPrimo);
        QCOMPARE(s->lblPosizione->text(), QStringLiteral("1"));
        QVERIFY(s->txtNote->fontMetrics().horizontalAdvance(s->txtNote->text()) > s->txtNote->width());
        atStart("navigation");
        click(s->cmdUltimo);
        atStart("the last record");
        // Shown by another window through the sheet's interface.
        static_cast<Sheet*>(s)->showRecord(1, longRecord());
        atStart("a search");
        // The user moves into a box and to its end; a duplicate starts again
        // from the beginning.
        s->txtDescrizione->end(false);
        m_bed->dialogs.confirmAnswers.clear();
        click(s->cmdDuplica);
        atStart("a duplicate");
        Q_UNUSED(path);
    }

    void longCatalogNameStaysReadable()
    {
        const QString name = QStringLiteral("Collezione di dipinti a olio del Rinascimento fiorentino e veneziano "
                                            "con opere su tavola e su tela");
        openCatalog(name);
        TfrmOpere* s = sheet();
        // Other windows read the whole name.
        QCOMPARE(s->lblNome->text(), name);
        QCOMPARE(s->catalogName(), name);
        QCOMPARE(s->lblNome->toolTip(), name);
        QCOMPARE(s->lblNome->geometry(), QRect(624, 106, 332, 24));
        // The pointer over the name shows it whole.
        auto* panel = s->panContainer;
        const QPoint over = s->lblNome->geometry().center();
        QHelpEvent help(QEvent::ToolTip, over, panel->mapToGlobal(over));
        QApplication::sendEvent(panel, &help);
        QTRY_COMPARE(QToolTip::text(), name);
        QToolTip::hideText();
        // A short name reads as it is.
        openCatalog(QStringLiteral("Ritratti"));
        QCOMPARE(s->lblNome->text(), QStringLiteral("Ritratti"));
        QCOMPARE(s->lblNome->toolTip(), QStringLiteral("Ritratti"));
    }

    void longNameIsCutAtTheEnd()
    {
        TfrmOpere* s = sheet();
        // What the label itself paints, on nothing.
        auto ink = [s] {
            QImage img(s->lblNome->size(), QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            s->lblNome->render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
            return img;
        };
        s->lblNome->setText(QStringLiteral("Ritratti"));
        const QImage shortName = ink();
        const QString name = QStringLiteral("Ritratti") + QString(80, u'x');
        s->lblNome->setText(name);
        const QImage longName = ink();
        // Cut at the end: the text starts at the left edge, not centred past it.
        auto firstInk = [](const QImage& img) {
            for (int x = 0; x < img.width(); ++x)
                for (int y = 0; y < img.height(); ++y)
                    if (qAlpha(img.pixel(x, y)) > 0)
                        return x;
            return -1;
        };
        QVERIFY(firstInk(shortName) > 20);
        QVERIFY(firstInk(longName) >= 0);
        QVERIFY(firstInk(longName) < 8);
        QCOMPARE(s->lblNome->text(), name);
        QCOMPARE(s->lblNome->toolTip(), name); // the painted label follows its text
    }
};

QTEST_MAIN(TestOpereLook)
#include "test_opere_look.moc"
