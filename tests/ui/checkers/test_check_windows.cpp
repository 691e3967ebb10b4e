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

// One of the two check windows, through the controls both have.
struct Checker
{
    std::unique_ptr<QDialog> window;
    QLineEdit* box = nullptr;
    QPushButton* controlla = nullptr;
    QPushButton* chiudi = nullptr;
};

template <class Form>
Checker checker(QLineEdit* Form::*box)
{
    auto f = std::make_unique<Form>();
    Checker c{nullptr, (*f).*box, f->btnControlla, f->btnChiudi};
    c.window = std::move(f);
    return c;
}

Checker checker(bool vat) { return vat ? checker(&TfrmPartitaIva::txtPartitaIva) : checker(&TfrmCodFisc::txtCodFisc); }

// A row of a table that runs for both windows, named after its window.
QTestData& newRow(bool vat, const char* name)
{
    return QTest::addRow("%s: %s", vat ? "VAT number" : "fiscal code", name);
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
        const Checker c = checker(vat);
        QDialog* f = c.window.get();
        QCOMPARE(f->windowTitle(),
                 vat ? QStringLiteral(" Controllo partita IVA") : QStringLiteral(" Controllo codice fiscale"));
        QCOMPARE(f->size(), vat ? QSize(480, 254) : QSize(478, 254));
        QWidget* panel = test::child(f, QStringLiteral("panContainer"));
        QVERIFY(panel);
        QCOMPARE(panel->size(), QSize(453, 222));
        QWidget* w = test::child(f, name);
        QVERIFY(w);
        test::comparePlace(w, place);
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

    // ---------------------------------------------------------- both windows

    // The fiscal code box takes up to 16 characters, ASCII letters in upper
    // case and no blanks at the ends; the VAT number box takes up to 11 digits
    // and nothing else.
    void typing_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        newRow(false, "lower case shows in upper case") << false << "rssmra85t10a562s"
                                                        << "RSSMRA85T10A562S";
        newRow(false, "blank at the end disappears") << false << "RSSMRA "
                                                     << "RSSMRA";
        newRow(false, "blank at the start disappears") << false << " rss"
                                                       << "RSS";
        newRow(false, "accented letters stay as typed") << false << "rssè"
                                                        << "RSSè";
        newRow(false, "typing stops at 16") << false << "RSSMRA85T10A562SXYZ"
                                            << "RSSMRA85T10A562S";
        newRow(true, "digits") << true << "0123456789"
                               << "0123456789";
        newRow(true, "letters swallowed") << true << "12ab3"
                                          << "123";
        newRow(true, "blanks and punctuation swallowed") << true << "1 2.3-4,5/6+"
                                                         << "123456";
        newRow(true, "accented letters swallowed") << true << "1è2"
                                                   << "12";
        newRow(true, "twelfth digit not typed") << true << "123456789012"
                                                << "12345678901";
    }
    void typing()
    {
        QFETCH(bool, vat);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        const Checker c = checker(vat);
        showWindow(*c.window);
        QCOMPARE(QApplication::focusWidget(), c.box);
        test::typeKeys(c.box, typed);
        QCOMPARE(c.box->text(), shown);
        QVERIFY(dialogs().calls.isEmpty());
    }

    // Text reaching the box by a paste follows the key rules too: a paste
    // that would take it beyond its length, or put in what typing would not,
    // leaves it as it was.
    void pasteHeldToRules_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("pasted");
        QTest::addColumn<QStringList>("shown"); // after each paste
        newRow(false, "held to length") << false << "RSSMRA85T10A" << QStringList{"562SEXTRA", "562s\n"}
                                        << QStringList{"RSSMRA85T10A", "RSSMRA85T10A562S"};
        newRow(true, "held to the key rules")
            << true << "123" << QStringList{"4a5", "456789012", "45678901"} << QStringList{"123", "123", "12345678901"};
    }
    void pasteHeldToRules()
    {
        QFETCH(bool, vat);
        QFETCH(QString, typed);
        QFETCH(QStringList, pasted);
        QFETCH(QStringList, shown);
        QCOMPARE(pasted.size(), shown.size());
        const Checker c = checker(vat);
        showWindow(*c.window);
        test::typeKeys(c.box, typed);
        for (qsizetype i = 0; i < pasted.size(); ++i) {
            QGuiApplication::clipboard()->setText(pasted.at(i));
            c.box->paste();
            QCOMPARE(c.box->text(), shown.at(i));
        }
    }

    // Enter in the box moves to "Controlla"; Enter again on the button runs
    // the check.
    void enterMovesToControlla_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("message");
        newRow(false, "Return") << false << "RSSMRA85T10A562S" << int(Qt::Key_Return) << kFiscalValid;
        newRow(true, "Enter") << true << "12345670587" << int(Qt::Key_Enter) << kVatValid + "Roma 1.";
    }
    void enterMovesToControlla()
    {
        QFETCH(bool, vat);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, message);
        const Checker c = checker(vat);
        showWindow(*c.window);
        test::typeKeys(c.box, typed);
        QTest::keyClick(c.box, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), c.controlla);
        QVERIFY(dialogs().calls.isEmpty());
        QVERIFY(c.window->isVisible());
        QTest::keyClick(c.controlla, Qt::Key_Return);
        QCOMPARE(dialogs().texts(), QStringList{message});
        QVERIFY(!c.window->isVisible());
    }

    // What "Controlla" says of a preset value; a value of the wrong form keeps
    // the window open with the box focused, any other closes it.
    void verdicts_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("preset");
        QTest::addColumn<FakeDialogs::Call>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closes");
        using C = FakeDialogs::Call;
        const auto fiscal = [](const char* name) -> QTestData& { return newRow(false, name) << false; };
        fiscal("valid") << "RSSMRA85T10A562S" << C::Information << kFiscalValid << true;
        fiscal("lower-case preset judged as upper") << "rssmra85t10a562s" << C::Information << kFiscalValid << true;
        fiscal("check one letter off") << "RSSMRA85T10A562T" << C::Warning << kFiscalWrong << true;
        fiscal("fifteen digits and a check") << "000000000000000I" << C::Information << kFiscalValid << true;
        fiscal("15 characters") << "RSSMRA85T10A562" << C::Warning << kFiscalForm << false;
        fiscal("empty") << "" << C::Warning << kFiscalForm << false;
        fiscal("hyphen") << "RSSMRA85-10A562S" << C::Warning << kFiscalForm << false;
        fiscal("accented letter") << "RSSMRA85T10A562È" << C::Warning << kFiscalForm << false;
        fiscal("inner blank") << "RSSMRA85 10A562S" << C::Warning << kFiscalForm << false;
        const auto number = [](const char* name) -> QTestData& { return newRow(true, name) << true; };
        number("office 058") << "12345670587" << C::Information << kVatValid + "Roma 1." << true;
        number("office 120 as 101") << "12345671205" << C::Information << kVatValid + "Bologna 2." << true;
        number("office 101") << "00000001016" << C::Information << kVatValid + "Bologna 2." << true;
        number("no office row")
            << "12345670009" << C::Information
            << "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nLe cifre dell'Ufficio IVA (\"000\") non "
               "corrispondono ad alcun ufficio conosciuto: non è quindi possibile indicare quale ufficio lo abbia "
               "rilasciato."
            << true;
        number("wrong last digit") << "12345670588" << C::Warning << kVatWrong << true;
        number("multiple of 10 must end in 0") << "99999999991" << C::Warning << kVatWrong << true;
        number("12-digit preset shown whole") << "123456705870" << C::Warning << kVatLength << false;
        number("ten digits") << "1234567058" << C::Warning << kVatLength << false;
        number("empty") << "" << C::Warning << kVatLength << false;
    }
    void verdicts()
    {
        QFETCH(bool, vat);
        QFETCH(QString, preset);
        QFETCH(FakeDialogs::Call, kind);
        QFETCH(QString, message);
        QFETCH(bool, closes);
        const Checker c = checker(vat);
        c.box->setText(preset);
        showWindow(*c.window);
        QCOMPARE(c.box->text(), preset);
        c.chiudi->setFocus();
        test::click(c.controlla);
        QCOMPARE(dialogs().calls.size(), 1);
        QCOMPARE(dialogs().last().call, kind);
        QCOMPARE(dialogs().last().text, message);
        QCOMPARE(c.window->isVisible(), !closes);
        if (!closes)
            QCOMPARE(QApplication::focusWidget(), c.box);
        else
            QCOMPARE(c.window->result(), int(QDialog::Accepted));
        QCOMPARE(c.box->text(), preset); // the check does not rewrite the box
    }

    void chiudi_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::newRow("fiscal code") << false;
        QTest::newRow("VAT number") << true;
    }
    void chiudi()
    {
        QFETCH(bool, vat);
        const Checker c = checker(vat);
        showWindow(*c.window);
        test::click(c.chiudi);
        QVERIFY(!c.window->isVisible());
        QVERIFY(dialogs().calls.isEmpty());
    }

    // Enter on a button presses that button, never "Controlla" instead.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<bool>("vat");
        QTest::addColumn<QString>("typed");
        QTest::newRow("fiscal code") << false << "RSSMRA85T10A562S";
        QTest::newRow("VAT number") << true << "12345670587";
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(bool, vat);
        QFETCH(QString, typed);
        const Checker c = checker(vat);
        showWindow(*c.window);
        test::typeKeys(c.box, typed);
        c.chiudi->setFocus();
        QTest::keyClick(c.chiudi, Qt::Key_Return);
        QVERIFY(!c.window->isVisible());
        QVERIFY(dialogs().calls.isEmpty());
    }

    // ---------------------------------------------------------- fiscal code

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

    // ---------------------------------------------------------- VAT number

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
