#pragma once
// The report engine. A report is a template of pages; a page holds objects
// placed on the page itself and bands laid out one under the other. Objects
// are texts, pictures and rectangles, each with a name, placed in millimetres
// from the top-left corner of the printable area (page objects) or of their
// band. Preparing lays the template out into pages; the prepared pages paint
// on any paint device: a printer, a PDF writer, an image.

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace pinakos::report {

// The engine's own unit: 1/96 inch.
constexpr double kUnitsPerMm = 96.0 / 25.4;
constexpr double mmFromUnits(double units) { return units / kUnitsPerMm; }
constexpr double kPointMm = 25.4 / 72.0;

// A font asked for by its name and size in points; a style hint lets the
// system offer a metric-compatible face where the named one is missing.
struct Font
{
    QString family = QStringLiteral("Arial");
    double points = 10;
    bool bold = false;

    QFont toQFont() const;
    // The distance between two lines of a text in this font, in millimetres.
    double linePitch() const { return points * 1.2 * kPointMm; }
};

// One named object of a template.
struct Object
{
    enum class Kind { Text, Picture, Rectangle };

    Object(Kind kind, QString name, const QRectF& mm) : kind(kind), name(std::move(name)), rect(mm) {}

    Kind kind;
    QString name;
    QRectF rect; // millimetres, within the page's printable area or the band

    QColor fill; // invalid: no fill
    QColor frame; // invalid: no outline
    double frameWidth = mmFromUnits(1); // a thin line

    // Texts: one line after the other, never wrapped; what falls outside the
    // object is not printed, unless the text prints whole (below).
    Font font;
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    // When set, [DATE] in the text is replaced by the date of preparing
    // (dd/mm/yyyy), [PAGE] by the number of the page it prints on and [PAGES]
    // by the number of pages. Otherwise the text, square brackets and all,
    // prints as it is.
    bool expressions = false;
    // A text that prints whole, as the values of a form: lines that fit the
    // object print as they are; otherwise they are wrapped at blanks to its
    // width (inside a word only where the word alone is wider), in a type
    // stepped down by half points as far as `smallestPoints` until they fit
    // its height. Beyond that the object grows downwards at the smallest
    // type; the rectangles around it grow with it and whatever stands below
    // it in its band (or on its page) moves down as much.
    bool whole = false;
    double smallestPoints = 6;
    QStringList lines;
    // Millimetres from one line to the next; 0 for the font's own pitch.
    double lineSpacing = 0;
    double linePitch() const { return lineSpacing > 0 ? lineSpacing : font.linePitch(); }

    // Pictures: scaled to fit the object keeping their proportions, centred.
    QImage picture;

    void setText(const QString& text);
    QString text() const { return lines.join(u'\n'); }
    void clearLines() { lines.clear(); }
    void appendLine(const QString& line) { lines.append(line); }
    void setHeight(double mm) { rect.setHeight(mm); }
    void setPicture(const QImage& image) { picture = image; }
};

// A horizontal strip of a page, as wide as the printable area. Bands print
// once each, one under the other, in the order of the page: a title band at
// the top of the first page, a master band (which may be split across as many
// pages as it needs, never through a line of text) and a footer after it.
// A block is printed whole where it comes, at the top of the next page when
// what is left of this one is too short: a group of a form that belongs
// together. A page footer is not in that order: it prints at the foot of
// every page its template page comes to when that is more than one, and the
// room it takes is kept free on each of them; a one-page print has none.
struct Band
{
    enum class Kind { Title, MasterData, Footer, Block, PageFooter };

    Band(Kind kind, QString name, double heightMm) : kind(kind), name(std::move(name)), height(heightMm) {}

    Kind kind;
    QString name;
    double height; // millimetres
    std::vector<std::unique_ptr<Object>> objects;

    bool canSplit() const { return kind == Kind::MasterData; }
    void setHeight(double mm) { height = mm; }
    Object& add(Object::Kind kind, const QString& name, const QRectF& mm);
};

// A page of the template: paper, orientation, margins, the objects printed on
// each of its pages and its bands.
struct Page
{
    explicit Page(QString name) : name(std::move(name)) {}

    QString name;
    QPageSize size{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10}; // millimetres
    std::vector<std::unique_ptr<Object>> objects;
    std::vector<std::unique_ptr<Band>> bands;

    void setOrientation(QPageLayout::Orientation o) { orientation = o; }
    QPageLayout layout() const;
    // Millimetres of the paper and of the printable area, as oriented.
    QSizeF paperSize() const;
    QSizeF printableSize() const;

    Object& add(Object::Kind kind, const QString& name, const QRectF& mm);
    Band& addBand(Band::Kind kind, const QString& name, double heightMm);
};

class Report
{
public:
    explicit Report(QString name);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // The name given to the print job.
    const QString& name() const { return m_name; }

    Page& addPage(const QString& name);

    // Objects of the template by name; null when there is none of that name
    // and kind.
    Object* findObject(const QString& name) const;
    Object* findText(const QString& name) const { return find(name, Object::Kind::Text); }
    Object* findPicture(const QString& name) const { return find(name, Object::Kind::Picture); }
    Band* findBand(const QString& name) const;
    Page* findPage(const QString& name) const;

    // Lays the template out into pages, replacing any prepared before. The
    // prepared pages keep the template as it was: later changes to it do not
    // reach them until the next prepare. [DATE] is the date of `when`.
    void prepare();
    void prepare(const QDateTime& when);

    int pageCount() const;
    QPageLayout pageLayout(int page) const;
    // Paints a prepared page with the painter's origin at the top-left corner
    // of the printable area, `dotsPerMm` device pixels to the millimetre.
    void paintPage(int page, QPainter& painter, double dotsPerMm) const;
    // The whole sheet of paper of a prepared page, on white.
    QImage renderPage(int page, double dpi) const;

    // Prints the prepared pages in `pages` (0-based; all when empty) on the
    // device, each on its own sheet, calling `progress(done, total)` before
    // each one; a progress that answers false stops the printing there.
    // Gives false when stopped so. Throws Failure when the device cannot be
    // painted on.
    bool print(QPagedPaintDevice& device, const QList<int>& pages = {},
               const std::function<bool(int, int)>& progress = {}) const;

private:
    Object* find(const QString& name, Object::Kind kind) const;

    struct Prepared;
    QString m_name;
    std::vector<std::unique_ptr<Page>> m_pages;
    std::unique_ptr<Prepared> m_prepared;
};

} // namespace pinakos::report
