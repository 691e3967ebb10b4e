#include "shell/Avvio.h"

#include "base/Format.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/Navigation.h"
#include "kit/OnDemand.h"
#include "kit/OpenURL.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"
#include "shell/Info.h"
#include "shell/Maker.h"
#include "shell/Splash.h"

#include <QCloseEvent>

using namespace pinakos;

TfrmAvvio::TfrmAvvio(QWidget* parent) : GradientForm(parent)
{
    setupWorkWindow(QStringLiteral(" Pinakos"), argb(0xFF6792B7), 995, 692);

    QWidget* p = panContainer;
    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(4, 4, 986, 684), Qt::white);

    icoIcona = new Picture(p, QStringLiteral("icoIcona"), art("icona"), QRect(86, 18, 65, 72));
    icoNome = new Picture(p, QStringLiteral("icoNome"), art("nome"), QRect(182, 26, 708, 66));
    imgInfo = new Picture(p, QStringLiteral("imgInfo"), art("info"), QRect(14, 14, 30, 30), true);
    imgGuida = new Picture(p, QStringLiteral("imgGuida"), art("guida"), QRect(952, 16, 29, 28), true);
    imgSottotitolo = new Picture(p, QStringLiteral("imgSottotitolo"), art("sottotitolo"), QRect(17, 100, 961, 22));
    imgCrea = new Picture(p, QStringLiteral("imgCrea"), art("quadro_crea"), QRect(68, 154, 368, 368), true);
    btnCrea = new Picture(p, QStringLiteral("btnCrea"), art("btn_crea"), QRect(30, 528, 442, 79), true);
    imgApri = new Picture(p, QStringLiteral("imgApri"), art("quadro_apri"), QRect(560, 154, 368, 368), true);
    btnApri = new Picture(p, QStringLiteral("btnApri"), art("btn_apri"), QRect(522, 528, 442, 79), true);
    imgSito = new Picture(p, QStringLiteral("imgSito"), art("sito"), QRect(17, 628, 961, 22), true);
    imgCopyright = new Picture(p, QStringLiteral("imgCopyright"), art("copyright"), QRect(16, 660, 23, 22), true);
    imgEsci = new Picture(p, QStringLiteral("imgEsci"), art("esci"), QRect(960, 662, 17, 18), true);

    connect(imgCrea, &Picture::clicked, this, &TfrmAvvio::imgCreaClick);
    connect(btnCrea, &Picture::clicked, this, &TfrmAvvio::imgCreaClick);
    connect(imgApri, &Picture::clicked, this, &TfrmAvvio::imgApriClick);
    connect(btnApri, &Picture::clicked, this, &TfrmAvvio::imgApriClick);
    connect(imgInfo, &Picture::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(imgSito, &Picture::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(imgCopyright, &Picture::clicked, this, &TfrmAvvio::imgCopyrightClick);
    connect(imgEsci, &Picture::clicked, this, &TfrmAvvio::imgEsciClick);
}

// The commands open other windows, whose own handlers run inside them.
void TfrmAvvio::imgCreaClick()
{
    runHandler(this, [this] { navigation().show(Screen::CreaCatalogo, this); });
}

void TfrmAvvio::imgApriClick()
{
    runHandler(this, [this] { navigation().show(Screen::ApriCatalogo, this); });
}

void TfrmAvvio::imgInfoClick()
{
    runHandler(this, [this] { runOnDemand<TfrmInfo>(this); });
}

void TfrmAvvio::imgGuidaClick()
{
    runHandler(this, [this] { showHelpTopic(this, startTopic()); });
}

void TfrmAvvio::imgSitoClick() { TMisc::Open(maker::webSite()); }

void TfrmAvvio::imgCopyrightClick()
{
    runHandler(this, [this] { runOnDemand<TfrmSplash>(this); });
}

void TfrmAvvio::imgEsciClick() { navigation().endProgram(); }

void TfrmAvvio::closeEvent(QCloseEvent* e)
{
    FormClose();
    e->accept();
}

// Closing the start window ends the program, although the login window
// still exists, hidden.
void TfrmAvvio::FormClose() { navigation().endProgram(); }
