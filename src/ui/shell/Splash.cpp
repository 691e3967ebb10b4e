#include "shell/Splash.h"

#include "kit/Layout.h"
#include "kit/OpenURL.h"
#include "shell/Maker.h"

#include <QPushButton>

using namespace pinakos;

TfrmSplash::TfrmSplash(QWidget* parent) : GradientForm(parent)
{
    setFixedFrame(this, QStringLiteral(" ") + maker::productName() + QStringLiteral(" - ") + maker::name(), 661, 467);
    setGradient(Qt::white, argb(0xFF352525));
    setPanelSize(642, 448);

    QWidget* p = panContainer;
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("splash"), QRect(8, 8, 625, 380));
    // The light ground under the link and the button, for the link to read on it.
    new Picture(p, QStringLiteral("imgPiede"), art("splash_piede"), QRect(8, 394, 625, 48));

    btnChiudi = makeButton(p, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(473, 402, 160, 34));

    imgWeb = new Picture(p, QStringLiteral("imgWeb"), art("globo"), QRect(8, 400, 39, 36), true);
    lnkWeb = new LinkLabel(p, QStringLiteral("lnkWeb"), maker::webSiteShown(), QPoint(54, 409),
                           appFont(QStringLiteral("Tahoma"), 14, false, true));
    lnkWeb->attachIcon(imgWeb);

    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmSplash::lnkWebClick);
    connect(imgWeb, &Picture::clicked, this, &TfrmSplash::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
}

// The web address goes to the shell bare, without quotes.
void TfrmSplash::lnkWebClick()
{
    lnkWeb->setPressed(false);
    TMisc::Open(maker::webSite());
}

void TfrmSplash::btnChiudiClick() { close(); }

// The credits stand over the start window that opened them.
void TfrmSplash::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    centreOver(this, parentWidget());
}
