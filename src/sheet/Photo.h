#pragma once
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

namespace pinakos {

// The folder that holds the photos of every catalog: programFolder() + "Pinakos".
QString photoFolder();
// The photo file of record `number` of the catalog `catalogName` (both trimmed).
QString photoPath(const QString& catalogName, const QString& number);

// A sheet's picture at full resolution. When it is exactly a JPEG file as it
// was read (a photo file, or a JPEG the user chose), the file's bytes come
// with it, so that saving it writes them unchanged instead of encoding again.
class SheetPhoto
{
public:
    SheetPhoto() = default;
    explicit SheetPhoto(QImage image, QByteArray jpegBytes = QByteArray())
        : m_image(std::move(image))
        , m_original(std::move(jpegBytes))
    {}

    // Reads a picture file (EXIF orientation honoured). A file that is
    // missing, empty, not a picture or too large to hold gives a null photo.
    static SheetPhoto fromFile(const QString& path);
    static SheetPhoto fromBytes(const QByteArray& bytes);

    bool isNull() const { return m_image.isNull(); }
    const QImage& image() const { return m_image; }
    // The JPEG file's bytes, or empty when the picture must be encoded.
    const QByteArray& original() const { return m_original; }
    bool hasOriginal() const { return !m_original.isEmpty(); }

    // Writes the picture to path in the format its extension names: the
    // original bytes for .jpg/.jpeg when there are any, otherwise encoded
    // (JPEG at quality 90). A failed write leaves any old file as it was.
    bool writeTo(const QString& path) const;

private:
    QImage m_image;
    QByteArray m_original;
};

// Largest pictures accepted: more would only exhaust memory.
constexpr qint64 kMaxPhotoPixels = 100'000'000;
constexpr int kMaxPhotoSide = 32768;

// The photo of a record by the photo rule; creates the photo folder. Null
// when there is none or it cannot be read.
SheetPhoto loadSheetPhoto(const QString& catalogName, const QString& number);
// Writes the photo of a record by the photo rule; creates the photo folder.
// False, silently, when anything fails.
bool saveSheetPhoto(const SheetPhoto& photo, const QString& catalogName, const QString& number);

// Where a picture of imageSize is drawn in area: reduced with its proportions
// kept when larger than the area in either direction, otherwise at its own
// size; centred either way.
QRect fitRect(const QSize& imageSize, const QRect& area);

} // namespace pinakos
