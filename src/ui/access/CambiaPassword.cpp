#include "access/CambiaPassword.h"

#include "access/FormParts.h"
#include "access/PasswordStore.h"
#include "base/Text.h"
#include "kit/Dialogs.h"
#include "kit/FieldKeys.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/Navigation.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>

using namespace pinakos;

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent) : GradientForm(parent)
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    setFixedFrame(this, QStringLiteral(" Cambia password"), 411, 418);
    setGradient(access::steelBlue(), Qt::white);
    setPanelSize(385, 390);
    QWidget* p = panContainer;

    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(8, 8, 369, 334), QColor(), Qt::white);
    shpSfondo->setGradient(access::steelBlue(), Qt::white);
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("banner_cambia"), QRect(16, 16, 353, 148));

    lblRigo05 = makeLabel(p, QStringLiteral("lblRigo05"), QStringLiteral("Vecchia password:"), QPoint(16, 172),
                          access::labelFont());
    txtPasswordOld = access::makePasswordBox(p, QStringLiteral("txtPasswordOld"), QRect(16, 193, 353, 22));
    effPasswordOld = new Highlight(p, QStringLiteral("effPasswordOld"), QRect(12, 189, 361, 30), txtPasswordOld);

    lblRigo06 = makeLabel(p, QStringLiteral("lblRigo06"), QStringLiteral("Nuova password:"), QPoint(16, 228),
                          access::labelFont());
    txtPasswordNew = access::makePasswordBox(p, QStringLiteral("txtPasswordNew"), QRect(16, 249, 353, 22));
    effPasswordNew = new Highlight(p, QStringLiteral("effPasswordNew"), QRect(12, 245, 361, 30), txtPasswordNew);

    lblRigo07 = makeLabel(p, QStringLiteral("lblRigo07"), QStringLiteral("Conferma nuova password:"), QPoint(16, 284),
                          access::labelFont());
    txtConferma = access::makePasswordBox(p, QStringLiteral("txtConferma"), QRect(16, 305, 353, 22));
    effConferma = new Highlight(p, QStringLiteral("effConferma"), QRect(12, 301, 361, 30), txtConferma);

    cmdEsci = makeButton(p, QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), QRect(8, 350, 146, 32));
    cmdOK = makeButton(p, QStringLiteral("cmdOK"), QStringLiteral("OK"), QRect(232, 350, 146, 32));
    cmdOK->setEnabled(false);
    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdEsci);
    setTabOrder(cmdEsci, cmdOK);

    // Enter moves round the three boxes and never presses OK.
    auto* keys = new FieldKeys(this);
    keys->setNext(txtPasswordOld, txtPasswordNew);
    keys->setNext(txtPasswordNew, txtConferma);
    keys->setNext(txtConferma, txtPasswordOld);
    for (QLineEdit* t : {txtPasswordOld, txtPasswordNew, txtConferma})
        connect(t, &QLineEdit::textChanged, this, &TfrmCambiaPassword::txtChange);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
}

void TfrmCambiaPassword::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* e)
{
    GradientForm::closeEvent(e);
    FormClose();
}

void TfrmCambiaPassword::FormShow()
{
    centreOnScreen(this);
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::FormClose()
{
    // This window is hidden by the close itself, once the handler returns.
    navigation().show(Screen::Password, nullptr);
}

void TfrmCambiaPassword::txtChange()
{
    cmdOK->setEnabled(!isBlank(txtPasswordOld->text()) && !isBlank(txtPasswordNew->text())
                      && !isBlank(txtConferma->text()));
}

void TfrmCambiaPassword::cmdOKClick()
{
    if (!cmdOK->isEnabled())
        return;
    bool stored = false;
    const bool ran = runHandler(
        this,
        [&] {
            if (!passwordAccepted(txtPasswordOld->text())) {
                dialogs().message(this, QStringLiteral("Attenzione: vecchia password errata."));
                txtPasswordOld->clear();
                txtPasswordOld->setFocus(Qt::OtherFocusReason);
                return;
            }
            if (trimmed(txtPasswordNew->text()) != trimmed(txtConferma->text())) {
                dialogs().message(this,
                                  QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                                 "E' necessario reinserire entrambi i valori."));
                txtPasswordNew->clear();
                txtConferma->clear();
                txtPasswordNew->setFocus(Qt::OtherFocusReason);
                return;
            }
            // The scrambler keeps only codes 1 to 255 and at most 255 characters:
            // anything else would be stored in a form that no later input matches.
            if (!isStorablePassword(txtPasswordNew->text())) {
                dialogs().message(this,
                                  QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi oppure "
                                                 "è troppo lunga. Usare al massimo 255 caratteri tra lettere, cifre "
                                                 "e simboli comuni."));
                txtPasswordNew->clear();
                txtConferma->clear();
                txtPasswordNew->setFocus(Qt::OtherFocusReason);
                return;
            }
            storePassword(txtPasswordNew->text());
            stored = true;
        },
        QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                       "della password. Si consiglia di reinstallare il software."),
        Dialogs::Kind::Message);
    if (!ran || !stored)
        return;
    dialogs().message(this, QStringLiteral("Modifica della password completata con successo."));
    close();
}

void TfrmCambiaPassword::cmdEsciClick() { close(); }
