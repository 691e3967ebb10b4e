// Draws the application icon at the sizes a desktop's icon theme asks for.
//
// Usage: make_icons <icon.svg> <folder>
// writes <folder>/pinakos.svg, <folder>/pinakos-48.png and <folder>/pinakos-256.png.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Runs during the build, without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_icons <icon.svg> <folder>\n");
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "make_icons: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QDir out(args.at(2));
    QDir().mkpath(out.path());
    const QString copy = out.filePath(QStringLiteral("pinakos.svg"));
    QFile::remove(copy);
    if (!QFile::copy(args.at(1), copy)) {
        std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(copy));
        return 1;
    }
    for (int size : {48, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p, QRectF(0, 0, size, size));
        p.end();
        const QString file = out.filePath(QStringLiteral("pinakos-%1.png").arg(size));
        if (!image.save(file, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
