#include "TempFolder.h"

#include "base/ProgramFolder.h"
#include "sheet/Photo.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QTest>
#include <memory>

using namespace pinakos;

namespace {

QByteArray encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    QImageWriter w(&b, format);
    w.write(image);
    return bytes;
}

// A picture whose left and right halves differ, so that a wrong turn shows.
QImage twoColour(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

// An APP1 Exif segment carrying only the orientation tag.
QByteArray exifOrientation(quint16 orientation)
{
    QByteArray tiff("MM\x00\x2A\x00\x00\x00\x08", 8); // big-endian, first IFD at 8
    tiff += QByteArray("\x00\x01", 2); // one entry
    tiff += QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8); // Orientation, SHORT, count 1
    tiff += char(orientation >> 8);
    tiff += char(orientation & 0xFF);
    tiff += QByteArray("\x00\x00", 2);
    tiff += QByteArray("\x00\x00\x00\x00", 4); // no next IFD
    const QByteArray payload = QByteArray("Exif\x00\x00", 6) + tiff;
    const int length = payload.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    return segment + payload;
}

// A GIF of one w × h frame (all pixels colour 0 of a two-colour table) on a
// logical screen of sw × sh.
QByteArray gif(int sw, int sh, int w, int h)
{
    QByteArray b("GIF89a");
    const auto le16 = [&](int v) {
        b += char(v & 0xFF);
        b += char(v >> 8);
    };
    le16(sw);
    le16(sh);
    b += QByteArray("\x80\x00\x00", 3); // global table of 2 colours
    b += QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6);
    b += char(0x2C);
    le16(0);
    le16(0);
    le16(w);
    le16(h);
    b += char(0);
    // LZW, minimum code size 2: clear, w*h zeros, end. Fine for w*h <= 2.
    b += char(2);
    b += QByteArray(w * h == 1 ? "\x02\x44\x01" : "\x02\x04\x0A", 3);
    b += char(0);
    b += char(0x3B);
    return b;
}

} // namespace

class TestPhoto : public QObject
{
    Q_OBJECT
    // A fresh program folder for every test.
    std::unique_ptr<test::TempFolder> m_folder;

private Q_SLOTS:
    void init() { m_folder = std::make_unique<test::TempFolder>(); }
    void cleanup() { m_folder.reset(); }

    void photoRule_data()
    {
        QTest::addColumn<QString>("catalog");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Ritratti" << 3 << "Ritratti_Foto_3.jpg";
        QTest::newRow("blanks inside kept") << "Arte sacra" << 12 << "Arte sacra_Foto_12.jpg";
        QTest::newRow("blanks at the ends dropped") << "  Arte sacra \t" << 7 << "Arte sacra_Foto_7.jpg";
    }
    void photoRule()
    {
        QFETCH(QString, catalog);
        QFETCH(int, number);
        QFETCH(QString, name);
        test::TempFolder& folder = *m_folder;
        QCOMPARE(photoPath(catalog, number), folder.path() + "Pinakos" + QDir::separator() + name);
    }

    void fit_data()
    {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("drawn");
        QTest::newRow("wide photo in the sheet")
            << QSize(3720, 1240) << QRect(0, 0, 567, 378) << QRect(0, 94, 567, 189);
        QTest::newRow("wide photo enlarged") << QSize(3720, 1240) << QRect(0, 0, 1860, 990) << QRect(0, 185, 1860, 620);
        QTest::newRow("small photo in the sheet")
            << QSize(300, 200) << QRect(0, 0, 567, 378) << QRect(133, 89, 300, 200);
        QTest::newRow("small photo enlarged") << QSize(300, 200) << QRect(0, 0, 1860, 990) << QRect(780, 395, 300, 200);
        QTest::newRow("taller only") << QSize(500, 756) << QRect(10, 20, 567, 378) << QRect(168, 20, 250, 378);
        QTest::newRow("exact size") << QSize(567, 378) << QRect(0, 0, 567, 378) << QRect(0, 0, 567, 378);
    }
    void fit()
    {
        QFETCH(QSize, image);
        QFETCH(QRect, area);
        QFETCH(QRect, drawn);
        QCOMPARE(fitRect(image, area), drawn);
    }

    void notAPicture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("text") << QByteArray("questa non è una foto\r\n");
        QTest::newRow("cut JPEG") << encode(twoColour(64, 64), "jpeg").left(20);
        // Wider than any side the sheet accepts, though small to decode.
        QTest::newRow("too wide") << encode(twoColour(40000, 4), "png");
        // Formats whose header does not tell what decoding costs: an icon
        // may hold a picture of any size, a drawing renders at any size.
        QTest::newRow("icon") << encode(twoColour(16, 16), "ico");
        QTest::newRow("drawing") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='30000' "
                                               "height='30000'><rect width='10' height='10'/></svg>");
    }
    void notAPicture()
    {
        QFETCH(QByteArray, bytes);
        test::TempFolder& folder = *m_folder;
        folder.write("x.jpg", bytes);
        QVERIFY(SheetPhoto::fromFile(folder.file("x.jpg")).isNull());
        QVERIFY(SheetPhoto::fromFile(folder.file("missing.jpg")).isNull());
        QVERIFY(QDir().mkpath(folder.file("cartella.jpg")));
        QVERIFY(SheetPhoto::fromFile(folder.file("cartella.jpg")).isNull());
    }

    void enormousHeaderIsRefused()
    {
        // A PNG claiming 100000 × 100000 pixels with a few bytes of data.
        auto be32 = [](quint32 v) -> QByteArray {
            QByteArray b;
            for (int s = 24; s >= 0; s -= 8)
                b += char((v >> s) & 0xFF);
            return b;
        };
        auto chunk = [&](const QByteArray& type, const QByteArray& data) -> QByteArray {
            const QByteArray body = type + data;
            quint32 crc = 0xFFFFFFFFu;
            for (char c : body) {
                crc ^= quint8(c);
                for (int k = 0; k < 8; ++k)
                    crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
            }
            return be32(quint32(data.size())) + body + be32(crc ^ 0xFFFFFFFFu);
        };
        QByteArray png("\x89PNG\r\n\x1A\n", 8);
        png += chunk("IHDR", be32(100000) + be32(100000) + QByteArray("\x08\x02\x00\x00\x00", 5));
        png += chunk("IDAT", QByteArray("\x78\x9C\x63\x00\x00\x00\x01\x00\x01", 9));
        png += chunk("IEND", QByteArray());
        QVERIFY(SheetPhoto::fromBytes(png).isNull());
    }

    // A GIF decodes to its logical screen, not to the first frame's size
    // that the reader reports: the screen counts against the limits, and a
    // few bytes may not ask for hundreds of megabytes.
    void gifScreenCounts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size"); // empty: refused
        QTest::newRow("1 x 64513 screen") << gif(1, 64513, 1, 1) << QSize();
        QTest::newRow("10000 x 10000 screen") << gif(10000, 10000, 1, 1) << QSize();
        QTest::newRow("40000 x 1 screen") << gif(40000, 1, 1, 1) << QSize();
        QTest::newRow("frame on a small screen") << gif(3, 2, 1, 1) << QSize(3, 2);
        QTest::newRow("frame filling the screen") << gif(2, 1, 2, 1) << QSize(2, 1);
    }
    void gifScreenCounts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        for (const QSize& shownIn : {QSize(), QSize(567, 378)}) {
            const SheetPhoto photo = SheetPhoto::fromBytes(bytes, shownIn);
            QCOMPARE(photo.isNull(), size.isEmpty());
            if (!size.isEmpty()) {
                QCOMPARE(photo.size(), size);
                QCOMPARE(photo.image().size(), size);
            }
        }
    }

    void decodedAtTheShownSize_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("full");
        QTest::addColumn<QSize>("shownIn");
        QTest::addColumn<QSize>("decoded");
        const QByteArray jpeg = encode(twoColour(1200, 400), "jpeg");
        QTest::newRow("JPEG reduced") << jpeg << QSize(1200, 400) << QSize(567, 378) << QSize(567, 189);
        QTest::newRow("JPEG smaller than the area") << jpeg << QSize(1200, 400) << QSize(1860, 990) << QSize(1200, 400);
        QTest::newRow("JPEG at full size") << jpeg << QSize(1200, 400) << QSize() << QSize(1200, 400);
        QTest::newRow("bitmap reduced") << encode(twoColour(800, 800), "bmp") << QSize(800, 800) << QSize(567, 378)
                                        << QSize(378, 378);
        QByteArray turned = encode(twoColour(1200, 400), "jpeg");
        turned.insert(2, exifOrientation(6));
        QTest::newRow("JPEG turned by its orientation")
            << turned << QSize(400, 1200) << QSize(567, 378) << QSize(126, 378);
    }
    void decodedAtTheShownSize()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, full);
        QFETCH(QSize, shownIn);
        QFETCH(QSize, decoded);
        const SheetPhoto photo = SheetPhoto::fromBytes(bytes, shownIn);
        QVERIFY(!photo.isNull());
        QCOMPARE(photo.size(), full);
        QCOMPARE(photo.image().size(), decoded);
        // The left (red) half of the picture stays where the orientation puts it.
        const QColor first = photo.image().pixelColor(0, 0);
        const QColor last = photo.image().pixelColor(decoded.width() - 1, decoded.height() - 1);
        QVERIFY2(first.red() > 128 && first.blue() < 128, qPrintable(first.name()));
        QVERIFY2(last.blue() > 128 && last.red() < 128, qPrintable(last.name()));
        // Larger views decode again from the file's bytes, up to full resolution.
        const QImage whole = photo.imageFor(full);
        QCOMPARE(whole.size(), full);
        const QImage fullRead = SheetPhoto::fromBytes(bytes).image();
        QCOMPARE(whole.convertToFormat(QImage::Format_RGB32), fullRead.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(photo.imageFor(QSize(60, 20)).size(), QSize(60, 20));
    }

    void reducedPhotoSavesItsFullPicture()
    {
        test::TempFolder& folder = *m_folder;
        // A JPEG keeps its bytes; a bitmap is encoded from its full picture.
        const QByteArray jpeg = encode(twoColour(1200, 400), "jpeg");
        folder.write("scelta.jpg", jpeg);
        const SheetPhoto fromJpeg = SheetPhoto::fromFile(folder.file("scelta.jpg"), QSize(567, 378));
        QCOMPARE(fromJpeg.image().size(), QSize(567, 189));
        QVERIFY(saveSheetPhoto(fromJpeg, "Ritratti", 1));
        QCOMPARE(folder.read("Pinakos/Ritratti_Foto_1.jpg"), jpeg);
        QVERIFY(fromJpeg.writeTo(folder.file("copia.png")));
        QCOMPARE(SheetPhoto::fromFile(folder.file("copia.png")).image().size(), QSize(1200, 400));

        folder.write("scelta.bmp", encode(twoColour(800, 600), "bmp"));
        const SheetPhoto fromBitmap = SheetPhoto::fromFile(folder.file("scelta.bmp"), QSize(567, 378));
        QCOMPARE(fromBitmap.image().size(), QSize(504, 378));
        QVERIFY(!fromBitmap.hasOriginal());
        QVERIFY(saveSheetPhoto(fromBitmap, "Ritratti", 2));
        const SheetPhoto written = loadSheetPhoto("Ritratti", 2);
        QVERIFY(written.hasOriginal());
        QCOMPARE(written.image().size(), QSize(800, 600));
        QCOMPARE(loadSheetPhoto("Ritratti", 2, QSize(567, 378)).image().size(), QSize(504, 378));
    }

    void exifOrientationIsHonoured()
    {
        QByteArray jpeg = encode(twoColour(4, 2), "jpeg");
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        jpeg.insert(2, exifOrientation(6));
        const SheetPhoto photo = SheetPhoto::fromBytes(jpeg);
        QVERIFY(!photo.isNull());
        QCOMPARE(photo.image().size(), QSize(2, 4));
        // Turned clockwise: the left (red) half is now on top.
        const QColor top = photo.image().pixelColor(0, 0);
        QVERIFY2(top.red() > 128 && top.blue() < 128, qPrintable(top.name()));
        QCOMPARE(photo.original(), jpeg);
    }

    void loadedJpegIsSavedUnchanged()
    {
        test::TempFolder& folder = *m_folder;
        const QByteArray jpeg = encode(twoColour(64, 48), "jpeg");
        folder.write("scelta.jpg", jpeg);
        const SheetPhoto photo = SheetPhoto::fromFile(folder.file("scelta.jpg"));
        QVERIFY(photo.hasOriginal());
        QVERIFY(saveSheetPhoto(photo, " Arte sacra ", 2));
        QCOMPARE(folder.read("Pinakos/Arte sacra_Foto_2.jpg"), jpeg);
        // And read back by the photo rule.
        const SheetPhoto back = loadSheetPhoto("Arte sacra", 2);
        QCOMPARE(back.image().size(), QSize(64, 48));
        QCOMPARE(back.original(), jpeg);
    }

    void bitmapIsEncodedAsJpeg()
    {
        test::TempFolder& folder = *m_folder;
        folder.write("scelta.bmp", encode(twoColour(64, 48), "bmp"));
        const SheetPhoto photo = SheetPhoto::fromFile(folder.file("scelta.bmp"));
        QVERIFY(!photo.isNull());
        QVERIFY(!photo.hasOriginal());
        QVERIFY(saveSheetPhoto(photo, "Ritratti", 1));
        const QByteArray written = folder.read("Pinakos/Ritratti_Foto_1.jpg");
        QVERIFY(written.startsWith("\xFF\xD8\xFF"));
        QCOMPARE(SheetPhoto::fromBytes(written).image().size(), QSize(64, 48));
    }

    void writeFollowsTheExtension()
    {
        test::TempFolder& folder = *m_folder;
        const SheetPhoto photo = SheetPhoto::fromBytes(encode(twoColour(8, 8), "jpeg"));
        QVERIFY(photo.writeTo(folder.file("copia.png")));
        QVERIFY(folder.read("copia.png").startsWith("\x89PNG"));
        QVERIFY(photo.writeTo(folder.file("copia.JPEG")));
        QCOMPARE(folder.read("copia.JPEG"), photo.original());
        // No encoder for the extension: nothing written.
        QVERIFY(!photo.writeTo(folder.file("copia.xyz")));
        QVERIFY(!QFileInfo::exists(folder.file("copia.xyz")));
    }

    void failedWriteKeepsTheOldFile()
    {
        test::TempFolder& folder = *m_folder;
        folder.write("Pinakos/Ritratti_Foto_1.jpg", "vecchia");
        // A folder where the file should go: the write fails, silently.
        QDir().mkpath(folder.file("Pinakos/Ritratti_Foto_2.jpg"));
        const SheetPhoto photo(twoColour(8, 8));
        QVERIFY(!saveSheetPhoto(photo, "Ritratti", 2));
        QVERIFY(!SheetPhoto().writeTo(folder.file("Pinakos/Ritratti_Foto_1.jpg")));
        QCOMPARE(folder.read("Pinakos/Ritratti_Foto_1.jpg"), QByteArray("vecchia"));
    }

    void photoFolderIsCreated()
    {
        test::TempFolder& folder = *m_folder;
        QVERIFY(loadSheetPhoto("Ritratti", 1).isNull());
        QVERIFY(QFileInfo(folder.file("Pinakos")).isDir());
    }
};

QTEST_GUILESS_MAIN(TestPhoto)
#include "test_photo.moc"
