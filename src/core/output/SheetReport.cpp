#include "output/SheetReport.h"

#include "base/Format.h"
#include "base/Text.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

namespace pinakos {

using report::Object;

namespace {

const QColor kLightSteelBlue(0xB0, 0xC4, 0xDE);
const QColor kLavender(0xE6, 0xE6, 0xFA);
const QColor kGold(0xFF, 0xD7, 0x00);
const QColor kEuroBlue(0x1F, 0x4E, 0xA8);

Object& rectangle(report::Band& band, const QString& name, const QRectF& mm, const QColor& fill = QColor())
{
    Object& o = band.add(Object::Kind::Rectangle, name, mm);
    o.frame = Qt::black;
    o.fill = fill;
    return o;
}

Object& text(report::Band& band, const QString& name, const QRectF& mm, double points, const QString& content,
             Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    Object& o = band.add(Object::Kind::Text, name, mm);
    o.font = {QStringLiteral("Arial"), points, false};
    o.alignment = alignment;
    o.setText(content);
    return o;
}

// A value of the work: printed whole, however long.
Object& value(report::Band& band, const QString& name, const QRectF& mm, double points,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    Object& o = text(band, name, mm, points, QString(), alignment);
    o.whole = true;
    return o;
}

// One field box on a row band: the caption, its frame and the value text.
enum class Box { Left, Right, Full };

void fieldBox(report::Band& row, Box box, const QString& caption, const QString& name)
{
    const double x = box == Box::Right ? 97 : 1;
    const double captionWidth = box == Box::Left ? 74 : box == Box::Right ? 86 : 188;
    const double frameWidth = box == Box::Full ? 188 : 92;
    const double valueWidth = box == Box::Full ? 185.6 : 89.6;
    const QString suffix = name.mid(3); // txtColore -> Colore
    text(row, QStringLiteral("tit") + suffix, QRectF(x, 0, captionWidth, 4), 8, caption);
    rectangle(row, QStringLiteral("shp") + suffix, QRectF(x, 5, frameWidth, 6));
    value(row, name, QRectF(x + 1, 6, valueWidth, 4), 8);
}

// The rows of boxes, 14 mm apart from 145 mm down, each a block that keeps
// its captions with their boxes.
constexpr double kRowHeight = 14;

report::Band& row(report::Page& page, const QString& name)
{
    return page.addBand(report::Band::Kind::Block, name, kRowHeight);
}

} // namespace

const std::vector<std::pair<QString, Campo>>& sheetReportFields()
{
    static const std::vector<std::pair<QString, Campo>> fields = {
        {QStringLiteral("txtCapo"), Campo::Capo},         {QStringLiteral("txtColore"), Campo::Colore},
        {QStringLiteral("txtTessuto"), Campo::Tessuto},   {QStringLiteral("txtDescrizione"), Campo::Descrizione},
        {QStringLiteral("txtMisure"), Campo::Misure},     {QStringLiteral("txtPeso"), Campo::Peso},
        {QStringLiteral("txtUsura"), Campo::Usura},       {QStringLiteral("txtDifetti"), Campo::Difetti},
        {QStringLiteral("txtServizio"), Campo::Servizio}, {QStringLiteral("txtSpecifiche"), Campo::Specifiche},
        {QStringLiteral("txtCliente"), Campo::Cliente},   {QStringLiteral("txtCodFisc"), Campo::CodFisc},
        {QStringLiteral("txtRecapito"), Campo::Recapito}, {QStringLiteral("txtNote"), Campo::Note},
        {QStringLiteral("txtPrezzo"), Campo::Prezzo},
    };
    return fields;
}

QImage euroPicture(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The sign sits in a square as tall as the picture, in its middle.
    const double side = std::min(size.width(), size.height());
    const QPointF c(size.width() / 2.0 + side * 0.06, size.height() / 2.0);
    const double radius = side * 0.36;
    const double stroke = side * 0.11;
    p.setPen(QPen(kEuroBlue, stroke, Qt::SolidLine, Qt::FlatCap));
    QPainterPath arc;
    const QRectF circle(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    arc.arcMoveTo(circle, 45);
    arc.arcTo(circle, 45, 270);
    p.drawPath(arc);
    p.setPen(QPen(kEuroBlue, stroke * 0.8, Qt::SolidLine, Qt::FlatCap));
    const double left = c.x() - radius * 1.45, right = c.x() + radius * 0.35;
    for (double dy : {-0.2, 0.2})
        p.drawLine(QPointF(left, c.y() + dy * radius), QPointF(right, c.y() + dy * radius));
    return image;
}

std::unique_ptr<report::Report> makeSheetReport()
{
    using report::Band;
    auto r = std::make_unique<report::Report>(QStringLiteral("Scheda opera d'arte"));
    report::Page& page = r->addPage(QStringLiteral("Page1"));
    page.margins = QMarginsF(10, 10, 10, 10);

    // The bands follow one another down the page; a value too long for its
    // box makes its band taller and pushes the bands below it down.
    Band& head = page.addBand(Band::Kind::Block, QStringLiteral("Testata"), 145);
    rectangle(head, QStringLiteral("shpNumFatt"), QRectF(1, 1, 188, 10), kLightSteelBlue);
    value(head, QStringLiteral("txtCapo"), QRectF(3, 3.2, 184, 6), 12, Qt::AlignCenter);
    head.add(Object::Kind::Picture, QStringLiteral("imgLogo"), QRectF(1, 14, 188, 112)).fill = Qt::white;
    rectangle(head, QStringLiteral("Shape10"), QRectF(49, 131, 92, 8));
    text(head, QStringLiteral("titImporto"), QRectF(68, 132.8, 20.8, 5), 11, QStringLiteral("Valore:"));
    head.add(Object::Kind::Picture, QStringLiteral("imgEuro"), QRectF(91, 132.8, 5, 5)).picture = euroPicture();
    value(head, QStringLiteral("txtPrezzo"), QRectF(98, 132.8, 40.8, 5), 11).setText(QStringLiteral("0,00"));

    Band& artist = row(page, QStringLiteral("RigaArtista"));
    fieldBox(artist, Box::Left, QStringLiteral("ARTISTA:"), QStringLiteral("txtColore"));
    fieldBox(artist, Box::Right, QStringLiteral("ANNO REALIZZAZIONE:"), QStringLiteral("txtTessuto"));
    fieldBox(row(page, QStringLiteral("RigaSoggetto")), Box::Full, QStringLiteral("SOGGETTO RAPPRESENTATO:"),
             QStringLiteral("txtDescrizione"));
    Band& country = row(page, QStringLiteral("RigaNazione"));
    fieldBox(country, Box::Left, QStringLiteral("NAZIONE:"), QStringLiteral("txtMisure"));
    fieldBox(country, Box::Right, QStringLiteral("TECNICA UTILIZZATA:"), QStringLiteral("txtPeso"));
    Band& movement = row(page, QStringLiteral("RigaCorrente"));
    fieldBox(movement, Box::Left, QStringLiteral("CORRENTE ARTISTICA:"), QStringLiteral("txtUsura"));
    fieldBox(movement, Box::Right, QStringLiteral("DIMENSIONI:"), QStringLiteral("txtDifetti"));
    fieldBox(row(page, QStringLiteral("RigaSupporto")), Box::Full, QStringLiteral("SUPPORTO:"),
             QStringLiteral("txtServizio"));
    fieldBox(row(page, QStringLiteral("RigaLuogo")), Box::Full, QStringLiteral("LUOGO CONSERVAZIONE:"),
             QStringLiteral("txtSpecifiche"));
    fieldBox(row(page, QStringLiteral("RigaProprietario")), Box::Full, QStringLiteral("PROPRIETARIO ATTUALE:"),
             QStringLiteral("txtCliente"));
    Band& owner = row(page, QStringLiteral("RigaCodFisc"));
    fieldBox(owner, Box::Left, QStringLiteral("CODICE FISCALE:"), QStringLiteral("txtCodFisc"));
    fieldBox(owner, Box::Right, QStringLiteral("TEL. PREFERENZIALE:"), QStringLiteral("txtRecapito"));

    // From 257 mm: the notes and the date of printing.
    Band& notes = page.addBand(Band::Kind::Block, QStringLiteral("Note"), 13);
    rectangle(notes, QStringLiteral("Shape15"), QRectF(1, 0, 188, 5.8), kLavender);
    text(notes, QStringLiteral("titRaccomandazioni"), QRectF(2, 1, 185.8, 4.2), 9, QStringLiteral("NOTE:"),
         Qt::AlignHCenter | Qt::AlignTop);
    rectangle(notes, QStringLiteral("Shape16"), QRectF(1, 6, 188, 6));
    value(notes, QStringLiteral("txtNote"), QRectF(2, 7, 185.9, 4), 8);
    Band& foot = page.addBand(Band::Kind::Block, QStringLiteral("Calce"), 5.8);
    rectangle(foot, QStringLiteral("Shape23"), QRectF(1, 0, 188, 5.8), kGold);
    text(foot, QStringLiteral("txtCalce"), QRectF(2, 1, 185.8, 4.2), 8, QStringLiteral("Data e ora stampa"),
         Qt::AlignHCenter | Qt::AlignTop);
    return r;
}

QString printedAt(const QDateTime& when)
{
    // The regional long time format without its time zone, which a clock on
    // the wall does not show either.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(u't');
    format = format.trimmed();
    if (format.isEmpty())
        format = QStringLiteral("HH:mm:ss");
    return QStringLiteral("Stampa eseguita in data ") + formatDate(when.date()) + QStringLiteral(" alle ore ")
        + QLocale::system().toString(when.time(), format);
}

void fillSheetReport(report::Report& report, const std::function<QString(Campo)>& textOf, const QImage& picture,
                     const QDateTime& when)
{
    report.findPage(QStringLiteral("Page1"))->setOrientation(QPageLayout::Portrait);
    report.findPicture(QStringLiteral("imgLogo"))->setPicture(picture);
    for (const auto& [name, campo] : sheetReportFields())
        report.findText(name)->setText(trimmed(textOf(campo)));
    report.findText(QStringLiteral("txtCalce"))->setText(printedAt(when));
}

void fillSheetReport(report::Report& report, const TSchedaOpera& shown, const QImage& picture, const QDateTime& when)
{
    fillSheetReport(
        report, [&](Campo c) { return shown.text(c); }, picture, when);
}

} // namespace pinakos
