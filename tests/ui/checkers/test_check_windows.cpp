#include "FakeDialogs.h"
#include "Gui.h"
#include "TempFolder.h"

#include "app/Windows.h"
#include "checkers/CodFisc.h"
#include "checkers/PartitaIVA.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "store/Archive.h"
#include "store/SchedaOpera.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>

using namespace pinakos;
using test::FakeDialogs;

Q_DECLARE_METATYPE(pinakos::test::FakeDialogs::Call)

namespace {

const QString kFiscalForm =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString kFiscalValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString kFiscalWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
const QString kVatLength = QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kVatValid = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato "
                                         "dall'Ufficio IVA del Comune di ");
const QString kVatWrong = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è "
                                         "quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                                         "rilasciato.");

// Shows a window as the sheet would, without the nested event loop, and
// waits until it has the focus.
template <class Form>
void showWindow(Form& f)
{
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
}

} // namespace

class TestCheckWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<test::TestBed> m_bed;
    FakeDialogs& dialogs() { return m_bed->dialogs; }

private Q_SLOTS:
    void init() { m_bed = std::make_unique<test::TestBed>(); }
    void cleanup() { m_bed.reset(); }

    void layout_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        for (bool vat : {false, true}) {
            const char* w = vat ? "TfrmPartitaIva " : "TfrmCodFisc ";
            const auto row = [&](const char* name, const QRect& r) {
                QTest::newRow(qPrintable(QLatin1String(w) + QLatin1String(name)))
                    << vat << QString::fromLatin1(name) << r;
            };
            row("shpContainer", QRect(8, 8, 437, 169));
            row("imgLogo", QRect(16, 16, 421, 73));
            row("lblTitolo", QRect(16, 95, -1, -1));
            row("shpCodFisc", QRect(16, 118, 421, 50));
            row(vat ? "txtPartitaIva" : "txtCodFisc", QRect(26, 128, 233, 28));
            row("btnControlla", QRect(268, 128, 160, 28));
            row("btnChiudi", QRect(170, 184, 116, 28));
        }
    }
    void layout()
    {
        QFETCH(bool, vat);
        QFETCH(QString, name);
        QFETCH(QRect, place);
        std::unique_ptr<QDialog> f;
        if (vat)
            f = std::make_unique<TfrmPartitaIva>();
        else
            f = std::make_unique<TfrmCodFisc>();
        QCOMPARE(f->windowTitle(),
                 vat ? QStringLiteral(" Controllo partita IVA") : QStringLiteral(" Controllo codice fiscale"));
        QCOMPARE(f->size(), vat ? QSize(480, 254) : QSize(478, 254));
        QWidget* panel = test::child(f.get(), QStringLiteral("panContainer"));
        QVERIFY(panel);
        QCOMPARE(panel->size(), QSize(453, 222));
        QWidget* c = test::child(f.get(), name);
        QVERIFY(c);
        const QRect at = test::placeOnPanel(c);
        if (place.width() < 0)
            QCOMPARE(at.topLeft(), place.topLeft());
        else
            QCOMPARE(at, place);
    }

    void texts()
    {
        TfrmCodFisc f;
        QCOMPARE(f.lblTitolo->text(),
                 QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."));
        QCOMPARE(f.btnControlla->text(), QStringLiteral("Controlla"));
        QCOMPARE(f.btnChiudi->text(), QStringLiteral("Chiudi"));
        TfrmPartitaIva g;
        QCOMPARE(g.lblTitolo->text(),
                 QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."));
        QCOMPARE(g.btnControlla->text(), QStringLiteral("Controlla"));
        QCOMPARE(g.btnChiudi->text(), QStringLiteral("Chiudi"));
        QCOMPARE(g.btnControlla->nextInFocusChain(), g.btnChiudi);
        QCOMPARE(f.txtCodFisc->nextInFocusChain(), f.btnControlla);
    }

    // ---------------------------------------------------------- fiscal code

    void fiscalTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lower case shows in upper case") << "rssmra85t10a562s"
                                                        << "RSSMRA85T10A562S";
        QTest::newRow("blank at the end disappears") << "RSSMRA "
                                                     << "RSSMRA";
        QTest::newRow("blank at the start disappears") << " rss"
                                                       << "RSS";
        QTest::newRow("accented letters stay as typed") << "rssè"
                                                        << "RSSè";
        QTest::newRow("typing stops at 16") << "RSSMRA85T10A562SXYZ"
                                            << "RSSMRA85T10A562S";
    }
    void fiscalTyping()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TfrmCodFisc f;
        showWindow(f);
        QCOMPARE(QApplication::focusWidget(), f.txtCodFisc);
        test::typeKeys(f.txtCodFisc, typed);
        QCOMPARE(f.txtCodFisc->text(), shown);
        QVERIFY(dialogs().calls.isEmpty());
    }

    // Typing in the middle keeps the cursor after the characters it followed.
    void fiscalCursorKept()
    {
        TfrmCodFisc f;
        showWindow(f);
        test::typeKeys(f.txtCodFisc, QStringLiteral("RSSMRA"));
        f.txtCodFisc->setCursorPosition(3);
        test::typeKeys(f.txtCodFisc, QStringLiteral("x"));
        QCOMPARE(f.txtCodFisc->text(), QStringLiteral("RSSXMRA"));
        QCOMPARE(f.txtCodFisc->cursorPosition(), 4);
    }

    // A preset value longer than 16 is shown whole; typing adds nothing to
    // it, deleting works, and the check gives the form warning.
    void fiscalLongPreset()
    {
        TfrmCodFisc f;
        const QString forty = QString(40, u'A');
        f.txtCodFisc->setText(forty);
        showWindow(f);
        QCOMPARE(f.txtCodFisc->text(), forty);
        f.txtCodFisc->end(false);
        test::typeKeys(f.txtCodFisc, QStringLiteral("B"));
        QCOMPARE(f.txtCodFisc->text(), forty);
        QTest::keyClick(f.txtCodFisc, Qt::Key_Backspace);
        QCOMPARE(f.txtCodFisc->text().size(), 39);
        test::click(f.btnControlla);
        QCOMPARE(dialogs().texts(), QStringList{kFiscalForm});
        QVERIFY(f.isVisible());
    }

    // A paste that would take the code beyond 16 characters leaves it as it was.
    void fiscalPasteHeldToLength()
    {
        TfrmCodFisc f;
        showWindow(f);
        test::typeKeys(f.txtCodFisc, QStringLiteral("RSSMRA85T10A"));
        QGuiApplication::clipboard()->setText(QStringLiteral("562SEXTRA"));
        f.txtCodFisc->paste();
        QCOMPARE(f.txtCodFisc->text(), QStringLiteral("RSSMRA85T10A"));
        QGuiApplication::clipboard()->setText(QStringLiteral("562s\n"));
        f.txtCodFisc->paste();
        QCOMPARE(f.txtCodFisc->text(), QStringLiteral("RSSMRA85T10A562S"));
    }

    void fiscalEnterMovesToControlla()
    {
        TfrmCodFisc f;
        showWindow(f);
        test::typeKeys(f.txtCodFisc, QStringLiteral("RSSMRA85T10A562S"));
        QTest::keyClick(f.txtCodFisc, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), f.btnControlla);
        QVERIFY(dialogs().calls.isEmpty());
        QVERIFY(f.isVisible());
        // Enter again on the button runs the check.
        QTest::keyClick(f.btnControlla, Qt::Key_Return);
        QCOMPARE(dialogs().texts(), QStringList{kFiscalValid});
        QVERIFY(!f.isVisible());
    }

    void fiscalVerdicts_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<FakeDialogs::Call>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closes");
        using C = FakeDialogs::Call;
        QTest::newRow("valid") << "RSSMRA85T10A562S" << C::Information << kFiscalValid << true;
        QTest::newRow("lower-case preset judged as upper")
            << "rssmra85t10a562s" << C::Information << kFiscalValid << true;
        QTest::newRow("check one letter off") << "RSSMRA85T10A562T" << C::Warning << kFiscalWrong << true;
        QTest::newRow("fifteen digits and a check") << "000000000000000I" << C::Information << kFiscalValid << true;
        QTest::newRow("15 characters") << "RSSMRA85T10A562" << C::Warning << kFiscalForm << false;
        QTest::newRow("empty") << "" << C::Warning << kFiscalForm << false;
        QTest::newRow("hyphen") << "RSSMRA85-10A562S" << C::Warning << kFiscalForm << false;
        QTest::newRow("accented letter") << "RSSMRA85T10A562È" << C::Warning << kFiscalForm << false;
        QTest::newRow("inner blank") << "RSSMRA85 10A562S" << C::Warning << kFiscalForm << false;
    }
    void fiscalVerdicts()
    {
        QFETCH(QString, preset);
        QFETCH(FakeDialogs::Call, kind);
        QFETCH(QString, message);
        QFETCH(bool, closes);
        TfrmCodFisc f;
        f.txtCodFisc->setText(preset);
        showWindow(f);
        f.btnChiudi->setFocus();
        test::click(f.btnControlla);
        QCOMPARE(dialogs().calls.size(), 1);
        QCOMPARE(dialogs().last().call, kind);
        QCOMPARE(dialogs().last().text, message);
        QCOMPARE(f.isVisible(), !closes);
        if (!closes)
            QCOMPARE(QApplication::focusWidget(), f.txtCodFisc);
        else
            QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(f.txtCodFisc->text(), preset); // the check does not rewrite the box
    }

    void fiscalChiudi()
    {
        TfrmCodFisc f;
        showWindow(f);
        test::click(f.btnChiudi);
        QVERIFY(!f.isVisible());
        QVERIFY(dialogs().calls.isEmpty());
    }

    // Enter on a button presses that button, never "Controlla" instead.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::newRow("fiscal code") << false;
        QTest::newRow("VAT number") << true;
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(bool, vat);
        TfrmCodFisc fiscal;
        TfrmPartitaIva number;
        QDialog& f = vat ? static_cast<QDialog&>(number) : fiscal;
        QPushButton* chiudi = vat ? number.btnChiudi : fiscal.btnChiudi;
        if (vat) {
            showWindow(number);
            test::typeKeys(number.txtPartitaIva, QStringLiteral("12345670587"));
        } else {
            showWindow(fiscal);
            test::typeKeys(fiscal.txtCodFisc, QStringLiteral("RSSMRA85T10A562S"));
        }
        chiudi->setFocus();
        QTest::keyClick(chiudi, Qt::Key_Return);
        QVERIFY(!f.isVisible());
        QVERIFY(dialogs().calls.isEmpty());
    }

    // ---------------------------------------------------------- VAT number

    void vatKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits") << "0123456789"
                                << "0123456789";
        QTest::newRow("letters swallowed") << "12ab3"
                                           << "123";
        QTest::newRow("blanks and punctuation swallowed") << "1 2.3-4,5/6+"
                                                          << "123456";
        QTest::newRow("accented letters swallowed") << "1è2"
                                                    << "12";
        QTest::newRow("twelfth digit not typed") << "123456789012"
                                                 << "12345678901";
    }
    void vatKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TfrmPartitaIva f;
        showWindow(f);
        QCOMPARE(QApplication::focusWidget(), f.txtPartitaIva);
        test::typeKeys(f.txtPartitaIva, typed);
        QCOMPARE(f.txtPartitaIva->text(), shown);
    }

    void vatEditingKeys()
    {
        TfrmPartitaIva f;
        showWindow(f);
        QLineEdit* box = f.txtPartitaIva;
        test::typeKeys(box, QStringLiteral("12345"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("1234"));
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_Left);
        QCOMPARE(box->cursorPosition(), 2);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("124"));
        QTest::keyClick(box, Qt::Key_Right);
        test::typeKeys(box, QStringLiteral("9"));
        QCOMPARE(box->text(), QStringLiteral("1249"));
        // Other keys are swallowed: Home does not move, a shortcut does not paste.
        QGuiApplication::clipboard()->setText(QStringLiteral("55"));
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("1249"));
        QCOMPARE(box->cursorPosition(), 4);
        // A full box takes a digit in place of a selection.
        box->setText(QStringLiteral("12345678901"));
        box->setSelection(0, 1);
        test::typeKeys(box, QStringLiteral("7"));
        QCOMPARE(box->text(), QStringLiteral("72345678901"));
    }

    // Text reaching the box by a paste follows the key rules too.
    void vatPasteHeldToRules()
    {
        TfrmPartitaIva f;
        showWindow(f);
        test::typeKeys(f.txtPartitaIva, QStringLiteral("123"));
        QGuiApplication::clipboard()->setText(QStringLiteral("4a5"));
        f.txtPartitaIva->paste();
        QCOMPARE(f.txtPartitaIva->text(), QStringLiteral("123"));
        QGuiApplication::clipboard()->setText(QStringLiteral("456789012"));
        f.txtPartitaIva->paste();
        QCOMPARE(f.txtPartitaIva->text(), QStringLiteral("123"));
        QGuiApplication::clipboard()->setText(QStringLiteral("45678901"));
        f.txtPartitaIva->paste();
        QCOMPARE(f.txtPartitaIva->text(), QStringLiteral("12345678901"));
    }

    void vatEnterMovesToControlla()
    {
        TfrmPartitaIva f;
        showWindow(f);
        test::typeKeys(f.txtPartitaIva, QStringLiteral("12345670587"));
        QTest::keyClick(f.txtPartitaIva, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), f.btnControlla);
        QVERIFY(dialogs().calls.isEmpty());
        QTest::keyClick(f.btnControlla, Qt::Key_Return);
        QCOMPARE(dialogs().texts(), QStringList{kVatValid + "Roma 1."});
        QVERIFY(!f.isVisible());
    }

    void vatVerdicts_data()
    {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<FakeDialogs::Call>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closes");
        using C = FakeDialogs::Call;
        QTest::newRow("office 058") << "12345670587" << C::Information << kVatValid + "Roma 1." << true;
        QTest::newRow("office 120 as 101") << "12345671205" << C::Information << kVatValid + "Bologna 2." << true;
        QTest::newRow("office 101") << "00000001016" << C::Information << kVatValid + "Bologna 2." << true;
        QTest::newRow("no office row")
            << "12345670009" << C::Information
            << "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nLe cifre dell'Ufficio IVA (\"000\") non "
               "corrispondono ad alcun ufficio conosciuto: non è quindi possibile indicare quale ufficio lo abbia "
               "rilasciato."
            << true;
        QTest::newRow("wrong last digit") << "12345670588" << C::Warning << kVatWrong << true;
        QTest::newRow("multiple of 10 must end in 0") << "99999999991" << C::Warning << kVatWrong << true;
        QTest::newRow("12-digit preset shown whole") << "123456705870" << C::Warning << kVatLength << false;
        QTest::newRow("ten digits") << "1234567058" << C::Warning << kVatLength << false;
        QTest::newRow("empty") << "" << C::Warning << kVatLength << false;
    }
    void vatVerdicts()
    {
        QFETCH(QString, preset);
        QFETCH(FakeDialogs::Call, kind);
        QFETCH(QString, message);
        QFETCH(bool, closes);
        TfrmPartitaIva f;
        f.txtPartitaIva->setText(preset);
        showWindow(f);
        QCOMPARE(f.txtPartitaIva->text(), preset);
        f.btnChiudi->setFocus();
        test::click(f.btnControlla);
        QCOMPARE(dialogs().calls.size(), 1);
        QCOMPARE(dialogs().last().call, kind);
        QCOMPARE(dialogs().last().text, message);
        QCOMPARE(f.isVisible(), !closes);
        if (!closes)
            QCOMPARE(QApplication::focusWidget(), f.txtPartitaIva);
    }

    void vatChiudi()
    {
        TfrmPartitaIva f;
        showWindow(f);
        test::click(f.btnChiudi);
        QVERIFY(!f.isVisible());
        QVERIFY(dialogs().calls.isEmpty());
    }

    // ---------------------------------------------------------- from the sheet

    // The sheet's tick button picks the window by the field's trimmed value.
    void openedFromSheet_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("preset");
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("blanks only") << "   " << false << "";
        QTest::newRow("letters, trimmed") << "  rssmra85 " << false << "rssmra85";
        QTest::newRow("digits") << " 12345670587 " << true << "12345670587";
        QTest::newRow("twelve digits") << "123456705870" << true << "123456705870";
        QTest::newRow("digits and a letter") << "1234567058X" << false << "1234567058X";
    }
    void openedFromSheet()
    {
        QFETCH(QString, field);
        QFETCH(bool, vat);
        QFETCH(QString, preset);
        createPersistentWindows();
        TfrmOpere* s = windows().frmOpere;
        moveTo(windows().frmAvvio, s);
        QVERIFY(QTest::qWaitForWindowActive(s));
        s->txtCodFisc->setText(field);
        QString shown, className;
        bool focusInBox = false;
        test::whenModalShown([&](QWidget* w) {
            className = QString::fromLatin1(w->metaObject()->className());
            QLineEdit* box = nullptr;
            if (auto* f = qobject_cast<TfrmPartitaIva*>(w))
                box = f->txtPartitaIva;
            if (auto* f = qobject_cast<TfrmCodFisc*>(w))
                box = f->txtCodFisc;
            if (box) {
                focusInBox = w->focusWidget() == box; // FormShow; the box has it once the window is active
                shown = box->text();
            }
            static_cast<QDialog*>(w)->reject();
        });
        test::click(s->btnCodFisc);
        moveTo(s, windows().frmAvvio);
        destroyPersistentWindows();
        QCOMPARE(className, vat ? QStringLiteral("TfrmPartitaIva") : QStringLiteral("TfrmCodFisc"));
        QVERIFY(focusInBox);
        QCOMPARE(shown, preset);
    }
};

QTEST_MAIN(TestCheckWindows)
#include "test_check_windows.moc"
