// Builds the PDF manual Guida.pdf from the help topics the program shows, so
// that the manual and the help windows always say the same thing.
//
// Usage: make_manual <output.pdf>

#include "shell/HelpTopics.h"
#include "shell/Maker.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

using namespace pinakos;

namespace {

QString esc(const QString& s) { return s.toHtmlEscaped(); }

QString section(int number, const QString& title, const QStringList& paragraphs)
{
    QString html = QStringLiteral("<h2 style=\"page-break-before: always; color: #1F4E79;\">%1. %2</h2>\n")
                       .arg(number)
                       .arg(esc(title));
    for (const QString& p : paragraphs)
        html += QStringLiteral("<p>") + esc(p) + QStringLiteral("</p>\n");
    return html;
}

QString manualHtml()
{
    const HelpTopic start = startTopic();
    const HelpTopic sheet = sheetTopic();
    const HelpTopic exp = exportTopic();

    // The overview repeats the sheet topic in the help window; in the manual
    // that topic has its own chapter, so the overview keeps only its own words.
    QStringList overview;
    for (const QString& p : start.paragraphs)
        if (!sheet.paragraphs.contains(p))
            overview += p;

    QString html = QStringLiteral("<html><head><style>"
                                  "body { font-family: 'DejaVu Sans', Verdana, sans-serif; font-size: 11pt; }"
                                  "p { margin-bottom: 10px; text-align: justify; }"
                                  "h1 { font-size: 32pt; color: #1F4E79; }"
                                  "h2 { font-size: 16pt; }"
                                  "</style></head><body>\n");

    // Title page.
    html += QStringLiteral("<p>&nbsp;</p><p>&nbsp;</p><p>&nbsp;</p>"
                           "<h1 align=\"center\">%1</h1>"
                           "<p align=\"center\" style=\"font-size: 18pt; color: #DC143C;\"><b>Guida all'utilizzo del "
                           "software</b></p>"
                           "<p align=\"center\" style=\"font-size: 12pt;\"><i>Archivio fotografico e inventario di "
                           "dipinti e opere d'arte</i></p>"
                           "<p align=\"center\">Versione %2</p>"
                           "<p>&nbsp;</p><p>&nbsp;</p>"
                           "<p align=\"center\"><b>%3</b><br/>%4<br/>%5</p>")
                .arg(esc(maker::productName()), esc(maker::productVersion()), esc(maker::name()),
                     esc(maker::webSiteShown()), esc(maker::infoEmail()));

    html += QStringLiteral("<p>&nbsp;</p><p>&nbsp;</p><h3>Indice</h3><p>1. %1<br/>2. %2<br/>3. %3</p>")
                .arg(esc(start.title), esc(sheet.title), esc(exp.title));

    html += section(1, start.title, overview);
    html += section(2, sheet.title, sheet.paragraphs);
    html += section(3, exp.title, exp.paragraphs);
    html += QStringLiteral("</body></html>\n");
    return html;
}

} // namespace

int main(int argc, char* argv[])
{
    // Runs during the build, without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make_manual <output.pdf>\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(QFileInfo(out).absolutePath());

    QPdfWriter pdf(out);
    pdf.setTitle(QStringLiteral("Pinakos - Guida all'utilizzo del software"));
    pdf.setCreator(maker::name());
    pdf.setResolution(300);
    // The document adds its own margins of 2 cm when it prints.
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

    QTextDocument doc;
    doc.setHtml(manualHtml());
    doc.print(&pdf);

    if (!QFileInfo(out).isFile() || QFileInfo(out).size() == 0) {
        std::fprintf(stderr, "make_manual: could not write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
