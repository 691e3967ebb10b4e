#include "shell/Splash.h"

#include "shell/Maker.h"
#include "shell/OpenURL.h"

#include <QPushButton>

using namespace pinakos;

TfrmSplash::TfrmSplash(QWidget* parent) : GradientForm(parent)
{
    setFixedFrame(this, QStringLiteral(" ") + maker::productName() + QStringLiteral(" - ") + maker::name(), 661, 467);
    setGradient(Qt::white, argb(0xFF352525));
    setPanelSize(642, 448);

    QWidget* p = panContainer;
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), QStringLiteral(":/art/splash.svg"), QRect(8, 8, 625, 380));

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), p);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(473, 402, 160, 34);
    btnChiudi->setFont(appFont(QStringLiteral("Verdana"), 12));
    btnChiudi->setCursor(Qt::PointingHandCursor);
    btnChiudi->setAutoDefault(false);

    imgWeb = new Picture(p, QStringLiteral("imgWeb"), QStringLiteral(":/art/globo.svg"), QRect(8, 400, 39, 36), true);
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
