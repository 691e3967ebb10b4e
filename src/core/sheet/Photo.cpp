#include "sheet/Photo.h"

#include "base/ProgramFolder.h"
#include "base/Text.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace pinakos {

namespace {

// Files larger than this are not pictures the sheet can hold.
constexpr qint64 kMaxPhotoFileBytes = 512LL * 1024 * 1024;
// Decoding memory: enough for the largest accepted picture at 32 bits a pixel.
constexpr int kAllocationLimitMB = 400;

constexpr int kJpegQuality = 90;

// The formats whose header states the size they decode to, so that what a
// picture costs is known before it is decoded. Others (icons that embed other
// formats, drawings that render at any size) are no photos.
bool isPhotoFormat(const QByteArray& format)
{
    static const QByteArray known[] = {"jpeg", "png", "bmp", "gif", "pbm", "pgm", "ppm"};
    return std::find(std::begin(known), std::end(known), format) != std::end(known);
}

bool withinLimits(const QSize& size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPhotoSide && size.height() <= kMaxPhotoSide
        && qint64(size.width()) * size.height() <= kMaxPhotoPixels;
}

// A GIF decodes to its logical screen, which may be far larger than the
// first frame that QImageReader::size() reports.
QSize gifScreen(const QByteArray& bytes)
{
    if (bytes.size() < 10 || !bytes.startsWith("GIF"))
        return {};
    const auto le16 = [&](int i) { return int(quint8(bytes[i])) | (int(quint8(bytes[i + 1])) << 8); };
    return QSize(le16(6), le16(8));
}

struct Decoded
{
    QImage image;
    QSize fullSize; // turned as the orientation says
    bool jpeg = false;
};

// Decodes bytes, at full resolution or, with `area`, at the size the picture
// is drawn in an area of that size. Nothing when the bytes are no picture or
// the picture lies beyond the limits, before decoding or after.
std::optional<Decoded> decode(const QByteArray& bytes, const QSize& area)
{
    if (bytes.isEmpty())
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    if (!reader.canRead())
        return std::nullopt;
    Decoded d;
    const QByteArray format = reader.format();
    if (!isPhotoFormat(format))
        return std::nullopt;
    d.jpeg = format == "jpeg";

    // What decoding will cost, before it starts.
    QSize stored = reader.size();
    if (format == "gif")
        stored = stored.expandedTo(gifScreen(bytes));
    if (!withinLimits(stored) || qint64(stored.width()) * stored.height() > bytes.size() * kMaxPhotoPixelsPerByte)
        return std::nullopt;

    // A JPEG decoder scales while decoding, from the size its header gives;
    // other formats are decoded whole and reduced after, from the size they
    // decode to (a GIF's frame may reach past its screen, which cuts it).
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const bool reduce = area.isValid() && !area.isEmpty();
    if (reduce && d.jpeg) {
        const QSize full = turned ? stored.transposed() : stored;
        const QSize shown = fitRect(full, QRect(QPoint(0, 0), area)).size();
        if (!shown.isEmpty() && shown != full)
            reader.setScaledSize(turned ? shown.transposed() : shown);
    }
    if (!reader.read(&d.image) || d.image.isNull() || !withinLimits(d.image.size()))
        return std::nullopt;
    if (reader.scaledSize().isValid()) {
        d.fullSize = turned ? stored.transposed() : stored;
    } else {
        d.fullSize = d.image.size();
        const QSize shown = reduce ? fitRect(d.fullSize, QRect(QPoint(0, 0), area)).size() : d.fullSize;
        if (!shown.isEmpty() && shown != d.fullSize)
            d.image = d.image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return d;
}

bool isJpegName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
}

} // namespace

QString photoFolder() { return programFolder() + QStringLiteral("Pinakos"); }

QString photoPath(const QString& catalogName, int number)
{
    return photoFolder() + QDir::separator() + trimmed(catalogName) + QStringLiteral("_Foto_") + QString::number(number)
        + QStringLiteral(".jpg");
}

SheetPhoto::SheetPhoto(QImage image, QByteArray jpegBytes)
    : m_image(std::move(image))
    , m_bytes(std::move(jpegBytes))
    , m_size(m_image.size())
    , m_jpeg(!m_bytes.isEmpty())
{}

SheetPhoto SheetPhoto::fromFile(const QString& path, const QSize& shownIn)
{
    // Only a plain file: a folder or a pipe in its place is no picture (and a
    // pipe would wait for a writer).
    if (!QFileInfo(path).isFile())
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() <= 0 || f.size() > kMaxPhotoFileBytes)
        return {};
    // Read no more than the limit, even when the file grows meanwhile.
    const QByteArray bytes = f.read(kMaxPhotoFileBytes + 1);
    if (bytes.size() > kMaxPhotoFileBytes)
        return {};
    return fromBytes(bytes, shownIn);
}

SheetPhoto SheetPhoto::fromBytes(const QByteArray& bytes, const QSize& shownIn)
{
    std::optional<Decoded> d = decode(bytes, shownIn);
    if (!d)
        return {};
    SheetPhoto photo;
    photo.m_image = std::move(d->image);
    photo.m_bytes = bytes;
    photo.m_size = d->fullSize;
    photo.m_jpeg = d->jpeg;
    return photo;
}

const QByteArray& SheetPhoto::original() const
{
    static const QByteArray none;
    return m_jpeg ? m_bytes : none;
}

QImage SheetPhoto::imageFor(const QSize& drawn) const
{
    if (isNull() || drawn.isEmpty())
        return {};
    if (m_image.size() == drawn)
        return m_image;
    const bool tooSmall = m_image.width() < drawn.width() || m_image.height() < drawn.height();
    if (tooSmall && m_image.size() != m_size && !m_bytes.isEmpty()) {
        std::optional<Decoded> d = decode(m_bytes, drawn);
        if (d && d->image.size() == drawn)
            return d->image;
        if (d && !d->image.isNull())
            return d->image.scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return m_image.scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage SheetPhoto::fullImage() const
{
    if (m_image.size() == m_size || m_bytes.isEmpty())
        return m_image;
    std::optional<Decoded> d = decode(m_bytes, QSize());
    return d ? d->image : QImage();
}

bool SheetPhoto::writeTo(const QString& path) const
{
    if (isNull())
        return false;
    const bool jpeg = isJpegName(path);
    QByteArray format = jpeg ? QByteArray("jpeg") : QFileInfo(path).suffix().toLower().toLatin1();
    if (!jpeg && (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)))
        return false;

    QImage image;
    if (!(jpeg && hasOriginal())) {
        image = fullImage();
        if (image.isNull())
            return false;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (jpeg && hasOriginal()) {
        if (out.write(m_bytes) != m_bytes.size()) {
            out.cancelWriting();
            return false;
        }
    } else {
        QImageWriter writer(&out, format);
        if (jpeg)
            writer.setQuality(kJpegQuality);
        if (!writer.write(image)) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

SheetPhoto loadSheetPhoto(const QString& catalogName, int number, const QSize& shownIn)
{
    if (number < 1 || !QDir().mkpath(photoFolder()))
        return {};
    return SheetPhoto::fromFile(photoPath(catalogName, number), shownIn);
}

bool saveSheetPhoto(const SheetPhoto& photo, const QString& catalogName, int number)
{
    if (number < 1 || !QDir().mkpath(photoFolder()))
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
