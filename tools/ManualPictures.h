#pragma once
// The pictures of the manual: the program's own windows, drawn offscreen on
// a sample catalog with a photographed painting.
#include <QImage>
#include <QList>
#include <QString>

namespace pinakos::manual {

struct WindowPicture
{
    QString key; // which window: "password", "avvio", "opere", ...
    QString caption; // the line under the picture
    QImage image; // the window's client area inside a drawn frame with its title
};

// Shows every window once on a sample catalog in a temporary program folder
// and takes its picture; the program folder is put back afterwards. Needs a
// QApplication.
QList<WindowPicture> windowPictures();

// Our own sample painting: a landscape at sunset in a gilded frame.
QImage samplePainting(const QSize& size);

} // namespace pinakos::manual
