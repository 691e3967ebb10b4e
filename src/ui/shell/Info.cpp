#include "shell/Info.h"

#include "kit/Layout.h"
#include "kit/OpenURL.h"
#include "shell/Maker.h"

#include <QPushButton>

using namespace pinakos;

namespace {

QLabel* infoLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry, const QFont& font,
                  const QColor& color = Qt::black)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, color);
    l->setPalette(pal);
    l->setGeometry(geometry);
    return l;
}

} // namespace

TfrmInfo::TfrmInfo(QWidget* parent) : GradientForm(parent)
{
    setFixedFrame(this, QStringLiteral(" Informazioni su Pinakos"), 473, 579);
    setGradient(Qt::black, Qt::white);
    setPanelSize(442, 490);
    setPanelPos(15, 15);

    QWidget* p = panContainer;
    shpIntestazione = new Shape(p, QStringLiteral("shpIntestazione"), QRect(8, 8, 425, 72), Qt::white);
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("info_logo"), QRect(24, 17, 392, 54));

    // What the program is, below the header, on a white card.
    shpScheda = new Shape(p, QStringLiteral("shpScheda"), QRect(8, 96, 425, 384), Qt::white);
    const QColor ink = argb(0xFF1F4E79);
    lblProdotto = infoLabel(p, QStringLiteral("lblProdotto"), maker::productName(), QRect(8, 110, 425, 40),
                            appFont(QStringLiteral("Verdana"), 28, true), ink);
    lblVersione = infoLabel(p, QStringLiteral("lblVersione"), QStringLiteral("Versione ") + maker::productVersion(),
                            QRect(8, 156, 425, 22), appFont(QStringLiteral("Verdana"), 14, true), ink);
    lblDescrizione = infoLabel(
        p, QStringLiteral("lblDescrizione"),
        QStringLiteral("Archivio fotografico e inventario di dipinti e opere d'arte, per gallerie, collezionisti "
                       "e appassionati di pittura: schede con foto e documenti allegati, ricerca per più "
                       "criteri, stampa delle schede e degli elenchi, esportazione in Microsoft Excel e "
                       "presentazione delle foto a tutto schermo."),
        QRect(24, 200, 393, 150), appFont(QStringLiteral("Verdana"), 13), Qt::black);
    lblProduttore =
        infoLabel(p, QStringLiteral("lblProduttore"),
                  QStringLiteral("Realizzato da ") + maker::name() + QStringLiteral("\n") + maker::webSiteShown(),
                  QRect(8, 340, 425, 44), appFont(QStringLiteral("Verdana"), 13, true), Qt::black);

    // The button lies just below the panel, at its place relative to the
    // panel; as a child of the window it is not cut off by the panel's edge.
    btnChiudi = makeButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                           QRect(panContainer->pos() + QPoint(280, 504), QSize(161, 41)));

    imgEmail = new Picture(this, QStringLiteral("imgEmail"), art("email"), QRect(15, 531, 23, 16), true);
    lnkWeb = new LinkLabel(this, QStringLiteral("lnkWeb"), maker::infoEmail(), QPoint(46, 528),
                           appFont(QStringLiteral("Tahoma"), 14, false, true));
    lnkWeb->attachIcon(imgEmail);

    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmInfo::lnkWebClick);
    connect(imgEmail, &Picture::clicked, this, &TfrmInfo::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
}

QString TfrmInfo::mailCommand()
{
    return QLatin1Char('"') + QStringLiteral("mailto:") + maker::infoEmail() + QStringLiteral("?subject=")
        + QStringLiteral("Software Pinakos") + QStringLiteral("&body=")
        + QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:")
        + QLatin1Char('"');
}

void TfrmInfo::lnkWebClick()
{
    lnkWeb->setPressed(false);
    TMisc::Open(mailCommand());
}

void TfrmInfo::btnChiudiClick() { close(); }

void TfrmInfo::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    centreOnScreen(this);
}
