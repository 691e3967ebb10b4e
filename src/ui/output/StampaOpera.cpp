#include "output/StampaOpera.h"

#include "base/Clock.h"
#include "base/Format.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/PhotoView.h"
#include "kit/Picture.h"
#include "kit/Printing.h"
#include "kit/Sheet.h"
#include "output/Report.h"
#include "output/SheetReport.h"

#include <QPushButton>

using namespace pinakos;

namespace {

const QColor kBlue(0x42, 0x7A, 0xA8);

// The photo frame of the sheet report (188 x 112 mm) at 300 dots to the inch.
constexpr QSize kPrintedPhoto(2220, 1323);

} // namespace

TfrmStampaOpera::TfrmStampaOpera(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setFixedFrame(this, QStringLiteral(" Stampa scheda"), 364, 287);
    setGradient(kBlue, Qt::white);
    setPanelSize(364, 287);

    QWidget* p = panContainer;
    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(18, 18, 326, 215), Qt::white, Qt::white);
    icoInf01 = new Picture(p, QStringLiteral("icoInf01"), art("stampa_info"), QRect(28, 28, 240, 83));
    imgLogo01 = new Picture(p, QStringLiteral("imgLogo01"), art("lettore"), QRect(280, 31, 51, 81));
    shpSepara = new Shape(p, QStringLiteral("shpSepara"), QRect(26, 120, 311, 4), kBlue, Qt::white);
    imgSezione04 = new Picture(p, QStringLiteral("imgSezione04"), art("stampante"), QRect(30, 140, 82, 72));
    icoInf02 = new Picture(p, QStringLiteral("icoInf02"), art("stampa_istruzioni"), QRect(122, 140, 206, 71));
    btnAnnulla = makeButton(p, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(18, 243, 145, 28));
    btnStampa = makeButton(p, QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QRect(200, 243, 145, 28));
    setTabOrder(btnAnnulla, btnStampa);

    imgLogo = new PhotoView(p, QStringLiteral("imgLogo"), QRect(352, 256, 297, 184));
    imgLogo->hide();
    imgTemp = new PhotoView(p, QStringLiteral("imgTemp"), QRect(352, 248, 297, 184));
    imgTemp->setPhoto(SheetPhoto(euroPicture(QSize(297, 184))));
    imgTemp->hide();

    repDocumento = makeSheetReport();

    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmStampaOpera::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmStampaOpera::btnStampaClick);
}

TfrmStampaOpera::~TfrmStampaOpera() = default;

void TfrmStampaOpera::showEvent(QShowEvent* e)
{
    // FormShow: the picture the sheet shows now, or the euro sign.
    SheetPhoto photo = m_sheet ? m_sheet->shownPhoto() : SheetPhoto();
    imgLogo->setPhoto(photo.isNull() ? imgTemp->photo() : photo);
    if (QWidget* owner = parentWidget())
        centreOver(this, owner);
    GradientForm::showEvent(e);
}

void TfrmStampaOpera::btnAnnullaClick() { close(); }

void TfrmStampaOpera::btnStampaClick()
{
    const bool ended = runHandler(this, [this] {
        const SheetPhoto& photo = imgLogo->photo();
        const QImage picture =
            photo.isNull() ? QImage() : photo.imageFor(fitRect(photo.size(), QRect(QPoint(), kPrintedPhoto)).size());
        // The texts as the boxes show them, not as the archive would keep them.
        fillSheetReport(
            *repDocumento, [this](Campo c) { return m_sheet ? m_sheet->shownText(c) : QString(); }, picture, now());
        printReport(this, *repDocumento);
    });
    // Printed or cancelled, the window has done its work; after a failure it stays.
    if (ended)
        close();
}
