#pragma once
// Reads printed PDF files back with poppler's pdftotext, pdfinfo and pdftoppm.
#include "Unavailable.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>

namespace pinakos::test {

inline bool havePdfTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

inline QString runTool(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(tool), p.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page, as pdftotext lays it out.
inline QStringList pdfPages(const QString& pdf)
{
    QStringList pages = runTool(QStringLiteral("pdftotext"), {"-layout", "-enc", "UTF-8", pdf, "-"}).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The page's lines with their runs of blanks made one and empty lines left out.
inline QStringList pdfLines(const QString& pageText)
{
    QStringList out;
    for (const QString& line : pageText.split(u'\n')) {
        const QString s = line.simplified();
        if (!s.isEmpty())
            out << s;
    }
    return out;
}

// What pdfinfo says of a field ("Pages", "Title", "Page size").
inline QString pdfInfo(const QString& pdf, const QString& field)
{
    for (const QString& line : runTool(QStringLiteral("pdfinfo"), {pdf}).split(u'\n'))
        if (line.startsWith(field + u':'))
            return line.mid(field.size() + 1).trimmed();
    return QString();
}

// The size of the first page in millimetres, width first.
inline QSizeF pdfPageSize(const QString& pdf)
{
    const QStringList parts = pdfInfo(pdf, QStringLiteral("Page size")).split(u' ');
    if (parts.size() < 3)
        return {};
    const double mm = 25.4 / 72;
    return QSizeF(parts.at(0).toDouble() * mm, parts.at(2).toDouble() * mm);
}

inline bool isA4(const QSizeF& mm, bool landscape)
{
    const QSizeF a4 = landscape ? QSizeF(297, 210) : QSizeF(210, 297);
    return qAbs(mm.width() - a4.width()) < 0.5 && qAbs(mm.height() - a4.height()) < 0.5;
}

// The first page as a picture at `dpi` dots an inch, drawn by pdftoppm; a
// null picture when it could not be drawn.
inline QImage pdfPageImage(const QString& pdf, int dpi)
{
    const QString stem = pdf + QStringLiteral(".page");
    runTool(QStringLiteral("pdftoppm"),
            {"-png", "-r", QString::number(dpi), "-f", "1", "-l", "1", "-singlefile", pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

// The colour of a page drawn at `dpi` at (x, y) millimetres from its top left.
inline QColor pixelAtMm(const QImage& page, double x, double y, int dpi)
{
    return page.pixelColor(int(x * dpi / 25.4), int(y * dpi / 25.4));
}

// One word of a page with its box, in millimetres from the page's top left.
struct PdfWord
{
    QString text;
    double left, top, right, bottom;
};

inline QList<PdfWord> pdfWords(const QString& pdf, int page = 1)
{
    const QString html =
        runTool(QStringLiteral("pdftotext"),
                {"-bbox", "-enc", "UTF-8", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const double mm = 25.4 / 72;
    QList<PdfWord> out;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString t = m.captured(5);
        t.replace(QLatin1String("&amp;"), QLatin1String("&"))
            .replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&apos;"), QLatin1String("'"));
        out.append({t, m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm, m.captured(3).toDouble() * mm,
                    m.captured(4).toDouble() * mm});
    }
    return out;
}

// The first word with that text; a word with an empty text when there is none.
inline PdfWord findWord(const QList<PdfWord>& words, const QString& text)
{
    for (const PdfWord& w : words)
        if (w.text == text)
            return w;
    return {QString(), 0, 0, 0, 0};
}

} // namespace pinakos::test

// Ends a test that reads its PDF back when poppler's tools are missing:
// skipped with the reason on Windows (see Unavailable.h), failed elsewhere
// (bash scripts/setup.sh installs them).
#ifdef Q_OS_WIN
#define PINAKOS_REQUIRE_PDF_TOOLS()                                                                                    \
    do {                                                                                                               \
        if (!pinakos::test::havePdfTools())                                                                            \
            QSKIP(pinakos::test::kNoPdfTools);                                                                         \
    } while (false)
#else
#define PINAKOS_REQUIRE_PDF_TOOLS()                                                                                    \
    do {                                                                                                               \
        if (!pinakos::test::havePdfTools())                                                                            \
            QFAIL("poppler's pdftotext and pdfinfo are not installed (Debian package poppler-utils)");                 \
    } while (false)
#endif
