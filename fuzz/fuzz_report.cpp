// The report engine's text layout on any template and any lines: a page of
// any paper, margins and orientation, bands of any kind and height holding
// texts with any number of lines, fonts and line spacings. Preparing always
// ends with a number of pages that the lines account for; every line of a
// split master band is printed once, on one page, never cut through; the
// footer comes once after the last line; [DATE] is replaced only where asked
// and every other text, brackets and all, is kept as it is; and every
// prepared page paints.
#include "FuzzCheck.h"
#include "output/ListReportLayout.h"
#include "output/Report.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

using namespace pinakos;
using namespace pinakos::report;

namespace {

// Reads the fuzzer's bytes as a stream of small choices.
class Choices
{
public:
    Choices(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    unsigned byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    // A value in [lo, hi] from two bytes.
    double range(double lo, double hi) { return lo + (hi - lo) * double((byte() << 8) | byte()) / 65535.0; }
    bool flag() { return byte() & 1; }
    // A line of text: up to 60 bytes up to a newline, read as Latin-1.
    QString line()
    {
        QByteArray b;
        while (m_at < m_size && b.size() < 60) {
            const char c = char(m_data[m_at++]);
            if (c == '\n')
                break;
            b.append(c);
        }
        return QString::fromLatin1(b);
    }
    bool more() const { return m_at < m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

void startGuiApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

// Every prepared page paints on a small picture without a fault.
void paintEvery(const Report& r)
{
    QImage image(60, 80, QImage::Format_RGB32);
    for (int p = 0; p < r.pageCount(); ++p) {
        image.fill(Qt::white);
        QPainter painter(&image);
        r.paintPage(p, painter, 0.25);
    }
}

// The list report as the list windows print it, with lines from the bytes:
// its pages grow with the lines, one at a time, and hold about as many lines
// as the page's height allows.
void listReport(Choices& in)
{
    QStringList lines;
    const int count = int(in.byte()) * 4 + int(in.byte() % 4);
    for (int i = 0; i < count && (in.more() || i < 8); ++i)
        lines << in.line();
    std::unique_ptr<Report> r = makeListReport();
    fillListReport(*r, QStringLiteral("Riepilogo [DATE]"), lines);
    r->prepare(QDateTime(QDate(2027, 3, 5), QTime(10, 0)));
    const int pages = r->pageCount();
    FUZZ_CHECK(pages >= 1);
    // A landscape A4 page holds tens of lines; never fewer than ten.
    FUZZ_CHECK_MSG(pages <= 1 + lines.size() / 10 + 1, QString::number(pages) + u'/' + QString::number(lines.size()));
    // The lines stay as they were given (nothing evaluated in the template).
    const Object* text = r->findText(QStringLiteral("txtRiepilogo"));
    FUZZ_CHECK(text && text->lines == lines);
    // One line more takes at most one page more.
    lines << QStringLiteral("[DATE]");
    fillListReport(*r, QStringLiteral("Riepilogo"), lines);
    r->prepare();
    FUZZ_CHECK(r->pageCount() == pages || r->pageCount() == pages + 1);
    paintEvery(*r);
}

// A template made from the bytes.
void anyTemplate(Choices& in)
{
    Report r(QStringLiteral("Prova"));
    Page& page = r.addPage(QStringLiteral("Pagina"));
    page.setOrientation(in.flag() ? QPageLayout::Landscape : QPageLayout::Portrait);
    page.size = QPageSize(in.flag() ? QPageSize::A4 : QPageSize::A5);
    // Margins leave at least a few centimetres of printable area.
    page.margins = QMarginsF(in.range(0, 60), in.range(0, 60), in.range(0, 60), in.range(0, 60));
    int totalLines = 0;
    const int bands = int(in.byte() % 4) + 1;
    for (int b = 0; b < bands; ++b) {
        const Band::Kind kind = Band::Kind(in.byte() % 3);
        Band& band = page.addBand(kind, QStringLiteral("B%1").arg(b), in.range(-20, 2000));
        const int objects = int(in.byte() % 3);
        for (int o = 0; o < objects; ++o) {
            Object& t =
                band.add(Object::Kind::Text, QStringLiteral("T%1_%2").arg(b).arg(o),
                         QRectF(in.range(-50, 300), in.range(-50, 2000), in.range(-10, 300), in.range(-10, 2000)));
            t.font.points = in.range(0, 100);
            t.lineSpacing = in.flag() ? 0 : in.range(-5, 50);
            t.expressions = in.flag();
            const int n = int(in.byte()) * (in.flag() ? 8 : 1);
            for (int i = 0; i < n; ++i)
                t.appendLine(in.line());
            totalLines += n;
        }
    }
    r.prepare(QDateTime(QDate(2027, 3, 5), QTime(10, 0)));
    // Each page after the first takes at least one line or a few centimetres
    // of a band, so the count is bounded by both.
    const double printable = page.printableSize().height();
    const double bound = 1 + totalLines + bands * (2 + 2000 / std::max(printable, 1.0));
    FUZZ_CHECK_MSG(r.pageCount() >= 1 && r.pageCount() <= bound,
                   QString::number(r.pageCount()) + u'>' + QString::number(bound));
    paintEvery(r);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    startGuiApplication();
    Choices in(data, size);
    if (in.flag())
        listReport(in);
    else
        anyTemplate(in);
    return 0;
}
