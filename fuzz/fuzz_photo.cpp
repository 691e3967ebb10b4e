// The photo reader on any bytes: a picture is refused or lies within the
// limits (its full size, what it decodes to and what it could cost for the
// bytes it came from); read for an area it fits that area as fitRect says;
// any drawn size comes out exactly; a JPEG keeps its bytes for saving.
#include "FuzzCheck.h"
#include "sheet/Photo.h"

using namespace pinakos;

namespace {

bool within(const QSize& s)
{
    return s.width() > 0 && s.height() > 0 && s.width() <= kMaxPhotoSide && s.height() <= kMaxPhotoSide
        && qint64(s.width()) * s.height() <= kMaxPhotoPixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pinakos::fuzz::startApplication();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The area: the sheet's, the zoom window's, or one the last bytes choose.
    QSize area;
    switch (size % 4) {
    case 0:
        area = QSize();
        break;
    case 1:
        area = kSheetPhotoArea;
        break;
    case 2:
        area = QSize(1860, 990);
        break;
    default:
        area = QSize(1 + data[size - 1] % 64, 1 + data[size - 2] % 64);
    }

    const SheetPhoto photo = SheetPhoto::fromBytes(bytes, area);
    if (photo.isNull()) {
        FUZZ_CHECK(!photo.hasOriginal());
        return 0;
    }
    const QSize full = photo.size();
    FUZZ_CHECK(within(full));
    FUZZ_CHECK(within(photo.image().size()));
    FUZZ_CHECK(qint64(full.width()) * full.height() <= bytes.size() * kMaxPhotoPixelsPerByte);
    // An area too thin to show anything reads the whole picture.
    const QSize shown = area.isValid() ? fitRect(full, QRect(QPoint(0, 0), area)).size() : full;
    const QSize expected = shown.isEmpty() ? full : shown;
    FUZZ_CHECK_MSG(photo.image().size() == expected,
                   QStringLiteral("%1x%2 in %3x%4 gave %5x%6")
                       .arg(full.width())
                       .arg(full.height())
                       .arg(area.width())
                       .arg(area.height())
                       .arg(photo.image().width())
                       .arg(photo.image().height()));
    FUZZ_CHECK(photo.hasOriginal() == bytes.startsWith("\xFF\xD8"));
    if (photo.hasOriginal())
        FUZZ_CHECK(photo.original() == bytes);

    // Drawn at another size: exactly that size.
    const QSize drawn(1 + (size * 7) % 97, 1 + (size * 13) % 89);
    FUZZ_CHECK(photo.imageFor(drawn).size() == drawn);
    return 0;
}
