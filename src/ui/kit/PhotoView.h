#pragma once
#include "sheet/Photo.h"

#include <QPixmap>
#include <QWidget>

namespace pinakos {

// Draws a sheet's picture centred in its area, reduced with its proportions
// kept when it is larger. The reduced copy is kept, so repainting a large
// photo costs no new scaling; a photo that was read smaller than this view
// draws it (read for the sheet, shown enlarged) is decoded again at the size
// drawn. Optionally clickable.
class PhotoView : public QWidget
{
    Q_OBJECT
public:
    PhotoView(QWidget* parent, const QString& name, const QRect& geometry, bool clickable = false);

    void setPhoto(const SheetPhoto& photo);
    const SheetPhoto& photo() const { return m_photo; }
    // Where the picture is drawn, in the widget's coordinates.
    QRect drawnRect() const { return fitRect(m_photo.size(), rect()); }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    SheetPhoto m_photo;
    QPixmap m_scaled; // the picture at its drawn size; empty until first needed
    bool m_clickable;
};

} // namespace pinakos
