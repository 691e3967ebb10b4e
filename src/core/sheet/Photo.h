#pragma once
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

namespace pinakos {

// The folder that holds the photos of every catalog: programFolder() + "Pinakos".
QString photoFolder();
// The photo file of record `number` of the catalog `catalogName` (trimmed).
QString photoPath(const QString& catalogName, int number);

// The area in which the sheet window draws its photo.
constexpr QSize kSheetPhotoArea(567, 378);

// A sheet's picture. Read from a file, it keeps the file's bytes: a JPEG is
// then saved with those bytes unchanged instead of being encoded again, and a
// picture read only at the size it is shown can be decoded again, larger or
// at full resolution, whenever that is needed.
class SheetPhoto
{
public:
    SheetPhoto() = default;
    // A picture at full resolution; with the JPEG file's bytes it came from, if any.
    explicit SheetPhoto(QImage image, QByteArray jpegBytes = QByteArray());

    // Reads a picture file (EXIF orientation honoured). With `shownIn`, the
    // picture is decoded only at the size it is drawn in an area of that
    // size (see fitRect), which for a JPEG is far quicker than the whole
    // picture; without it, at full resolution. A file that is missing, empty,
    // not a picture or beyond the limits below gives a null photo.
    static SheetPhoto fromFile(const QString& path, const QSize& shownIn = QSize());
    static SheetPhoto fromBytes(const QByteArray& bytes, const QSize& shownIn = QSize());

    bool isNull() const { return m_image.isNull(); }
    // The picture as decoded: at full resolution, or reduced to fit `shownIn`.
    const QImage& image() const { return m_image; }
    // The picture's full size, turned as its EXIF orientation says.
    QSize size() const { return m_size; }
    // The picture at exactly `drawn` pixels: reduced from image(), or decoded
    // again from the file's bytes when image() was read smaller than that.
    QImage imageFor(const QSize& drawn) const;

    // The JPEG file's bytes, or empty when the picture must be encoded.
    const QByteArray& original() const;
    bool hasOriginal() const { return m_jpeg && !m_bytes.isEmpty(); }

    // Writes the picture to path in the format its extension names: the
    // original bytes for .jpg/.jpeg when there are any, otherwise encoded at
    // full resolution (JPEG at quality 90). A failed write leaves any old
    // file as it was.
    bool writeTo(const QString& path) const;

private:
    QImage fullImage() const;

    QImage m_image;
    QByteArray m_bytes; // the file's bytes, whatever its format
    QSize m_size;
    bool m_jpeg = false;
};

// Largest pictures accepted: more would only exhaust memory. The size a
// picture decodes to is checked against them before decoding, as its
// format's header gives it, and again after.
constexpr qint64 kMaxPhotoPixels = 100'000'000;
constexpr int kMaxPhotoSide = 32768;
// A picture file claims no more pixels than this per byte of the file: far
// beyond what any image format packs into real pictures, so that a few bytes
// cannot ask for hundreds of megabytes.
constexpr qint64 kMaxPhotoPixelsPerByte = 16384;

// The photo of a record by the photo rule; creates the photo folder. Null
// when there is none or it cannot be read. With `shownIn`, decoded only at
// the size it is drawn in an area of that size, as SheetPhoto::fromFile.
SheetPhoto loadSheetPhoto(const QString& catalogName, int number, const QSize& shownIn = QSize());
// Writes the photo of a record by the photo rule; creates the photo folder.
// False, silently, when anything fails.
bool saveSheetPhoto(const SheetPhoto& photo, const QString& catalogName, int number);

// Where a picture of imageSize is drawn in area: reduced with its proportions
// kept when larger than the area in either direction, otherwise at its own
// size; centred either way.
QRect fitRect(const QSize& imageSize, const QRect& area);

} // namespace pinakos
