#include "shell/Guida.h"

#include "base/ProgramFolder.h"
#include "kit/Layout.h"
#include "kit/OnDemand.h"
#include "kit/OpenURL.h"

#include <QPlainTextEdit>
#include <QPushButton>

using namespace pinakos;

TfrmGuida::TfrmGuida(QWidget* parent) : GradientForm(parent)
{
    // The client area; the system's single border and title bar around it
    // make the outer size (676 x 598 with a 3-pixel border and a 23-pixel title).
    setFixedFrame(this, QStringLiteral(" Guida all'utilizzo del software"), 670, 572);
    setGradient(Qt::white, argb(0xFFBFD8EF));
    setPanelSize(642, 540);

    QWidget* p = panContainer;
    shpIntestazione =
        new Shape(p, QStringLiteral("shpIntestazione"), QRect(8, 8, 625, 89), Qt::white, argb(0xFFF5DEB3));
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("guida_logo"), QRect(24, 16, 587, 69));

    lblTitolo = makeLabel(p, QStringLiteral("lblTitolo"), QStringLiteral("Argomento della guida."), QPoint(8, 104),
                          appFont(QStringLiteral("Arial"), 16, true), argb(0xFFDC143C));

    txtGuida = new QPlainTextEdit(p);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setGeometry(8, 128, 625, 350);
    txtGuida->setFont(appFont(QStringLiteral("Verdana"), 12, true));
    // Read-only and without a text cursor; the mouse still selects, and the
    // keys still scroll.
    txtGuida->setReadOnly(true);
    txtGuida->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setWordWrapMode(QTextOption::WordWrap);
    txtGuida->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtGuida->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    imgPDF = new Picture(p, QStringLiteral("imgPDF"), art("pdf"), QRect(8, 496, 27, 27), true);
    lnkWeb = new LinkLabel(p, QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"),
                           QPoint(44, 500), appFont(QStringLiteral("Tahoma"), 14, false, true));
    lnkWeb->attachIcon(imgPDF);

    btnChiudi = makeButton(p, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(472, 490, 161, 38));

    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmGuida::lnkWebClick);
    connect(imgPDF, &Picture::clicked, this, &TfrmGuida::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);
}

void TfrmGuida::setTopic(const HelpTopic& topic)
{
    lblTitolo->setText(topic.title);
    lblTitolo->adjustSize();
    txtGuida->setPlainText(topic.body());
}

QString TfrmGuida::manualCommand()
{
    return QLatin1Char('"') + programFolder() + QStringLiteral("Guida.pdf") + QLatin1Char('"');
}

// The manual opens beside the help window, which stays open.
void TfrmGuida::lnkWebClick()
{
    lnkWeb->setPressed(false);
    TMisc::Open(manualCommand());
}

void TfrmGuida::btnChiudiClick() { close(); }

void TfrmGuida::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    centreOnScreen(this);
}

namespace pinakos {

void showHelpTopic(QWidget* owner, const HelpTopic& topic)
{
    runOnDemand<TfrmGuida>(owner, [&](TfrmGuida& frm) { frm.setTopic(topic); });
}

} // namespace pinakos
