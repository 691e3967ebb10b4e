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
#include <unordered_map>

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

// Draws lines of text in one font straight from the font's glyphs: one glyph
// a character, no shaping, blanks left out (they only move the pen), which
// keeps long lists quick on every device. A line with a character that the
// font lacks goes through the painter's full text layout, with its fallbacks.
class LineDrawer
{
public:
    LineDrawer(QPainter& painter, const QFont& font) : m_painter(painter), m_font(font), m_raw(QRawFont::fromFont(font))
    {
        m_painter.setFont(font);
        m_raw.setPixelSize(font.pointSizeF() * painter.device()->logicalDpiY() / 72.0);
        m_metrics.emplace(font, painter.device());
    }

    double ascent() const { return m_metrics->ascent(); }
    double descent() const { return m_metrics->descent(); }

    double width(const QString& line)
    {
        if (!glyphs(line))
            return m_metrics->horizontalAdvance(line);
        double w = 0;
        for (const QPointF& a : std::as_const(m_advances))
            w += a.x();
        return w;
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

    QPainter& m_painter;
    QFont m_font;
    QRawFont m_raw;
    std::optional<QFontMetricsF> m_metrics;
    QList<quint32> m_glyphs, m_kept;
    QList<QPointF> m_advances, m_positions;
};

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

// Lays one template page out into as many prepared pages as its bands need.
class Layouter
{
public:
    Layouter(const Page& page, std::vector<PreparedPage>& out, const std::unordered_map<const Object*, Object*>& copy)
        : m_page(page)
        , m_out(out)
        , m_copy(copy)
        , m_width(page.printableSize().width())
        , m_height(page.printableSize().height())
    {
        newPage();
    }

    void band(const Band& b)
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
            if (!b.canSplit()) {
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

private:
    void newPage()
    {
        m_out.push_back({m_page.layout(), {}});
        m_y = 0;
        const QRectF all(0, 0, m_width, m_height);
        for (const auto& o : m_page.objects) {
            Item item{m_copy.at(o.get()), o->rect, all};
            if (o->kind == Object::Kind::Text)
                item.endLine = visibleLines(*o);
            m_out.back().items.push_back(item);
        }
    }

    // Moves a page break at `cut` (band coordinates) up to the top of any
    // text line it would go through.
    static double lineBoundary(const Band& b, double offset, double cut)
    {
        double best = cut;
        for (const auto& o : b.objects) {
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
    void place(const Band& b, double from, double to, bool last)
    {
        const double shift = m_y - from;
        const QRectF clip(0, m_y, m_width, to - from);
        for (const auto& o : b.objects) {
            const QRectF& r = o->rect;
            if (r.height() <= kEps || r.bottom() <= from + kEps || r.top() >= to - kEps)
                continue;
            Item item{m_copy.at(o.get()), r.translated(0, shift), clip};
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
    const std::unordered_map<const Object*, Object*>& m_copy;
    double m_width, m_height;
    double m_y = 0;
};

} // namespace

void Report::prepare(const QDateTime& when)
{
    auto prepared = std::make_unique<Prepared>();
    std::unordered_map<const Object*, Object*> copy;
    const QString date = formatDate(when.date());
    auto keep = [&](const Object& o) {
        auto c = std::make_unique<Object>(o);
        if (c->expressions)
            for (QString& line : c->lines)
                line.replace(QLatin1String("[DATE]"), date);
        copy[&o] = c.get();
        prepared->snapshot.push_back(std::move(c));
    };
    for (const auto& page : m_pages) {
        for (const auto& o : page->objects)
            keep(*o);
        for (const auto& band : page->bands)
            for (const auto& o : band->objects)
                keep(*o);
    }
    for (const auto& page : m_pages) {
        Layouter layouter(*page, prepared->pages, copy);
        for (const auto& band : page->bands)
            layouter.band(*band);
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
    for (const Item& item : p.items) {
        const Object& o = *item.object;
        const QRectF r = scaled(item.rect, k);
        const QRectF inside = scaled(item.clip.intersected(item.rect), k);
        switch (o.kind) {
        case Object::Kind::Rectangle: {
            painter.setClipRect(scaled(item.clip, k));
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
            LineDrawer lines(painter, o.font.toQFont());
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
                double x = r.left();
                if (!left) {
                    const double w = lines.width(line);
                    x = (o.alignment & Qt::AlignRight) ? r.right() - w : r.center().x() - w / 2;
                }
                lines.draw(QPointF(x, top + i * pitch + lead), line);
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
