// Image buttons that stand side by side carry their captions in one type
// size: drawn at the size the windows give them, the white letters of each
// caption reach from the same height down to the same baseline.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

namespace {

struct Button
{
    const char* art;
    QSize size; // as placed in its window
    int textFrom; // first column of the caption (after any icon)
};

// The caption's height in pixels: from its first row of white to its
// baseline, the last row where the letters are still broad (descenders are
// thin and do not count).
int captionHeight(const Button& b)
{
    QSvgRenderer svg(QStringLiteral(":/art/%1.svg").arg(QLatin1String(b.art)));
    if (!svg.isValid())
        return -1;
    QImage image(b.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(b.size)));
    p.end();
    QList<int> white(image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = b.textFrom; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && c.red() >= 245 && c.green() >= 245 && c.blue() >= 245)
                ++white[y];
        }
    const int most = *std::max_element(white.cbegin(), white.cend());
    if (most == 0)
        return 0;
    int top = 0;
    while (white[top] == 0)
        ++top;
    int baseline = image.height() - 1;
    while (white[baseline] * 4 < most)
        --baseline;
    return baseline - top + 1;
}

} // namespace

class TestButtonType : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sameTypeSideBySide_data()
    {
        QTest::addColumn<QList<Button>>("buttons");
        // Creation window: Annulla beside Applica e chiudi; opening window:
        // Annulla beside Apri archivio.
        QTest::newRow("creation and opening") << QList<Button>{{"btn_annulla", QSize(193, 58), 0},
                                                               {"btn_applica", QSize(193, 58), 0},
                                                               {"btn_apri_archivio", QSize(193, 58), 0}};
        // Start window: the two large buttons, each after its icon.
        QTest::newRow("start") << QList<Button>{{"btn_crea", QSize(442, 79), 80}, {"btn_apri", QSize(442, 79), 80}};
    }
    void sameTypeSideBySide()
    {
        QFETCH(QList<Button>, buttons);
        const int first = captionHeight(buttons.first());
        QVERIFY2(first > 8, buttons.first().art);
        for (const Button& b : buttons)
            QVERIFY2(captionHeight(b) == first,
                     qPrintable(QStringLiteral("%1: %2 pixels, %3: %4 pixels")
                                    .arg(QLatin1String(b.art))
                                    .arg(captionHeight(b))
                                    .arg(QLatin1String(buttons.first().art))
                                    .arg(first)));
    }
};

QTEST_MAIN(TestButtonType)
#include "test_button_type.moc"
