#include "output/Report.h"

#include "base/Clock.h"
#include "base/Failure.h"
#include "base/Format.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <optional>

namespace pinakos::report {

namespace {

constexpr double kEps = 1e-6;
// Pictures are kept at no more than this resolution on paper.
constexpr double kPictureDpi = 300;

// How many of a text object's lines start inside it.
int visibleLines(const Object& o)
{
    if (o.lines.isEmpty() || o.rect.height() <= kEps)
        return 0;
    const double fit = std::ceil(o.rect.height() / o.linePitch() - kEps);
    return int(std::min<double>(o.lines.size(), std::max(1.0, fit)));
}

QRectF scaled(const QRectF& r, double k) { return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k); }

// Where a picture of `size` goes in `area`: as large as fits, proportions kept, centred.
QRectF fitted(const QSizeF& size, const QRectF& area)
{
    if (size.isEmpty() || area.isEmpty())
        return {};
    const double s = std::min(area.width() / size.width(), area.height() / size.height());
    const QSizeF out(size.width() * s, size.height() * s);
    return QRectF(area.center().x() - out.width() / 2, area.center().y() - out.height() / 2, out.width(), out.height());
}

// The widths of lines of text in one font on one device, as LineDrawer
// draws them: one glyph a character, no shaping. A line with a character
// that the font lacks is measured by the full text layout, with its fallbacks.
class LineMetrics
{
public:
    LineMetrics(const QFont& font, QPaintDevice* device) : m_raw(QRawFont::fromFont(font))
    {
        m_raw.setPixelSize(font.pointSizeF() * device->logicalDpiY() / 72.0);
        m_metrics.emplace(font, device);
    }

    double ascent() const { return m_metrics->ascent(); }
    double descent() const { return m_metrics->descent(); }

    // In device pixels.
    double width(const QString& line)
    {
        if (!glyphs(line))
            return m_metrics->horizontalAdvance(line);
        double w = 0;
        for (const QPointF& a : std::as_const(m_advances))
            w += a.x();
        return w;
    }

protected:
    // The glyphs of the line and their advances; false when the font lacks one.
    bool glyphs(const QString& line)
    {
        if (!m_raw.isValid())
            return false;
        for (QChar c : line)
            if (c.isSurrogate() || c.category() == QChar::Mark_NonSpacing)
                return false;
        m_glyphs = m_raw.glyphIndexesForString(line);
        if (m_glyphs.size() != line.size())
            return false;
        for (qsizetype i = 0; i < m_glyphs.size(); ++i)
            if (m_glyphs.at(i) == 0 && line.at(i) != u' ')
                return false;
        m_advances = m_raw.advancesForGlyphIndexes(m_glyphs);
        return true;
    }

    QRawFont m_raw;
    std::optional<QFontMetricsF> m_metrics;
    QList<quint32> m_glyphs;
    QList<QPointF> m_advances;
};

// Draws lines of text in one font straight from the font's glyphs: one glyph
// a character, no shaping, blanks left out (they only move the pen), which
// keeps long lists quick on every device. A line with a character that the
// font lacks goes through the painter's full text layout, with its fallbacks.
class LineDrawer : public LineMetrics
{
public:
    LineDrawer(QPainter& painter, const QFont& font) : LineMetrics(font, painter.device()), m_painter(painter)
    {
        m_painter.setFont(font);
    }

    void draw(const QPointF& baseline, const QString& line)
    {
        if (!glyphs(line)) {
            m_painter.drawText(baseline, line);
            return;
        }
        m_kept.clear();
        m_positions.clear();
        double x = 0;
        for (qsizetype i = 0; i < m_glyphs.size(); ++i) {
            if (line.at(i) != u' ') {
                m_kept.append(m_glyphs.at(i));
                m_positions.append(QPointF(x, 0));
            }
            x += m_advances.at(i).x();
        }
        if (m_kept.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(m_raw);
        run.setGlyphIndexes(m_kept);
        run.setPositions(m_positions);
        m_painter.drawGlyphRun(baseline, run);
    }

private:
    QPainter& m_painter;
    QList<quint32> m_kept;
    QList<QPointF> m_positions;
};

// Texts that print whole are measured on this resolution, fine enough for
// the widths to be those of the type itself rather than of a screen's pixels.
constexpr double kMeasureDpi = 1200;

// The paragraph broken into lines no wider than `width` (pixels of the
// metrics' device): at blanks, which a break swallows, and inside a word only
// where the word alone is wider.
QStringList wrapped(const QString& text, double width, LineMetrics& metrics)
{
    QStringList out;
    const qsizetype n = text.size();
    qsizetype start = 0;
    auto skipBlanks = [&](qsizetype i) {
        while (i < n && text.at(i) == u' ')
            ++i;
        return i;
    };
    while (start < n) {
        // The end of the longest run of whole words from `start` that fits.
        qsizetype end = -1;
        for (qsizetype i = start; i < n;) {
            qsizetype e = i;
            while (e < n && text.at(e) != u' ')
                ++e;
            if (metrics.width(text.mid(start, e - start)) > width)
                break;
            end = e;
            i = skipBlanks(e);
        }
        if (end > start) {
            out.append(text.mid(start, end - start));
            start = skipBlanks(end);
            continue;
        }
        // A word wider than the line: as much of it as fits, one character at least.
        auto after = [&](qsizetype i) { return i + (text.at(i).isHighSurrogate() && i + 1 < n ? 2 : 1); };
        qsizetype k = after(start);
        while (k < n && text.at(k) != u' ') {
            const qsizetype next = after(k);
            if (metrics.width(text.mid(start, next - start)) > width)
                break;
            k = next;
        }
        out.append(text.mid(start, k - start));
        start = skipBlanks(k);
    }
    if (out.isEmpty())
        out.append(QString());
    return out;
}

// Lays a text that prints whole into its object (see Object::whole); gives
// how many millimetres it had to grow.
double fitWhole(Object& o, QPaintDevice& device)
{
    if (o.kind != Object::Kind::Text || !o.whole || o.lines.isEmpty() || o.rect.width() <= kEps)
        return 0;
    const double width = o.rect.width() * device.logicalDpiX() / 25.4;
    const double height = o.rect.height();
    auto fitsHeight = [&](qsizetype lines) { return lines * o.linePitch() <= height + kEps; };
    if (fitsHeight(o.lines.size())) {
        LineMetrics metrics(o.font.toQFont(), &device);
        if (std::all_of(o.lines.cbegin(), o.lines.cend(),
                        [&](const QString& line) { return metrics.width(line) <= width; }))
            return 0;
    }
    const double points = o.font.points, spacing = o.lineSpacing;
    const double smallest = std::min(points, o.smallestPoints);
    const QStringList given = o.lines;
    for (double p = points;; p = std::max(p - 0.5, smallest)) {
        o.font.points = p;
        o.lineSpacing = spacing > 0 ? spacing * p / points : 0;
        LineMetrics metrics(o.font.toQFont(), &device);
        QStringList lines;
        for (const QString& paragraph : given)
            lines += wrapped(paragraph, width, metrics);
        o.lines = lines;
        if (fitsHeight(lines.size()))
            return 0;
        if (p <= smallest + kEps)
            break;
    }
    const double needed = o.lines.size() * o.linePitch();
    o.rect.setHeight(needed);
    return needed - height;
}

// Lays out the texts that print whole among the objects of a band (or of a
// page) and makes room for those that grew: what stands below a grown text
// moves down as much as the lowest of the grown texts above it reaches
// further, and a rectangle around a grown text stretches to keep its margin
// below it. Gives the band's height with that room.
double flow(const std::vector<Object*>& objects, double height)
{
    if (std::none_of(objects.cbegin(), objects.cend(), [](const Object* o) { return o->whole; }))
        return height;
    QImage measuring(1, 1, QImage::Format_RGB32);
    measuring.setDotsPerMeterX(int(std::lround(kMeasureDpi / 0.0254)));
    measuring.setDotsPerMeterY(int(std::lround(kMeasureDpi / 0.0254)));
    struct Grown
    {
        QRectF was;
        double by;
        double shift = 0; // how far its top moves
    };
    std::vector<Grown> grown;
    std::vector<QRectF> was;
    was.reserve(objects.size());
    for (Object* o : objects) {
        was.push_back(o->rect);
        const double by = fitWhole(*o, measuring);
        if (by > kEps)
            grown.push_back({was.back(), by});
    }
    if (grown.empty())
        return height;
    std::sort(grown.begin(), grown.end(), [](const Grown& a, const Grown& b) { return a.was.top() < b.was.top(); });
    // How far something whose top was at y moves down.
    auto shiftAt = [&](double y, size_t known) {
        double s = 0;
        for (size_t i = 0; i < known; ++i)
            if (grown[i].was.bottom() <= y + kEps)
                s = std::max(s, grown[i].shift + grown[i].by);
        return s;
    };
    for (size_t i = 0; i < grown.size(); ++i)
        grown[i].shift = shiftAt(grown[i].was.top(), i);
    for (size_t k = 0; k < objects.size(); ++k) {
        Object& o = *objects[k];
        const QRectF& r = was[k];
        const double top = r.top() + shiftAt(r.top(), grown.size());
        double bottom = top + o.rect.height();
        if (o.kind == Object::Kind::Rectangle)
            for (const Grown& g : grown)
                if (r.left() <= g.was.left() + kEps && r.right() >= g.was.right() - kEps
                    && r.top() <= g.was.top() + kEps && r.bottom() >= g.was.bottom() - kEps)
                    bottom = std::max(bottom, g.was.bottom() + g.shift + g.by + (r.bottom() - g.was.bottom()));
        o.rect = QRectF(r.left(), top, r.width(), bottom - top);
    }
    return height + shiftAt(height, grown.size());
}

} // namespace

QFont Font::toQFont() const
{
    QFont f(family);
    const QString lower = family.toLower();
    if (lower.contains(QLatin1String("courier")))
        f.setStyleHint(QFont::Monospace);
    else if (lower.contains(QLatin1String("times")))
        f.setStyleHint(QFont::Serif);
    else
        f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void Object::setText(const QString& text)
{
    lines.clear();
    if (text.isEmpty())
        return;
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    lines = t.split(u'\n');
}

Object& Band::add(Object::Kind kind, const QString& name, const QRectF& mm)
{
    objects.push_back(std::make_unique<Object>(kind, name, mm));
    return *objects.back();
}

QPageLayout Page::layout() const
{
    return QPageLayout(size, orientation, margins, QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
}

QSizeF Page::paperSize() const
{
    const QSizeF s = size.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QSizeF Page::printableSize() const
{
    const QSizeF s = paperSize();
    return QSizeF(s.width() - margins.left() - margins.right(), s.height() - margins.top() - margins.bottom());
}

Object& Page::add(Object::Kind kind, const QString& name, const QRectF& mm)
{
    objects.push_back(std::make_unique<Object>(kind, name, mm));
    return *objects.back();
}

Band& Page::addBand(Band::Kind kind, const QString& name, double heightMm)
{
    bands.push_back(std::make_unique<Band>(kind, name, heightMm));
    return *bands.back();
}

// ---------------------------------------------------------------------------
// Prepared pages

namespace {

// One object on a prepared page: where it stands (millimetres from the top
// left of the printable area), the part of the page it may paint on, and for
// texts the lines that fall on this page.
struct Item
{
    const Object* object;
    QRectF rect;
    QRectF clip;
    int firstLine = 0;
    int endLine = 0;
};

struct PreparedPage
{
    QPageLayout layout;
    std::vector<Item> items;
};

} // namespace

struct Report::Prepared
{
    std::vector<std::unique_ptr<Object>> snapshot; // the template's objects as they were
    std::vector<PreparedPage> pages;
};

Report::Report(QString name) : m_name(std::move(name)) {}

Report::~Report() = default;

Page& Report::addPage(const QString& name)
{
    m_pages.push_back(std::make_unique<Page>(name));
    return *m_pages.back();
}

Object* Report::findObject(const QString& name) const
{
    for (const auto& page : m_pages) {
        for (const auto& o : page->objects)
            if (o->name == name)
                return o.get();
        for (const auto& band : page->bands)
            for (const auto& o : band->objects)
                if (o->name == name)
                    return o.get();
    }
    return nullptr;
}

Object* Report::find(const QString& name, Object::Kind kind) const
{
    Object* o = findObject(name);
    return o && o->kind == kind ? o : nullptr;
}

Band* Report::findBand(const QString& name) const
{
    for (const auto& page : m_pages)
        for (const auto& band : page->bands)
            if (band->name == name)
                return band.get();
    return nullptr;
}

Page* Report::findPage(const QString& name) const
{
    for (const auto& page : m_pages)
        if (page->name == name)
            return page.get();
    return nullptr;
}

void Report::prepare() { prepare(now()); }

namespace {

// A band as prepared: its objects (copies of the template's, laid out) and
// its height.
struct LaidBand
{
    const Band* band;
    double height;
    std::vector<Object*> objects;
};

// Lays one template page out into as many prepared pages as its bands need,
// keeping `reserved` millimetres free at the foot of each.
class Layouter
{
public:
    Layouter(const Page& page, std::vector<PreparedPage>& out, const std::vector<Object*>& pageObjects,
             double reserved = 0)
        : m_page(page)
        , m_out(out)
        , m_pageObjects(pageObjects)
        , m_width(page.printableSize().width())
        , m_height(page.printableSize().height() - reserved)
    {
        newPage();
    }

    void band(const LaidBand& b)
    {
        double offset = 0;
        for (;;) {
            const double avail = m_height - m_y;
            const double rest = b.height - offset;
            if (rest <= avail + kEps) {
                place(b, offset, b.height, true);
                m_y += rest;
                return;
            }
            if (!b.band->canSplit()) {
                if (m_y > kEps) {
                    newPage();
                    continue;
                }
                place(b, offset, b.height, true); // taller than a page: cut off at its foot
                m_y = m_height;
                return;
            }
            double cut = lineBoundary(b, offset, offset + avail);
            if (cut <= offset + kEps) {
                if (m_y > kEps) {
                    newPage();
                    continue;
                }
                cut = offset + avail; // a line taller than a page
            }
            place(b, offset, cut, false);
            newPage();
            offset = cut;
        }
    }

    // Puts the band at `y` on the page `page`, whole.
    void placeAt(const LaidBand& b, size_t page, double y)
    {
        const QRectF clip(0, y, m_width, b.height);
        for (Object* o : b.objects) {
            if (o->rect.height() <= kEps)
                continue;
            Item item{o, o->rect.translated(0, y), clip};
            if (o->kind == Object::Kind::Text)
                item.endLine = visibleLines(*o);
            m_out.at(page).items.push_back(item);
        }
    }

private:
    void newPage()
    {
        m_out.push_back({m_page.layout(), {}});
        m_y = 0;
        const QRectF all(0, 0, m_width, m_page.printableSize().height());
        for (Object* o : m_pageObjects) {
            Item item{o, o->rect, all};
            if (o->kind == Object::Kind::Text)
                item.endLine = visibleLines(*o);
            m_out.back().items.push_back(item);
        }
    }

    // Moves a page break at `cut` (band coordinates) up to the top of any
    // text line it would go through.
    static double lineBoundary(const LaidBand& b, double offset, double cut)
    {
        double best = cut;
        for (const Object* o : b.objects) {
            if (o->kind != Object::Kind::Text)
                continue;
            const int n = visibleLines(*o);
            const double pitch = o->linePitch();
            const double k = std::floor((cut - o->rect.top()) / pitch + kEps);
            if (n == 0 || k < 0 || k >= n)
                continue;
            const double top = o->rect.top() + k * pitch;
            if (top < cut - kEps && top + pitch > cut + kEps && top > offset + kEps)
                best = std::min(best, top);
        }
        return best;
    }

    // Puts the part [from, to) of the band at the current height of the page.
    void place(const LaidBand& b, double from, double to, bool last)
    {
        const double shift = m_y - from;
        const QRectF clip(0, m_y, m_width, to - from);
        for (Object* o : b.objects) {
            const QRectF& r = o->rect;
            if (r.height() <= kEps || r.bottom() <= from + kEps || r.top() >= to - kEps)
                continue;
            Item item{o, r.translated(0, shift), clip};
            if (o->kind == Object::Kind::Text) {
                const int n = visibleLines(*o);
                const double pitch = o->linePitch();
                const double first = std::ceil((from - r.top()) / pitch - kEps);
                item.firstLine = int(std::clamp<double>(first, 0, n));
                const double end =
                    last ? std::ceil((to - r.top()) / pitch - kEps) : std::floor((to - r.top()) / pitch + kEps);
                item.endLine = int(std::clamp<double>(end, item.firstLine, n));
                if (item.endLine == item.firstLine && !o->fill.isValid() && !o->frame.isValid())
                    continue;
            }
            m_out.back().items.push_back(item);
        }
    }

    const Page& m_page;
    std::vector<PreparedPage>& m_out;
    const std::vector<Object*>& m_pageObjects;
    double m_width, m_height;
    double m_y = 0;
};

} // namespace

void Report::prepare(const QDateTime& when)
{
    auto prepared = std::make_unique<Prepared>();
    const QString date = formatDate(when.date());
    auto keep = [&](const Object& o) {
        auto c = std::make_unique<Object>(o);
        if (c->expressions)
            for (QString& line : c->lines)
                line.replace(QLatin1String("[DATE]"), date);
        prepared->snapshot.push_back(std::move(c));
        return prepared->snapshot.back().get();
    };
    std::vector<PreparedPage>& out = prepared->pages;
    for (const auto& page : m_pages) {
        std::vector<Object*> pageObjects;
        for (const auto& o : page->objects)
            pageObjects.push_back(keep(*o));
        const double printable = page->printableSize().height();
        flow(pageObjects, printable);
        std::vector<LaidBand> bands, footers;
        double reserved = 0;
        for (const auto& band : page->bands) {
            LaidBand laid{band.get(), 0, {}};
            for (const auto& o : band->objects)
                laid.objects.push_back(keep(*o));
            laid.height = std::max(flow(laid.objects, band->height), 0.0);
            if (band->kind == Band::Kind::PageFooter) {
                reserved += laid.height;
                footers.push_back(std::move(laid));
            } else {
                bands.push_back(std::move(laid));
            }
        }
        const size_t first = out.size();
        {
            Layouter layouter(*page, out, pageObjects);
            for (const LaidBand& b : bands)
                layouter.band(b);
        }
        // Page footers, when there is more than one page, and room for them:
        // the pages are laid out again with that room kept free.
        if (footers.empty() || out.size() - first < 2 || reserved <= kEps || reserved > printable / 2)
            continue;
        out.resize(first);
        Layouter layouter(*page, out, pageObjects, reserved);
        for (const LaidBand& b : bands)
            layouter.band(b);
        for (size_t p = first; p < out.size(); ++p) {
            double y = printable - reserved;
            for (const LaidBand& f : footers) {
                layouter.placeAt(f, p, y);
                y += f.height;
            }
        }
    }
    // The page numbers, each page with its own copy of the texts that show them.
    const QString count = QString::number(out.size());
    for (size_t p = 0; p < out.size(); ++p) {
        for (Item& item : out[p].items) {
            if (!item.object->expressions || !item.object->text().contains(QLatin1String("[PAGE")))
                continue;
            auto c = std::make_unique<Object>(*item.object);
            for (QString& line : c->lines)
                line.replace(QLatin1String("[PAGES]"), count).replace(QLatin1String("[PAGE]"), QString::number(p + 1));
            item.object = c.get();
            prepared->snapshot.push_back(std::move(c));
        }
    }
    m_prepared = std::move(prepared);
}

int Report::pageCount() const { return m_prepared ? int(m_prepared->pages.size()) : 0; }

QPageLayout Report::pageLayout(int page) const { return m_prepared->pages.at(size_t(page)).layout; }

void Report::paintPage(int page, QPainter& painter, double k) const
{
    const PreparedPage& p = m_prepared->pages.at(size_t(page));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Texts in the same type as the one before share its drawer.
    std::optional<LineDrawer> drawer;
    QFont drawn;
    for (const Item& item : p.items) {
        const Object& o = *item.object;
        const QRectF r = scaled(item.rect, k);
        const QRectF inside = scaled(item.clip.intersected(item.rect), k);
        switch (o.kind) {
        case Object::Kind::Rectangle: {
            // An outline on the edge of its band prints whole, both halves of its line.
            const double half = o.frame.isValid() ? o.frameWidth / 2 : 0;
            painter.setClipRect(scaled(item.clip.adjusted(-half, -half, half, half), k));
            if (o.fill.isValid())
                painter.fillRect(r, o.fill);
            if (o.frame.isValid()) {
                painter.setPen(QPen(o.frame, o.frameWidth * k));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
            }
            break;
        }
        case Object::Kind::Picture: {
            painter.setClipRect(inside);
            if (o.fill.isValid())
                painter.fillRect(r, o.fill);
            if (o.picture.isNull())
                break;
            const QRectF target = fitted(QSizeF(o.picture.size()), r);
            const QSize most = (target.size() / k * (kPictureDpi / 25.4)).toSize();
            QImage img = o.picture;
            if (img.width() > most.width() && img.height() > most.height() && !most.isEmpty())
                img = img.scaled(most, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(target, img);
            break;
        }
        case Object::Kind::Text: {
            painter.setClipRect(inside);
            if (o.fill.isValid())
                painter.fillRect(r, o.fill);
            if (o.frame.isValid()) {
                painter.setPen(QPen(o.frame, o.frameWidth * k));
                painter.drawRect(r);
            }
            if (item.endLine <= item.firstLine)
                break;
            const QFont font = o.font.toQFont();
            if (!drawer || font != drawn) {
                drawer.emplace(painter, font);
                drawn = font;
            }
            LineDrawer& lines = *drawer;
            painter.setPen(o.color);
            const double pitch = o.linePitch() * k;
            const double lead = (pitch - lines.ascent() - lines.descent()) / 2 + lines.ascent();
            double top = r.top();
            if (o.alignment & Qt::AlignVCenter)
                top += (r.height() - visibleLines(o) * pitch) / 2;
            else if (o.alignment & Qt::AlignBottom)
                top += r.height() - visibleLines(o) * pitch;
            const bool left = !(o.alignment & (Qt::AlignHCenter | Qt::AlignRight));
            for (int i = item.firstLine; i < item.endLine; ++i) {
                const QString& line = o.lines.at(i);
                const QPointF baseline(r.left(), top + i * pitch + lead);
                if (left && !o.whole) {
                    lines.draw(baseline, line);
                    continue;
                }
                const double w = lines.width(line);
                if (o.whole && w > r.width() && r.width() > 0) {
                    // Laid out on finer type than this device's: narrowed
                    // to its box rather than cut off.
                    painter.save();
                    painter.translate(baseline);
                    painter.scale(r.width() / w, 1);
                    lines.draw(QPointF(0, 0), line);
                    painter.restore();
                    continue;
                }
                double x = r.left();
                if (!left)
                    x = (o.alignment & Qt::AlignRight) ? r.right() - w : r.center().x() - w / 2;
                lines.draw(QPointF(x, baseline.y()), line);
            }
            break;
        }
        }
    }
    painter.restore();
}

QImage Report::renderPage(int page, double dpi) const
{
    const QPageLayout layout = pageLayout(page);
    const double k = dpi / 25.4;
    const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
    QImage image(QSize(int(std::lround(paper.width() * k)), int(std::lround(paper.height() * k))),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    QPainter painter(&image);
    const QMarginsF m = layout.margins(QPageLayout::Millimeter);
    painter.translate(m.left() * k, m.top() * k);
    paintPage(page, painter, k);
    return image;
}

bool Report::print(QPagedPaintDevice& device, const QList<int>& pages,
                   const std::function<bool(int, int)>& progress) const
{
    QList<int> order = pages;
    if (order.isEmpty())
        for (int i = 0; i < pageCount(); ++i)
            order.append(i);
    order.removeIf([this](int i) { return i < 0 || i >= pageCount(); });
    if (order.isEmpty())
        return true;

    if (!device.pageLayout().isEquivalentTo(pageLayout(order.first())))
        device.setPageLayout(pageLayout(order.first()));
    QPainter painter;
    if (!painter.begin(&device))
        throw Failure(QStringLiteral("Attenzione: non è stato possibile avviare la stampa."));
    const int total = int(order.size());
    for (int n = 0; n < total; ++n) {
        if (progress && !progress(n, total)) {
            painter.end();
            return false;
        }
        if (n > 0) {
            // A page laid out unlike the one before it changes the paper.
            const QPageLayout layout = pageLayout(order.at(n));
            if (!layout.isEquivalentTo(pageLayout(order.at(n - 1))))
                device.setPageLayout(layout);
            if (!device.newPage()) {
                painter.end();
                throw Failure(QStringLiteral("Attenzione: la stampa si è interrotta alla pagina %1.").arg(n + 1));
            }
        }
        paintPage(order.at(n), painter, device.logicalDpiX() / 25.4);
    }
    if (progress)
        progress(total, total);
    if (!painter.end())
        throw Failure(QStringLiteral("Attenzione: la stampa non è stata completata."));
    return true;
}

} // namespace pinakos::report
