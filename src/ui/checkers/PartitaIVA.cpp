#include "checkers/PartitaIVA.h"

#include "base/Format.h"
#include "base/Text.h"
#include "checkers/TaxCodes.h"
#include "kit/Dialogs.h"
#include "kit/FieldKeys.h"
#include "kit/Guard.h"
#include "kit/Layout.h"

#include <QPushButton>
#include <algorithm>

using namespace pinakos;

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setFixedFrame(this, QStringLiteral(" Controllo partita IVA"), 480, 254);
    const QColor steelBlue(0x46, 0x82, 0xB4);
    setGradient(steelBlue, Qt::white);
    setPanelSize(453, 222);

    QWidget* p = panContainer;
    shpContainer =
        new Shape(p, QStringLiteral("shpContainer"), QRect(8, 8, 437, 169), Qt::white, QColor(0xFF, 0xE4, 0xC4));
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("banner_partitaiva"), QRect(16, 16, 421, 73));
    lblTitolo = makeLabel(p, QStringLiteral("lblTitolo"),
                          QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
                          QPoint(16, 95), appFont(QStringLiteral("Arial"), 12));
    shpCodFisc = new Shape(p, QStringLiteral("shpCodFisc"), QRect(16, 118, 421, 50), steelBlue, Qt::white);
    shpCodFisc->setGradient(steelBlue, Qt::white);

    txtPartitaIva = new QLineEdit(p);
    txtPartitaIva->setObjectName(QStringLiteral("txtPartitaIva"));
    txtPartitaIva->setGeometry(26, 128, 233, 28);
    txtPartitaIva->setFont(appFont(QStringLiteral("Courier New"), 20, true));
    setStyleSheet(fieldStyleSheet({txtPartitaIva}));
    // What the box takes comes from the key filter alone, not from composed input.
    txtPartitaIva->setAttribute(Qt::WA_InputMethodEnabled, false);
    btnControlla = makeButton(p, QStringLiteral("btnControlla"), QStringLiteral("Controlla"), QRect(268, 128, 160, 28));
    // Enter in the box comes here; Enter again, on the button, runs the check.
    btnChiudi = makeButton(p, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(170, 184, 116, 28));
    setTabOrder(txtPartitaIva, btnControlla);
    setTabOrder(btnControlla, btnChiudi);

    // txtPartitaIvaKeyDown: Enter to "Controlla"; digits while there is room,
    // Backspace, Delete and the arrows pass; every other key is swallowed.
    auto* keys = new FieldKeys(this);
    keys->setNext(txtPartitaIva, btnControlla);
    keys->setAccept(txtPartitaIva, [this](QChar c) {
        return isDigit09(c) && txtPartitaIva->text().size() - txtPartitaIva->selectedText().size() < kTypedLength;
    });
    connect(txtPartitaIva, &QLineEdit::textEdited, this, &TfrmPartitaIva::txtPartitaIvaEdited);
    connect(txtPartitaIva, &QLineEdit::textChanged, this, [this] { m_shown = txtPartitaIva->text(); });
    connect(btnControlla, &QPushButton::clicked, this, &TfrmPartitaIva::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmPartitaIva::btnChiudiClick);
}

void TfrmPartitaIva::setCode(const QString& code) { txtPartitaIva->setText(code); }

void TfrmPartitaIva::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    centreOnScreen(this);
    txtPartitaIva->setFocus(Qt::OtherFocusReason);
}

void TfrmPartitaIva::txtPartitaIvaEdited(const QString& text)
{
    // textEdited comes before textChanged: m_shown still holds the text
    // before this edit.
    const QString before = m_shown;
    const bool digits = std::all_of(text.begin(), text.end(), isDigit09);
    const bool tooLong = text.size() > kTypedLength && text.size() > before.size();
    if (digits && !tooLong)
        return;
    const int cursor =
        std::clamp(int(txtPartitaIva->cursorPosition() - (text.size() - before.size())), 0, int(before.size()));
    txtPartitaIva->setText(before);
    txtPartitaIva->setCursorPosition(cursor);
}

void TfrmPartitaIva::btnControllaClick()
{
    runHandler(this, [this] {
        const QString number = txtPartitaIva->text();
        switch (checkVatNumber(number)) {
        case VatVerdict::BadLength:
            dialogs().warning(this, vatBadLengthMessage());
            txtPartitaIva->setFocus(Qt::OtherFocusReason);
            return; // the user corrects the number in place
        case VatVerdict::Valid:
            dialogs().information(this, vatValidMessage(number));
            break;
        case VatVerdict::Wrong:
            dialogs().warning(this, vatWrongMessage());
            break;
        }
        accept();
    });
}

void TfrmPartitaIva::btnChiudiClick() { reject(); }
