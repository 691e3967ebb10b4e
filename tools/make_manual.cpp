// Builds the PDF manual Guida.pdf from the help topics the program shows, so
// that the manual and the help windows always say the same thing, with a
// cover, a table of contents and a picture of each window beside the
// paragraph that tells of it. The pictures are the real windows, drawn
// offscreen on a sample catalog.
//
// Usage: make_manual <output.pdf>

#include "ManualPictures.h"

#include "shell/HelpTopics.h"
#include "shell/Maker.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <memory>

using namespace pinakos;
using manual::WindowPicture;

namespace {

// The page: A4 at 300 dots per inch, measured in dots.
constexpr int kDpi = 300;
constexpr double mm(double v) { return v / 25.4 * kDpi; }
// Lengths inside the text (margins, picture sizes) are given in pixels of a
// 96 dpi screen; the layout scales them to the page.
constexpr double px(double millimetres) { return millimetres / 25.4 * 96; }
const double kPageWidth = mm(210), kPageHeight = mm(297);
const double kLeft = mm(22), kRight = mm(22), kTop = mm(24), kBottom = mm(24);
const double kBodyWidth = kPageWidth - kLeft - kRight;
const double kBodyHeight = kPageHeight - kTop - kBottom;
// A window pixel on paper; the widest window, 1016 pixels, comes to 140 mm.
const double kMmPerPixel = 140.0 / 1016;
// The tallest a picture may be, in millimetres (the slideshow fills a screen).
const double kTallest = 100;
// A picture pushed to the next page may shrink this much to stay where it is.
const double kLeastShrink = 0.72;

const QColor kBlue(0x1F, 0x4E, 0x79);
const QColor kCrimson(0xB0, 0x1E, 0x3A);
const QString kFamily = QStringLiteral("DejaVu Sans");

// The pages before the text: the cover and the table of contents.
constexpr int kFrontPages = 2;

// Where each window's picture goes: after the first paragraph of the topic
// that holds the key words; at the end of the topic when none does.
struct Placement
{
    int topic; // 0 overview, 1 sheet, 2 export, 3 documents, 4 backup copies, 5 import
    const char* window;
    const char* words;
};
const Placement kPlacements[] = {
    {0, "avvio", "finestra di avvio"},
    {0, "password", "password"},
    {0, "cambiapassword", "Cambia password"},
    {1, "crea", "nuovo catalogo"},
    {1, "apri", "Apri archivio"},
    {1, "opere", "La scheda di ogni opera"},
    {1, "zoom", "icona della lente"},
    {1, "codfisc", "segno di spunta"},
    {1, "partitaiva", "segno di spunta"},
    {1, "trova", "Cerca"},
    {1, "allega", "Allega file"},
    {1, "disponibili", "non ancora vendute"},
    {1, "slideshow", "Slide show"},
    {1, "stampa", "si stampa"},
    {2, "esporta", "griglia dei dati"},
    {3, "documenti", "finestra dei documenti"},
    {4, "copie", "Crea copia ora"},
    {5, "importa", "Per ogni campo"},
};

// One piece of the text: a chapter heading, a paragraph or a picture.
struct Item
{
    enum Kind { Heading, Paragraph, Figure } kind;
    QString text; // heading or paragraph text; the figure's caption
    int section = 0; // 0-based chapter
    int picture = -1; // figures: index into the pictures
    int figureNumber = 0;
    bool breakBefore = false; // starts a new page
    double scale = 1; // figures: 1 is the natural size
    int moves = 0; // figures: paragraphs it was moved down
    // Filled in by the layout: first and last block of the item.
    int firstBlock = -1, lastBlock = -1;
};

struct Chapter
{
    QString title;
    QStringList paragraphs;
};

QList<Chapter> chapters()
{
    const HelpTopic start = startTopic();
    const HelpTopic sheet = sheetTopic();
    const HelpTopic exp = exportTopic();
    const HelpTopic documents = documentsTopic();
    const HelpTopic copies = backupTopic();
    const HelpTopic import = importTopic();
    // The overview repeats the sheet topic in the help window; in the manual
    // that topic has its own chapter, so the overview keeps only its own words.
    QStringList overview;
    for (const QString& p : start.paragraphs)
        if (!sheet.paragraphs.contains(p))
            overview += p;
    return {{start.title, overview},           {sheet.title, sheet.paragraphs},
            {exp.title, exp.paragraphs},       {documents.title, documents.paragraphs},
            {copies.title, copies.paragraphs}, {import.title, import.paragraphs}};
}

QList<Item> items(const QList<Chapter>& chs, const QList<WindowPicture>& pictures)
{
    QList<Item> out;
    int figure = 0;
    for (int c = 0; c < chs.size(); ++c) {
        Item h{Item::Heading, QStringLiteral("%1. %2").arg(c + 1).arg(chs[c].title), c};
        out << h;
        // Which paragraph each picture of this chapter follows.
        QList<QList<int>> after(chs[c].paragraphs.size() + 1);
        for (const Placement& pl : kPlacements) {
            if (pl.topic != c)
                continue;
            int pic = -1;
            for (int i = 0; i < pictures.size(); ++i)
                if (pictures[i].key == QLatin1String(pl.window))
                    pic = i;
            if (pic < 0)
                continue;
            int at = chs[c].paragraphs.size();
            for (int i = 0; i < chs[c].paragraphs.size(); ++i)
                if (chs[c].paragraphs[i].contains(QLatin1String(pl.words))) {
                    at = i;
                    break;
                }
            after[at] << pic;
        }
        for (int i = 0; i <= chs[c].paragraphs.size(); ++i) {
            if (i < chs[c].paragraphs.size())
                out << Item{Item::Paragraph, chs[c].paragraphs[i], c};
            for (int pic : after[i]) {
                Item f{Item::Figure, QString(), c, pic};
                f.figureNumber = ++figure;
                f.text = QStringLiteral("Figura %1 – %2").arg(figure).arg(pictures[pic].caption);
                out << f;
            }
        }
    }
    return out;
}

QString imageName(int picture) { return QStringLiteral("finestra%1.png").arg(picture); }

// The text laid out on pages of the body's size, one item after the other.
void build(QTextDocument& doc, QList<Item>& list, const QList<WindowPicture>& pictures)
{
    doc.clear();
    doc.setPageSize(QSizeF(kPageWidth, kPageHeight));
    QTextFrameFormat root = doc.rootFrame()->frameFormat();
    root.setLeftMargin(px(kLeft / mm(1)));
    root.setRightMargin(px(kRight / mm(1)));
    root.setTopMargin(px(kTop / mm(1)));
    root.setBottomMargin(px(kBottom / mm(1)));
    doc.rootFrame()->setFrameFormat(root);
    for (int i = 0; i < pictures.size(); ++i)
        doc.addResource(QTextDocument::ImageResource, QUrl(imageName(i)), pictures[i].image);

    QFont body(kFamily);
    body.setPointSizeF(10.5);
    doc.setDefaultFont(body);

    QTextCursor c(&doc);
    bool first = true;
    for (Item& it : list) {
        QTextBlockFormat bf;
        QTextCharFormat cf;
        cf.setFont(body);
        bf.setPageBreakPolicy(it.breakBefore ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
        switch (it.kind) {
        case Item::Heading:
            bf.setHeadingLevel(1);
            bf.setTopMargin(first || it.breakBefore ? 0 : px(9));
            bf.setBottomMargin(px(4));
            cf.setFontPointSize(16);
            cf.setFontWeight(QFont::Bold);
            cf.setForeground(kBlue);
            break;
        case Item::Paragraph:
            bf.setAlignment(Qt::AlignJustify);
            bf.setBottomMargin(px(2.6));
            bf.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
            break;
        case Item::Figure:
            bf.setAlignment(Qt::AlignHCenter);
            bf.setTopMargin(px(2));
            break;
        }
        if (first)
            c.setBlockFormat(bf);
        else
            c.insertBlock(bf);
        first = false;
        it.firstBlock = c.block().blockNumber();
        if (it.kind != Item::Figure) {
            c.insertText(it.text, cf);
            it.lastBlock = it.firstBlock;
            continue;
        }
        const QImage& image = pictures[it.picture].image;
        const double widthMm = image.width() * kMmPerPixel, heightMm = image.height() * kMmPerPixel;
        const double scale = std::min({1.0, kBodyWidth / mm(1) / widthMm, kTallest / heightMm}) * it.scale;
        QTextImageFormat img;
        img.setName(imageName(it.picture));
        img.setWidth(std::round(px(widthMm * scale)));
        img.setHeight(std::round(px(heightMm * scale)));
        c.insertImage(img);
        QTextBlockFormat cap;
        cap.setAlignment(Qt::AlignHCenter);
        cap.setTopMargin(px(1.5));
        cap.setBottomMargin(px(5));
        QTextCharFormat cc;
        cc.setFont(body);
        cc.setFontPointSize(9);
        cc.setFontItalic(true);
        cc.setForeground(QColor(0x44, 0x44, 0x44));
        c.insertBlock(cap);
        c.insertText(it.text, cc);
        it.lastBlock = c.block().blockNumber();
    }
}

// Top and bottom of a block's lines in the document, in dots.
double blockTop(const QTextDocument& doc, int n)
{
    const QTextBlock b = doc.findBlockByNumber(n);
    const QTextLayout* l = b.layout();
    return l->position().y() + (l->lineCount() ? l->lineAt(0).y() : 0);
}
double blockBottom(const QTextDocument& doc, int n)
{
    const QTextBlock b = doc.findBlockByNumber(n);
    const QTextLayout* l = b.layout();
    if (!l->lineCount())
        return l->position().y();
    const QTextLine last = l->lineAt(l->lineCount() - 1);
    return l->position().y() + last.y() + last.height();
}
int pageAt(double y) { return int(std::floor(y / kPageHeight)); }
int firstPage(const QTextDocument& doc, const Item& it) { return pageAt(blockTop(doc, it.firstBlock)); }

// Lays the items out until no heading is left at the foot of a page without
// its text, no caption is parted from its picture and no picture leaves a
// large hole at the foot of the page before it: such a picture shrinks a
// little to stay, or else moves below the next paragraph.
void paginate(QTextDocument& doc, QList<Item>& list, const QList<WindowPicture>& pictures)
{
    for (int round = 0; round < 40; ++round) {
        build(doc, list, pictures);
        doc.documentLayout()->documentSize(); // lays everything out
        bool changed = false;
        for (int i = 0; i + 1 < list.size() && !changed; ++i) {
            Item& it = list[i];
            if (it.kind == Item::Heading && !it.breakBefore && firstPage(doc, it) != firstPage(doc, list[i + 1])) {
                it.breakBefore = true;
                changed = true;
            }
        }
        for (int i = 1; i < list.size() && !changed; ++i) {
            Item& it = list[i];
            if (it.kind != Item::Figure || it.breakBefore)
                continue;
            const int page = firstPage(doc, it);
            const double before = blockBottom(doc, list[i - 1].lastBlock);
            if (pageAt(before) == page)
                continue;
            // The picture went over to a new page: how much room it left.
            const double room = (page * kPageHeight - kBottom) - before;
            const double imageHeight = blockBottom(doc, it.firstBlock) - blockTop(doc, it.firstBlock);
            const double captionHeight = blockBottom(doc, it.lastBlock) - blockTop(doc, it.firstBlock) - imageHeight;
            if (room < kBodyHeight * 0.2)
                continue;
            const double fit = (room - captionHeight - mm(10)) / imageHeight * it.scale;
            if (fit >= kLeastShrink && fit < it.scale) {
                it.scale = fit;
                changed = true;
            } else if (it.moves < 2 && i + 1 < list.size() && list[i + 1].kind == Item::Paragraph) {
                std::swap(list[i], list[i + 1]);
                ++list[i + 1].moves;
                changed = true;
            }
        }
        for (int i = 0; i < list.size() && !changed; ++i) {
            Item& it = list[i];
            if (it.kind == Item::Figure && !it.breakBefore
                && firstPage(doc, it) != pageAt(blockTop(doc, it.lastBlock))) {
                it.breakBefore = true;
                changed = true;
            }
        }
        if (!changed)
            return;
    }
}

void drawText(QPainter& p, const QRectF& r, const QString& text, double points, const QColor& colour, bool bold = false,
              bool italic = false, int flags = Qt::AlignHCenter | Qt::AlignTop)
{
    QFont f(kFamily);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, flags | Qt::TextWordWrap, text);
}

void drawCover(QPainter& p)
{
    // A band across the top with the program's icon.
    QLinearGradient band(0, 0, 0, mm(100));
    band.setColorAt(0, QColor(0x46, 0x82, 0xB4));
    band.setColorAt(1, kBlue);
    p.fillRect(QRectF(0, 0, kPageWidth, mm(100)), band);
    QSvgRenderer icon(QStringLiteral(":/art/pinakos.svg"));
    if (icon.isValid())
        icon.render(&p, QRectF((kPageWidth - mm(52)) / 2, mm(24), mm(52), mm(52)));

    drawText(p, QRectF(0, mm(112), kPageWidth, mm(22)), maker::productName(), 40, kBlue, true);
    drawText(p, QRectF(0, mm(134), kPageWidth, mm(12)), QStringLiteral("Guida all'utilizzo del software"), 20, kCrimson,
             true);
    drawText(p, QRectF(0, mm(148), kPageWidth, mm(10)),
             QStringLiteral("Archivio fotografico e inventario di dipinti e opere d'arte"), 13,
             QColor(0x33, 0x33, 0x33), false, true);

    const QImage painting = manual::samplePainting(QSize(1200, 800));
    const QRectF picture((kPageWidth - mm(105)) / 2, mm(166), mm(105), mm(70));
    p.drawImage(picture, painting);

    drawText(p, QRectF(0, mm(246), kPageWidth, mm(8)), QStringLiteral("Versione %1").arg(maker::productVersion()), 11,
             QColor(0x33, 0x33, 0x33));
    drawText(p, QRectF(0, mm(262), kPageWidth, mm(20)),
             maker::name() + QLatin1Char('\n') + maker::webSiteShown() + QStringLiteral("  ·  ") + maker::infoEmail(),
             10, QColor(0x55, 0x55, 0x55));
}

// The table of contents: each chapter and each window picture with the page
// it is on, joined by a dotted leader.
void drawContents(QPainter& p, const QTextDocument& doc, const QList<Item>& list)
{
    drawText(p, QRectF(kLeft, kTop, kBodyWidth, mm(14)), QStringLiteral("Indice"), 20, kBlue, true, false,
             Qt::AlignLeft | Qt::AlignTop);
    double y = kTop + mm(20);
    auto line = [&](const QString& text, int page, double indent, double points, bool bold) {
        QFont f(kFamily);
        f.setPointSizeF(points);
        f.setBold(bold);
        p.setFont(f);
        p.setPen(bold ? kBlue : QColor(0x22, 0x22, 0x22));
        const QFontMetricsF fm(f, p.device());
        // The text, the page number at the right edge and a leader of spaced
        // dots between them.
        const QString number = QString::number(page);
        const double right = kLeft + kBodyWidth;
        const double numberWidth = fm.horizontalAdvance(number);
        const QString shown = fm.elidedText(text, Qt::ElideRight, kBodyWidth - indent - numberWidth - mm(12));
        const double textEnd = kLeft + indent + fm.horizontalAdvance(shown);
        const double leaderEnd = right - numberWidth - mm(1.5);
        QString dots;
        while (fm.horizontalAdvance(dots + QStringLiteral(" .")) < leaderEnd - textEnd - mm(2))
            dots += QStringLiteral(" .");
        p.drawText(QPointF(kLeft + indent, y + fm.ascent()), shown);
        p.drawText(QPointF(right - numberWidth, y + fm.ascent()), number);
        p.setPen(QColor(0x88, 0x88, 0x88));
        p.drawText(QPointF(leaderEnd - fm.horizontalAdvance(dots), y + fm.ascent()), dots);
        y += fm.height() * (bold ? 1.7 : 1.45);
    };
    for (const Item& it : list) {
        const int page = firstPage(doc, it) + kFrontPages + 1;
        if (it.kind == Item::Heading) {
            if (it.section > 0)
                y += mm(3);
            line(it.text, page, 0, 12, true);
        } else if (it.kind == Item::Figure) {
            line(it.text, page, mm(7), 10, false);
        }
    }
}

void drawRunningHeadAndFoot(QPainter& p, int number, const QString& chapter)
{
    QFont f(kFamily);
    f.setPointSizeF(8.5);
    p.setFont(f);
    p.setPen(QColor(0x66, 0x66, 0x66));
    const double head = mm(14);
    p.drawText(QRectF(kLeft, head - mm(5), kBodyWidth, mm(5)), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Pinakos – Guida all'utilizzo del software"));
    p.drawText(QRectF(kLeft, head - mm(5), kBodyWidth, mm(5)), Qt::AlignRight | Qt::AlignBottom, chapter);
    p.setPen(QPen(QColor(0xAA, 0xBB, 0xCC), mm(0.3)));
    p.drawLine(QPointF(kLeft, head + mm(1)), QPointF(kLeft + kBodyWidth, head + mm(1)));
    p.setPen(QColor(0x44, 0x44, 0x44));
    f.setPointSizeF(9.5);
    p.setFont(f);
    p.drawText(QRectF(kLeft, kPageHeight - mm(16), kBodyWidth, mm(6)), Qt::AlignHCenter | Qt::AlignVCenter,
               QString::number(number));
}

} // namespace

int main(int argc, char* argv[])
{
    // Runs during the build, where there may be no display at all: the
    // windows are drawn offscreen, on a screen of a common laptop's size.
    // The platform's arguments are separated by colons, so the screen file is
    // named relative to the current folder, never with a Windows drive letter
    // ("C:" would end the argument); on another drive it goes in the current folder.
    auto screenFolder = std::make_unique<QTemporaryDir>();
    if (QDir::current().relativeFilePath(screenFolder->path()).contains(u':'))
        screenFolder = std::make_unique<QTemporaryDir>(QStringLiteral("manual-screen-XXXXXX"));
    const QString screenFile = QDir::current().relativeFilePath(screenFolder->filePath(QStringLiteral("screen.json")));
    QFile screen(screenFile);
    if (screenFolder->isValid() && !screenFile.contains(u':') && screen.open(QIODevice::WriteOnly)
        && screen.write("{\"screens\": [{\"name\": \"manual\", \"x\": 0, \"y\": 0, \"width\": 1366, "
                        "\"height\": 768, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}")
            > 0) {
        screen.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screenFile).toLocal8Bit());
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_QPA_PLATFORMTHEME", "");
#ifdef Q_OS_WIN
    // The offscreen platform on Windows finds fonts in one folder only.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("SystemRoot") + "\\Fonts");
#endif
    QApplication app(argc, argv);

    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make_manual <output.pdf>\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(QFileInfo(out).absolutePath());

    const QList<WindowPicture> pictures = manual::windowPictures();
    const QList<Chapter> chs = chapters();
    QList<Item> list = items(chs, pictures);

    QPdfWriter pdf(out);
    pdf.setTitle(QStringLiteral("Pinakos - Guida all'utilizzo del software"));
    pdf.setCreator(maker::name());
    pdf.setResolution(kDpi);
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&pdf);
    paginate(doc, list, pictures);

    QPainter p(&pdf);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    drawCover(p);
    pdf.newPage();
    drawContents(p, doc, list);

    // The running head names the chapter in force at the top of each page: one
    // whose heading opens the page, else the one the page before ended in.
    const int pages = doc.pageCount();
    QStringList chapterOf(pages);
    for (const Item& it : list) {
        if (it.kind != Item::Heading)
            continue;
        const double top = blockTop(doc, it.firstBlock);
        const int page = pageAt(top);
        const bool opensPage = top - page * kPageHeight < kTop + kBodyHeight * 0.1;
        for (int k = opensPage ? page : page + 1; k < pages; ++k)
            chapterOf[k] = chs[it.section].title;
    }
    for (int k = 0; k < pages; ++k) {
        pdf.newPage();
        p.save();
        p.translate(0, -k * kPageHeight);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = QRectF(0, k * kPageHeight, kPageWidth, kPageHeight);
        p.setClipRect(ctx.clip);
        doc.documentLayout()->draw(&p, ctx);
        p.restore();
        drawRunningHeadAndFoot(p, k + kFrontPages + 1, chapterOf[k]);
    }
    p.end();

    if (!QFileInfo(out).isFile() || QFileInfo(out).size() == 0) {
        std::fprintf(stderr, "make_manual: could not write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
