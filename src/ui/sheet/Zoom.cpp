#include "sheet/Zoom.h"

#include "base/Format.h"
#include "kit/PhotoView.h"

#include <QMouseEvent>
#include <QScreen>

using namespace pinakos;

TfrmZoom::TfrmZoom(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setupWorkWindow(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"), QColor(0x46, 0x82, 0xB4), 956,
                    623);
    setWindowState(windowState() | Qt::WindowMaximized); // shown modally, not through moveTo

    imgFoto = new PhotoView(panContainer, QStringLiteral("imgFoto"), QRect(0, 0, 956, 623), true);
    connect(imgFoto, &PhotoView::clicked, this, &TfrmZoom::imgFotoClick);
    panContainer->installEventFilter(this);
    panContainer->setCursor(Qt::PointingHandCursor);
}

void TfrmZoom::setPhoto(const SheetPhoto& photo) { imgFoto->setPhoto(photo); }

void TfrmZoom::showEvent(QShowEvent* e)
{
    // FormShow: the picture area is the screen less 60 across and 90 down.
    if (QScreen* s = screen()) {
        const QSize area = s->size() - QSize(60, 90);
        setPanelSize(area.width(), area.height());
        imgFoto->setGeometry(0, 0, area.width(), area.height());
    }
    GradientForm::showEvent(e);
}

bool TfrmZoom::eventFilter(QObject* o, QEvent* e)
{
    if (o == panContainer && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
        panContainerClick();
    return GradientForm::eventFilter(o, e);
}

void TfrmZoom::imgFotoClick() { accept(); }

void TfrmZoom::panContainerClick() { accept(); }
