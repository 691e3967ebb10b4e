#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"

#include <QImage>
#include <QLabel>

class QSvgRenderer;
class QTimer;

namespace pinakos {

// The slide: a photo, or the start picture, drawn as large as its area
// allows with its proportions kept, centred.
class SlideView : public QWidget
{
    Q_OBJECT
public:
    SlideView(QWidget* parent, const QString& name);
    void showImage(const QImage& image);
    void showStartPicture(const QString& resource);
    bool showsStartPicture() const { return m_start != nullptr; }
    // The photo shown (null while the start picture is up).
    const QImage& image() const { return m_image; }
    // Where the picture is drawn, in the view's coordinates.
    QRect pictureRect() const;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QSize naturalSize() const;
    QImage m_image;
    QImage m_scaled; // m_image at the size it is drawn
    QSvgRenderer* m_start = nullptr;
};

} // namespace pinakos

// The slideshow: the photos of the open catalog one after another, in
// archive order, round after round, until a click on the picture ends it.
class TfrmSlideshow : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmSlideshow(QWidget* parent = nullptr);

    // The catalog whose photos are shown: its archive and its name.
    void setCatalog(const QString& path, const QString& name);

    pinakos::SlideView* imgFoto = nullptr;
    pinakos::Picture* imgBianco = nullptr; // hidden: the start picture
    QLabel* lblPosizione = nullptr; // hidden: the record shown
    QLabel* lblNome = nullptr; // catalog name, set by the opener
    QLabel* lblFile = nullptr; // archive path, set by the opener
    pinakos::Picture* cmdAvanti = nullptr; // hidden: the step the timer runs
    QTimer* Timer = nullptr;

public Q_SLOTS:
    void FormShow();
    void TimerTimer();
    void cmdAvantiClick();
    void imgFotoClick();
    void panContainerClick();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void step();
    void subApriFoto(int record); // the photo of that record, or the default picture
    bool m_shown = false;
    bool m_stepping = false;
};
