#include "checkers/CodFisc.h"

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

TfrmCodFisc::TfrmCodFisc(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setFixedFrame(this, QStringLiteral(" Controllo codice fiscale"), 478, 254);
    const QColor green(0x00, 0x80, 0x00);
    setGradient(green, Qt::white);
    setPanelSize(453, 222);

    QWidget* p = panContainer;
    shpContainer = new Shape(p, QStringLiteral("shpContainer"), QRect(8, 8, 437, 169), argb(0xFFF3F1F1));
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("banner_codfisc"), QRect(16, 16, 421, 73));
    lblTitolo = makeLabel(p, QStringLiteral("lblTitolo"),
                          QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
                          QPoint(16, 95), appFont(QStringLiteral("Arial"), 12));
    shpCodFisc = new Shape(p, QStringLiteral("shpCodFisc"), QRect(16, 118, 421, 50), green);
    shpCodFisc->setGradient(green, Qt::white);

    txtCodFisc = new QLineEdit(p);
    txtCodFisc->setObjectName(QStringLiteral("txtCodFisc"));
    txtCodFisc->setGeometry(26, 128, 233, 28);
    txtCodFisc->setFont(appFont(QStringLiteral("Courier New"), 20, true));
    setStyleSheet(fieldStyleSheet({txtCodFisc}));
    btnControlla = makeButton(p, QStringLiteral("btnControlla"), QStringLiteral("Controlla"), QRect(268, 128, 160, 28));
    // Enter in the box comes here; Enter again, on the button, runs the check.
    btnChiudi = makeButton(p, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(170, 184, 116, 28));
    setTabOrder(txtCodFisc, btnControlla);
    setTabOrder(btnControlla, btnChiudi);

    // The box takes no typed character once it holds 16; pasted text is
    // held to the same length by the typing handler.
    auto* keys = new FieldKeys(this);
    keys->setNext(txtCodFisc, btnControlla);
    keys->setReject(txtCodFisc, [this](QChar c) {
        const bool printable = c.unicode() >= 32 && c.unicode() != 127; // not Backspace and the like
        return printable && txtCodFisc->text().size() - txtCodFisc->selectedText().size() >= kTypedLength;
    });
    connect(txtCodFisc, &QLineEdit::textEdited, this, &TfrmCodFisc::txtCodFiscTyping);
    connect(txtCodFisc, &QLineEdit::textChanged, this, [this] { m_shown = txtCodFisc->text(); });
    connect(btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::btnControllaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmCodFisc::btnChiudiClick);
}

void TfrmCodFisc::setCode(const QString& code) { txtCodFisc->setText(code); }

void TfrmCodFisc::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    centreOnScreen(this);
    txtCodFisc->setFocus(Qt::OtherFocusReason);
}

void TfrmCodFisc::txtCodFiscTyping(const QString& text)
{
    // textEdited comes before textChanged: m_shown still holds the text
    // before this edit.
    const QString before = m_shown;
    QString clean = upperAZ(trimmed(text));
    int cursor = txtCodFisc->cursorPosition();
    if (clean.size() > kTypedLength && clean.size() > before.size()) {
        // A paste beyond the length: the box stays as it was.
        cursor = std::clamp(int(cursor - (text.size() - before.size())), 0, int(before.size()));
        clean = before;
    } else {
        // Keep the cursor after the same characters it followed.
        int lead = 0;
        while (lead < text.size() && text.at(lead).unicode() <= 32)
            ++lead;
        cursor = std::clamp(cursor - lead, 0, int(clean.size()));
    }
    if (clean == text)
        return;
    txtCodFisc->setText(clean);
    txtCodFisc->setCursorPosition(cursor);
}

void TfrmCodFisc::btnControllaClick()
{
    runHandler(this, [this] {
        switch (checkFiscalCode(txtCodFisc->text())) {
        case FiscalVerdict::BadForm:
            dialogs().warning(this, fiscalBadFormMessage());
            txtCodFisc->setFocus(Qt::OtherFocusReason);
            return; // the user corrects the code in place
        case FiscalVerdict::Valid:
            dialogs().information(this, fiscalValidMessage());
            break;
        case FiscalVerdict::Wrong:
            dialogs().warning(this, fiscalWrongMessage());
            break;
        }
        accept();
    });
}

void TfrmCodFisc::btnChiudiClick() { reject(); }
