#include "access/Password.h"

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

TfrmPassword::TfrmPassword(QWidget* parent) : GradientForm(parent)
{
    setObjectName(QStringLiteral("frmPassword"));
    setFixedFrame(this, QStringLiteral(" Pinakos - Autenticazione"), 388, 405);
    setGradient(access::steelBlue(), Qt::white);
    setPanelSize(360, 378);
    QWidget* p = panContainer;

    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(8, 8, 344, 265), QColor(), Qt::white);
    shpSfondo->setGradient(access::steelBlue(), Qt::white);
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("banner_login"), QRect(16, 16, 328, 160));
    shpTitolo = new Shape(p, QStringLiteral("shpTitolo"), QRect(16, 184, 328, 81), QColor(), Qt::white);
    shpTitolo->setGradient(QColor(0x7D, 0xA9, 0xCD), Qt::white);
    lblRigo05 = makeLabel(p, QStringLiteral("lblRigo05"), QStringLiteral("Immetti la password e premi OK."),
                          QPoint(36, 200), access::labelFont());
    txtPassword = access::makePasswordBox(p, QStringLiteral("txtPassword"), QRect(36, 222, 230, 22));
    effPassword = new Highlight(p, QStringLiteral("effPassword"), QRect(32, 218, 238, 30), txtPassword);
    cmdOK = makeButton(p, QStringLiteral("cmdOK"), QStringLiteral("OK"), QRect(280, 216, 49, 33));
    cmdOK->setEnabled(false);
    cmdEsci = makeButton(p, QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QRect(8, 338, 146, 32));
    btnCambiaPassword =
        makeButton(p, QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"), QRect(205, 338, 146, 32));
    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    auto* keys = new FieldKeys(this);
    keys->setEnterAction(txtPassword, [this] {
        if (!isBlank(txtPassword->text()))
            cmdOKClick();
    });
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

void TfrmPassword::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

// Every showing asks for the password anew.
void TfrmPassword::FormShow()
{
    centreOnScreen(this);
    txtPassword->clear();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::txtPasswordChange() { cmdOK->setEnabled(!isBlank(txtPassword->text())); }

void TfrmPassword::cmdOKClick()
{
    if (isBlank(txtPassword->text()))
        return;
    bool accepted = false;
    if (!runHandler(
            this, [&] { accepted = passwordAccepted(txtPassword->text()); },
            QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                           "della password. Si consiglia di reinstallare il software."),
            Dialogs::Kind::Message))
        return;
    if (accepted) {
        runHandler(this, [this] { navigation().show(Screen::Avvio, this); });
        return;
    }
    dialogs().message(this, QStringLiteral("Attenzione: password errata."));
    txtPassword->clear();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

// The main window: closed in any way, it ends the program.
void TfrmPassword::closeEvent(QCloseEvent* e)
{
    GradientForm::closeEvent(e);
    navigation().endProgram();
}

void TfrmPassword::cmdEsciClick() { close(); }

void TfrmPassword::btnCambiaPasswordClick()
{
    runHandler(this, [this] { navigation().show(Screen::CambiaPassword, this); });
}
