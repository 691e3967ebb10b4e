#include "sheet/Photo.h"

#include "app/ProgramFolder.h"
#include "app/Text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace pinakos {

namespace {

// Files larger than this are not pictures the sheet can hold.
constexpr qint64 kMaxPhotoFileBytes = 512LL * 1024 * 1024;
// Decoding memory: enough for the largest accepted picture at 32 bits a pixel.
constexpr int kAllocationLimitMB = 400;

constexpr int kJpegQuality = 90;

bool isJpegName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

} // namespace

QString photoFolder() { return programFolder() + QStringLiteral("Pinakos"); }

QString photoPath(const QString& catalogName, const QString& number)
{
    return photoFolder() + QDir::separator() + trimmed(catalogName) + QStringLiteral("_Foto_") + trimmed(number)
        + QStringLiteral(".jpg");
}

SheetPhoto SheetPhoto::fromFile(const QString& path)
{
    // Only a plain file: a folder or a pipe in its place is no picture (and a
    // pipe would wait for a writer).
    if (!QFileInfo(path).isFile())
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() <= 0 || f.size() > kMaxPhotoFileBytes)
        return {};
    return fromBytes(f.readAll());
}

SheetPhoto SheetPhoto::fromBytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    if (!reader.canRead())
        return {};
    const QSize size = reader.size();
    if (size.isValid()
        && (size.width() > kMaxPhotoSide || size.height() > kMaxPhotoSide
            || qint64(size.width()) * size.height() > kMaxPhotoPixels))
        return {};
    const QByteArray format = reader.format();
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    return SheetPhoto(std::move(image), format == "jpeg" ? bytes : QByteArray());
}

bool SheetPhoto::writeTo(const QString& path) const
{
    if (isNull())
        return false;
    const bool jpeg = isJpegName(path);
    QByteArray format = jpeg ? QByteArray("jpeg") : QFileInfo(path).suffix().toLower().toLatin1();
    if (!jpeg && (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)))
        return false;

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (jpeg && hasOriginal()) {
        if (out.write(m_original) != m_original.size()) {
            out.cancelWriting();
            return false;
        }
    } else {
        QImageWriter writer(&out, format);
        if (jpeg)
            writer.setQuality(kJpegQuality);
        if (!writer.write(m_image)) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

SheetPhoto loadSheetPhoto(const QString& catalogName, const QString& number)
{
    if (!QDir().mkpath(photoFolder()))
        return {};
    return SheetPhoto::fromFile(photoPath(catalogName, number));
}

bool saveSheetPhoto(const SheetPhoto& photo, const QString& catalogName, const QString& number)
{
    if (!QDir().mkpath(photoFolder()))
        return false;
    return photo.writeTo(photoPath(catalogName, number));
}

QRect fitRect(const QSize& imageSize, const QRect& area)
{
    if (imageSize.isEmpty() || area.isEmpty())
        return QRect(area.center(), QSize(0, 0));
    QSize s = imageSize;
    if (s.width() > area.width() || s.height() > area.height())
        s = imageSize.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - s.width()) / 2, area.y() + (area.height() - s.height()) / 2, s.width(),
                 s.height());
}

} // namespace pinakos
