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

Object& rectangle(report::Page& page, const QString& name, const QRectF& mm, const QColor& fill = QColor())
{
    Object& o = page.add(Object::Kind::Rectangle, name, mm);
    o.frame = Qt::black;
    o.fill = fill;
    return o;
}

Object& text(report::Page& page, const QString& name, const QRectF& mm, double points, const QString& content,
             Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    Object& o = page.add(Object::Kind::Text, name, mm);
    o.font = {QStringLiteral("Arial"), points, false};
    o.alignment = alignment;
    o.setText(content);
    return o;
}

// One field box: the caption, its frame and the value text.
enum class Box { Left, Right, Full };

void fieldBox(report::Page& page, Box box, double y, const QString& caption, const QString& value)
{
    const double x = box == Box::Right ? 97 : 1;
    const double captionWidth = box == Box::Left ? 74 : box == Box::Right ? 86 : 188;
    const double frameWidth = box == Box::Full ? 188 : 92;
    const double valueWidth = box == Box::Full ? 185.6 : 89.6;
    const QString suffix = value.mid(3); // txtColore -> Colore
    text(page, QStringLiteral("tit") + suffix, QRectF(x, y, captionWidth, 4), 8, caption);
    rectangle(page, QStringLiteral("shp") + suffix, QRectF(x, y + 5, frameWidth, 6));
    text(page, value, QRectF(x + 1, y + 6, valueWidth, 4), 8, QString());
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
    auto r = std::make_unique<report::Report>(QStringLiteral("Scheda opera d'arte"));
    report::Page& page = r->addPage(QStringLiteral("Page1"));
    page.margins = QMarginsF(10, 10, 10, 10);

    rectangle(page, QStringLiteral("shpNumFatt"), QRectF(1, 1, 188, 10), kLightSteelBlue);
    text(page, QStringLiteral("txtCapo"), QRectF(3, 3.2, 184, 6), 12, QString(), Qt::AlignCenter);
    page.add(Object::Kind::Picture, QStringLiteral("imgLogo"), QRectF(1, 14, 188, 112)).fill = Qt::white;

    rectangle(page, QStringLiteral("Shape10"), QRectF(49, 131, 92, 8));
    text(page, QStringLiteral("titImporto"), QRectF(68, 132.8, 20.8, 5), 11, QStringLiteral("Valore:"));
    page.add(Object::Kind::Picture, QStringLiteral("imgEuro"), QRectF(91, 132.8, 5, 5)).picture = euroPicture();
    text(page, QStringLiteral("txtPrezzo"), QRectF(98, 132.8, 40.8, 5), 11, QStringLiteral("0,00"));

    fieldBox(page, Box::Left, 145, QStringLiteral("ARTISTA:"), QStringLiteral("txtColore"));
    fieldBox(page, Box::Right, 145, QStringLiteral("ANNO REALIZZAZIONE:"), QStringLiteral("txtTessuto"));
    fieldBox(page, Box::Full, 159, QStringLiteral("SOGGETTO RAPPRESENTATO:"), QStringLiteral("txtDescrizione"));
    fieldBox(page, Box::Left, 173, QStringLiteral("NAZIONE:"), QStringLiteral("txtMisure"));
    fieldBox(page, Box::Right, 173, QStringLiteral("TECNICA UTILIZZATA:"), QStringLiteral("txtPeso"));
    fieldBox(page, Box::Left, 187, QStringLiteral("CORRENTE ARTISTICA:"), QStringLiteral("txtUsura"));
    fieldBox(page, Box::Right, 187, QStringLiteral("DIMENSIONI:"), QStringLiteral("txtDifetti"));
    fieldBox(page, Box::Full, 201, QStringLiteral("SUPPORTO:"), QStringLiteral("txtServizio"));
    fieldBox(page, Box::Full, 215, QStringLiteral("LUOGO CONSERVAZIONE:"), QStringLiteral("txtSpecifiche"));
    fieldBox(page, Box::Full, 229, QStringLiteral("PROPRIETARIO ATTUALE:"), QStringLiteral("txtCliente"));
    fieldBox(page, Box::Left, 243, QStringLiteral("CODICE FISCALE:"), QStringLiteral("txtCodFisc"));
    fieldBox(page, Box::Right, 243, QStringLiteral("TEL. PREFERENZIALE:"), QStringLiteral("txtRecapito"));

    rectangle(page, QStringLiteral("Shape15"), QRectF(1, 257, 188, 5.8), kLavender);
    text(page, QStringLiteral("titRaccomandazioni"), QRectF(2, 258, 185.8, 4.2), 9, QStringLiteral("NOTE:"),
         Qt::AlignHCenter | Qt::AlignTop);
    rectangle(page, QStringLiteral("Shape16"), QRectF(1, 263, 188, 6));
    text(page, QStringLiteral("txtNote"), QRectF(2, 264, 185.9, 4), 8, QString());
    rectangle(page, QStringLiteral("Shape23"), QRectF(1, 270, 188, 5.8), kGold);
    text(page, QStringLiteral("txtCalce"), QRectF(2, 271, 185.8, 4.2), 8, QStringLiteral("Data e ora stampa"),
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
