#include "output/Slideshow.h"

#include "base/Format.h"
#include "base/Text.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "output/SlideStep.h"
#include "sheet/Photo.h"
#include "store/Archive.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QTimer>
#include <algorithm>

using namespace pinakos;

namespace {

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const char* const kStartPicture = "slideshow_inizio";

} // namespace

// ---------------------------------------------------------------- SlideView

namespace pinakos {

SlideView::SlideView(QWidget* parent, const QString& name) : QWidget(parent) { setObjectName(name); }

void SlideView::showImage(const QImage& image)
{
    delete m_start;
    m_start = nullptr;
    m_image = image;
    m_scaled = QImage();
    update();
}

void SlideView::showStartPicture(const QString& resource)
{
    delete m_start;
    m_start = new QSvgRenderer(resource, this);
    m_image = QImage();
    m_scaled = QImage();
    update();
}

QSize SlideView::naturalSize() const
{
    if (m_start)
        return m_start->defaultSize();
    return m_image.size();
}

QRect SlideView::pictureRect() const
{
    const QSize natural = naturalSize();
    if (natural.isEmpty())
        return QRect();
    const QSize size = natural.scaled(this->size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void SlideView::paintEvent(QPaintEvent*)
{
    const QRect place = pictureRect();
    if (place.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_start) {
        m_start->render(&p, QRectF(place));
        return;
    }
    // Scaled once per photo and size, not at every paint.
    if (m_scaled.size() != place.size())
        m_scaled = m_image.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.drawImage(place.topLeft(), m_scaled);
}

void SlideView::resizeEvent(QResizeEvent*) { m_scaled = QImage(); }

void SlideView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
    // The panel beneath does not see the click a second time.
    e->accept();
}

} // namespace pinakos

// ---------------------------------------------------------------- TfrmSlideshow

TfrmSlideshow::TfrmSlideshow(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setupWorkWindow(QStringLiteral(" Slide show catalogo opere d'arte"), QColor(0x46, 0x82, 0xB4), 956, 623);
    setScrolling(false); // a show, not a form: what does not fit is cut off, never scrolled
    // An ordinary resizable window with all its title-bar buttons, opened maximised.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);

    QWidget* p = panContainer;
    imgBianco = new Picture(p, QStringLiteral("imgBianco"), art(kStartPicture), QRect(0, 0, 688, 471));
    imgBianco->hide();
    imgFoto = new SlideView(p, QStringLiteral("imgFoto"));
    imgFoto->setGeometry(p->rect());
    imgFoto->setCursor(Qt::PointingHandCursor);
    lblPosizione = makeHiddenLabel(p, QStringLiteral("lblPosizione"));
    lblNome = makeHiddenLabel(p, QStringLiteral("lblNome"), QStringLiteral("Nome book fotografico"));
    lblFile = makeHiddenLabel(p, QStringLiteral("lblFile"));
    cmdAvanti = new Picture(p, QStringLiteral("cmdAvanti"), art("avanti"), QRect(0, 0, 37, 39), true);
    cmdAvanti->hide();

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(slideInterval());

    p->installEventFilter(this);
    connect(imgFoto, &SlideView::clicked, this, &TfrmSlideshow::imgFotoClick);
    connect(cmdAvanti, &Picture::clicked, this, &TfrmSlideshow::cmdAvantiClick);
    connect(Timer, &QTimer::timeout, this, &TfrmSlideshow::TimerTimer);
}

void TfrmSlideshow::setCatalog(const QString& path, const QString& name)
{
    lblFile->setText(path);
    lblNome->setText(name);
}

void TfrmSlideshow::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    if (!e->spontaneous() && !m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmSlideshow::FormShow()
{
    // The slide takes the screen less a margin (the window's own screen, in
    // logical units), and never more than the desktop leaves to a maximised
    // window, so that no scroll bar comes over the show.
    const QScreen* s = screen();
    const QSize area = s ? s->size() : QSize(1016 + 60, 713 + 90);
    const QSize free = s ? s->availableSize() : area;
    setPanelSize(std::clamp(area.width() - 60, 1, std::max(1, free.width())),
                 std::clamp(area.height() - 90, 1, std::max(1, free.height())));
    imgFoto->setGeometry(panContainer->rect());
    imgFoto->showStartPicture(imgBianco->resource());
    Timer->setInterval(slideInterval());
    Timer->start();
}

void TfrmSlideshow::TimerTimer() { cmdAvantiClick(); }

void TfrmSlideshow::cmdAvantiClick()
{
    // A tick while the message of the step before is still up waits for the next one.
    if (m_stepping)
        return;
    m_stepping = true;
    runHandler(
        this, [this] { step(); }, archiveFailureMessage(), Dialogs::Kind::Error);
    m_stepping = false;
}

void TfrmSlideshow::step()
{
    const SlideStep next = slideStep(lblFile->text(), lblPosizione->text());
    lblPosizione->setText(next.label());
    switch (next.kind) {
    case SlideStep::Kind::Empty:
        Timer->stop();
        dialogs().information(this, kEmptyArchive);
        close();
        break;
    case SlideStep::Kind::Show:
        subApriFoto(next.position);
        break;
    case SlideStep::Kind::Reset:
        break;
    }
}

void TfrmSlideshow::subApriFoto(int record)
{
    const SheetPhoto photo = loadSheetPhoto(trimmed(lblNome->text()), record);
    if (photo.isNull())
        imgFoto->showStartPicture(imgBianco->resource());
    else
        imgFoto->showImage(photo.image());
}

void TfrmSlideshow::imgFotoClick() { close(); }

void TfrmSlideshow::panContainerClick() { close(); }

bool TfrmSlideshow::eventFilter(QObject* o, QEvent* e)
{
    if (o == panContainer && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        panContainerClick();
        return true;
    }
    return GradientForm::eventFilter(o, e);
}
