// Draws the application icon at the sizes a desktop's icon theme asks for.
//
// Usage: make_icons <icon.svg> <folder>
// writes <folder>/pinakos.svg, <folder>/pinakos-48.png, <folder>/pinakos-256.png
// and <folder>/pinakos.ico (the Windows icon, every size Explorer and the task
// bar ask for, each image stored as PNG).

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <vector>

namespace {

QImage draw(QSvgRenderer& svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(0, 0, size, size));
    p.end();
    return image;
}

void putLe16(QByteArray& out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void putLe32(QByteArray& out, qint64 v)
{
    putLe16(out, int(v & 0xffff));
    putLe16(out, int((v >> 16) & 0xffff));
}

// An ICO file: the directory of images, then each image as a PNG (a width or
// height of 256 is written as 0).
QByteArray icoFile(QSvgRenderer& svg, const std::vector<int>& sizes)
{
    std::vector<QByteArray> pngs;
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        draw(svg, size).save(&buffer, "PNG");
        pngs.push_back(png);
    }
    QByteArray out;
    putLe16(out, 0);
    putLe16(out, 1);
    putLe16(out, int(sizes.size()));
    qint64 offset = 6 + 16 * qint64(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        out.append(char(0)); // no palette
        out.append(char(0));
        putLe16(out, 1); // colour planes
        putLe16(out, 32); // bits per pixel
        putLe32(out, pngs[i].size());
        putLe32(out, offset);
        offset += pngs[i].size();
    }
    for (const QByteArray& png : pngs)
        out.append(png);
    return out;
}

} // namespace

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
        const QString file = out.filePath(QStringLiteral("pinakos-%1.png").arg(size));
        if (!draw(svg, size).save(file, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    QFile ico(out.filePath(QStringLiteral("pinakos.ico")));
    const QByteArray icoBytes = icoFile(svg, {16, 20, 24, 32, 40, 48, 64, 256});
    if (!ico.open(QIODevice::WriteOnly) || ico.write(icoBytes) != icoBytes.size() || !ico.flush()) {
        std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(ico.fileName()));
        return 1;
    }
    return 0;
}
