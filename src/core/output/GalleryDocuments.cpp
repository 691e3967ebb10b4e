#include "output/GalleryDocuments.h"

#include "access/IniFile.h"
#include "base/ProgramFolder.h"
#include "base/Text.h"
#include "checkers/TaxCodes.h"
#include "search/Search.h"
#include "sheet/Photo.h"
#include "sheet/Price.h"
#include "store/Archive.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cmath>

namespace pinakos {

using report::Band;
using report::Object;

// ---------------------------------------------------------------- euro

namespace {

// Digits with a dot before every three from the right.
QString groupThousands(const QString& digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u'.';
        out += digits.at(i);
    }
    return out;
}

// "€ " and the amount of `cents` written as digits (no sign).
QString euroOfDigits(bool negative, QString cents)
{
    while (cents.size() < 3)
        cents.prepend(u'0');
    const QString units = cents.left(cents.size() - 2);
    return QStringLiteral("€ ") + (negative ? QStringLiteral("-") : QString()) + groupThousands(units) + u','
        + cents.right(2);
}

} // namespace

QString formatEuro(qint64 cents)
{
    const bool negative = cents < 0;
    // The magnitude as unsigned, so that the most negative amount has one.
    const quint64 magnitude = negative ? quint64(0) - quint64(cents) : quint64(cents);
    return euroOfDigits(negative && magnitude > 0, QString::number(magnitude));
}

void EuroTotal::add(qint64 cents)
{
    // Each part of the amount into its limb, then the carry.
    m_high += cents / kLimb;
    m_low += cents % kLimb;
    if (m_low >= kLimb) {
        m_low -= kLimb;
        ++m_high;
    } else if (m_low < 0) {
        m_low += kLimb;
        --m_high;
    }
}

QString EuroTotal::text() const
{
    qint64 high = m_high, low = m_low;
    const bool negative = high < 0;
    if (negative) {
        // -(high * kLimb + low) = (-high - 1) * kLimb + (kLimb - low)
        if (low == 0) {
            high = -high;
        } else {
            high = -high - 1;
            low = kLimb - low;
        }
    }
    if (high == 0)
        return euroOfDigits(negative && low > 0, QString::number(low));
    return euroOfDigits(negative, QString::number(high) + QStringLiteral("%1").arg(low, 18, 10, QChar(u'0')));
}

// ---------------------------------------------------------------- letterhead

namespace {

const QString kSection = QStringLiteral("Intestazione");

struct Key
{
    const char* name;
    QString Letterhead::*field;
};

const Key kKeys[] = {
    {"Nome", &Letterhead::name},          {"Indirizzo", &Letterhead::address}, {"Citta", &Letterhead::city},
    {"PartitaIVA", &Letterhead::taxCode}, {"Telefono", &Letterhead::phone},    {"Email", &Letterhead::email},
    {"Logo", &Letterhead::logo},
};

} // namespace

QString letterheadFile() { return inProgramFolder(QStringLiteral("Documenti.ini")); }

Letterhead readLetterhead(const QString& file)
{
    Letterhead l;
    for (const Key& k : kKeys)
        l.*k.field = trimmed(readIniValue(file, kSection, QString::fromLatin1(k.name)));
    return l;
}

void writeLetterhead(const Letterhead& letterhead, const QString& file)
{
    for (const Key& k : kKeys) {
        // One line each: a line break would end the value in the file.
        QString v = letterhead.*k.field;
        v.replace(u'\r', u' ').replace(u'\n', u' ');
        writeIniValue(file, kSection, QString::fromLatin1(k.name), trimmed(v));
    }
}

QString taxCodeProblem(const QString& code)
{
    const QString c = trimmed(code);
    if (c.isEmpty())
        return {};
    if (c.size() == 16) {
        switch (checkFiscalCode(c)) {
        case FiscalVerdict::Valid:
            return {};
        case FiscalVerdict::Wrong:
            return fiscalWrongMessage();
        case FiscalVerdict::BadForm:
            return fiscalBadFormMessage();
        }
    }
    if (c.size() == 11) {
        switch (checkVatNumber(c)) {
        case VatVerdict::Valid:
            return {};
        case VatVerdict::Wrong:
            return vatWrongMessage();
        case VatVerdict::BadLength:
            return vatBadLengthMessage();
        }
    }
    return QStringLiteral("Attenzione: indicare una partita IVA di 11 cifre oppure un codice fiscale di 16 "
                          "caratteri alfanumerici.");
}

QString logoPath(const Letterhead& letterhead)
{
    const QString logo = trimmed(letterhead.logo);
    if (logo.isEmpty())
        return {};
    if (QDir::isAbsolutePath(logo))
        return logo;
    return inProgramFolder(logo);
}

// ---------------------------------------------------------------- documents

namespace {

// A4 portrait, 15 mm at the sides, 12 at the top and foot.
constexpr double kWidth = 180;
constexpr double kPictureDpi = 300;

const QString kFamily = QStringLiteral("Arial");
const QColor kInk(0x1F, 0x2A, 0x44);
const QColor kGrey(0x5A, 0x62, 0x70);
const QColor kRule(0xB8, 0xC0, 0xCC);
const QColor kHeaderFill(0xE8, 0xEC, 0xF2);

QSize pixelsOf(const QSizeF& mm)
{
    return QSize(int(std::lround(mm.width() * kPictureDpi / 25.4)), int(std::lround(mm.height() * kPictureDpi / 25.4)));
}

const QSizeF kCertificatePhoto(180, 92);
const QSizeF kObjectIdPhoto(120, 66);
const QSizeF kInventoryPhoto(18, 15);

report::Page& a4(report::Report& r)
{
    report::Page& page = r.addPage(QStringLiteral("Page1"));
    page.margins = QMarginsF(15, 12, 15, 12);
    return page;
}

// A text of the document: printed whole, wrapped at its own size and growing
// downwards rather than cut; `smallest` lets it step down in size first.
Object& text(Band& band, const QString& name, const QRectF& mm, double points, const QString& content,
             bool bold = false, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop, double smallest = 0)
{
    Object& o = band.add(Object::Kind::Text, name, mm);
    o.font = {kFamily, points, bold};
    o.alignment = alignment;
    o.whole = true;
    o.smallestPoints = smallest > 0 ? smallest : points;
    o.setText(content);
    return o;
}

Object& rule(Band& band, const QString& name, const QRectF& mm, const QColor& colour)
{
    Object& o = band.add(Object::Kind::Rectangle, name, mm);
    o.fill = colour;
    return o;
}

Object* find(Band& band, const QString& name)
{
    for (const auto& o : band.objects)
        if (o->name == name)
            return o.get();
    return nullptr;
}

QString joined(const QStringList& parts, const QString& separator)
{
    QStringList kept;
    for (const QString& p : parts)
        if (!trimmed(p).isEmpty())
            kept << trimmed(p);
    return kept.join(separator);
}

QString taxLine(const QString& code)
{
    const QString c = trimmed(code);
    if (c.isEmpty())
        return {};
    return (c.size() == 16 ? QStringLiteral("Codice fiscale ") : QStringLiteral("Partita IVA ")) + c.toUpper();
}

// The letterhead, the document's title and a line under it (left) with the
// date (right), as the title band of the first page.
void letterheadBand(report::Page& page, const Letterhead& l, const QString& title, const QString& subtitle,
                    bool dated = true)
{
    // Without a letterhead the document starts with its title.
    const bool blank = trimmed(l.name).isEmpty() && trimmed(l.address).isEmpty() && trimmed(l.city).isEmpty()
        && trimmed(l.taxCode).isEmpty() && trimmed(l.phone).isEmpty() && trimmed(l.email).isEmpty()
        && logoPath(l).isEmpty();
    const double top = blank ? 0 : 24;
    Band& band = page.addBand(Band::Kind::Title, QStringLiteral("Intestazione"), top + 20);
    if (!blank) {
        double x = 0;
        const QString logo = logoPath(l);
        if (!logo.isEmpty()) {
            const QImage picture = SheetPhoto::fromFile(logo, pixelsOf(QSizeF(30, 20))).image();
            if (!picture.isNull()) {
                Object& img = band.add(Object::Kind::Picture, QStringLiteral("imgIntestazione"), QRectF(0, 0, 30, 20));
                img.picture = picture;
                x = 34;
            }
        }
        const double w = kWidth - x;
        text(band, QStringLiteral("txtIntestazioneNome"), QRectF(x, 0, w, 6.5), 14, l.name, true).color = kInk;
        text(band, QStringLiteral("txtIntestazioneIndirizzo"), QRectF(x, 7, w, 4.2), 9,
             joined({l.address, l.city}, QStringLiteral(" – ")));
        text(band, QStringLiteral("txtIntestazioneFiscale"), QRectF(x, 11.2, w, 4.2), 9, taxLine(l.taxCode));
        QStringList contacts;
        if (!trimmed(l.phone).isEmpty())
            contacts << QStringLiteral("Tel. ") + trimmed(l.phone);
        if (!trimmed(l.email).isEmpty())
            contacts << QStringLiteral("E-mail ") + trimmed(l.email);
        text(band, QStringLiteral("txtIntestazioneContatti"), QRectF(x, 15.4, w, 4.2), 9,
             contacts.join(QStringLiteral("  ·  ")));
        rule(band, QStringLiteral("shpIntestazione"), QRectF(0, 22, kWidth, 0.4), kInk);
    }
    text(band, QStringLiteral("txtTitoloDocumento"), QRectF(0, top + 2, kWidth, 8), 16, title, true, Qt::AlignHCenter)
        .color = kInk;
    text(band, QStringLiteral("txtSottotitolo"), QRectF(0, top + 12, 130, 4.5), 9, subtitle).color = kGrey;
    Object& date = text(band, QStringLiteral("txtData"), QRectF(130, top + 12, 50, 4.5), 9,
                        dated ? QStringLiteral("Data: [DATE]") : QString(), false, Qt::AlignRight);
    date.expressions = true;
    date.color = kGrey;
}

// "Pagina N di M" at the foot of every page, with who hands it over.
void pageFooter(report::Page& page, const Letterhead& l, const QString& title)
{
    Band& foot = page.addBand(Band::Kind::PageFooter, QStringLiteral("PiePagina"), 7);
    foot.onEveryPage = true;
    rule(foot, QStringLiteral("shpPiePagina"), QRectF(0, 1.5, kWidth, 0.2), kRule);
    Object& left = foot.add(Object::Kind::Text, QStringLiteral("txtPiePagina"), QRectF(0, 2.5, 130, 4));
    left.font = {kFamily, 7.5, false};
    left.color = kGrey;
    left.setText(joined({l.name, title}, QStringLiteral(" – ")));
    Object& number = foot.add(Object::Kind::Text, QStringLiteral("txtNumeroPagina"), QRectF(130, 2.5, 50, 4));
    number.font = {kFamily, 7.5, false};
    number.color = kGrey;
    number.alignment = Qt::AlignRight | Qt::AlignTop;
    number.expressions = true;
    number.setText(QStringLiteral("Pagina [PAGE] di [PAGES]"));
}

// A caption and its value on one line of a band; the value wraps under itself.
void captioned(Band& band, const QString& name, double y, const QString& caption, const QString& value)
{
    text(band, QStringLiteral("tit") + name, QRectF(0, y, 38, 5), 10, caption, true).color = kGrey;
    text(band, QStringLiteral("txt") + name, QRectF(40, y, 140, 5), 10, value);
}

} // namespace

const std::vector<Document>& allDocuments()
{
    static const std::vector<Document> all = {Document::Certificate, Document::ObjectId, Document::Inventory,
                                              Document::Labels, Document::PriceList};
    return all;
}

QString documentTitle(Document d)
{
    switch (d) {
    case Document::Certificate:
        return QStringLiteral("Certificato di autenticità e provenienza");
    case Document::ObjectId:
        return QStringLiteral("Scheda Object ID");
    case Document::Inventory:
        return QStringLiteral("Inventario per l'assicurazione");
    case Document::Labels:
        return QStringLiteral("Etichette da parete");
    case Document::PriceList:
        return QStringLiteral("Listino prezzi");
    }
    return {};
}

bool isCatalogDocument(Document d)
{
    return d == Document::Inventory || d == Document::Labels || d == Document::PriceList;
}

QSize certificatePhotoPixels() { return pixelsOf(kCertificatePhoto); }
QSize objectIdPhotoPixels() { return pixelsOf(kObjectIdPhoto); }
// A thumbnail 18 mm wide needs no more than 200 dots to the inch.
QSize inventoryPhotoPixels() { return pixelsOf(kInventoryPhoto * (200 / kPictureDpi)); }

std::vector<CatalogWork> readCatalogWorks(const QString& archivePath, const QString& catalogName, bool unsoldOnly)
{
    std::vector<CatalogWork> works;
    QSet<int> photos;
    {
        // One listing of the photo folder instead of a look for each work.
        const QString prefix = trimmed(catalogName) + QStringLiteral("_Foto_");
        const QDir folder(photoFolder());
        for (const QString& f : folder.entryList({prefix + QStringLiteral("*.jpg")}, QDir::Files)) {
            bool ok = false;
            const int n = f.mid(prefix.size(), f.size() - prefix.size() - 4).toInt(&ok);
            if (ok && f == prefix + QString::number(n) + QStringLiteral(".jpg"))
                photos.insert(n);
        }
    }
    Archive archive(archivePath);
    works.reserve(size_t(archive.count()));
    archive.scan([&](int n, const TSchedaOpera& r) {
        if (unsoldOnly && !isUnsold(r.data()))
            return true;
        works.push_back({n, r.text(Campo::Capo), r.text(Campo::Colore), r.text(Campo::Tessuto), r.text(Campo::Peso),
                         r.text(Campo::Difetti), r.text(Campo::Prezzo), photos.contains(n)});
        return true;
    });
    return works;
}

qint64 workCents(const CatalogWork& work) { return priceCents(work.value).value_or(0); }

QString worksTotal(const std::vector<CatalogWork>& works)
{
    EuroTotal total;
    for (const CatalogWork& w : works)
        total.add(workCents(w));
    return total.text();
}

PhotoSource catalogPhotos(const QString& catalogName)
{
    return [catalogName](const CatalogWork& work, const QSize& pixels) {
        if (!work.photo)
            return QImage();
        return SheetPhoto::fromFile(photoPath(catalogName, work.number), pixels).image();
    };
}

// ---------------------------------------------------------------- the work shown

std::unique_ptr<report::Report> makeCertificate(const Letterhead& letterhead,
                                                const std::function<QString(Campo)>& textOf, const QImage& photo)
{
    const QString title = documentTitle(Document::Certificate);
    auto r = std::make_unique<report::Report>(title);
    report::Page& page = a4(*r);
    auto field = [&](Campo c) { return trimmed(textOf(c)); };
    letterheadBand(page, letterhead, title, QString(), false);

    Band& picture = page.addBand(Band::Kind::Block, QStringLiteral("Foto"), 98);
    picture.add(Object::Kind::Picture, QStringLiteral("imgFoto"), QRectF(QPointF(0, 2), kCertificatePhoto)).picture =
        photo;

    Band& data = page.addBand(Band::Kind::Block, QStringLiteral("Dati"), 44);
    const std::pair<const char*, std::pair<const char*, Campo>> rows[] = {
        {"Artista", {"Artista:", Campo::Colore}},     {"Titolo", {"Titolo:", Campo::Capo}},
        {"Anno", {"Anno:", Campo::Tessuto}},          {"Tecnica", {"Tecnica:", Campo::Peso}},
        {"Supporto", {"Supporto:", Campo::Servizio}}, {"Dimensioni", {"Dimensioni:", Campo::Difetti}},
    };
    double y = 2;
    for (const auto& [name, what] : rows) {
        captioned(data, QString::fromLatin1(name), y, QString::fromUtf8(what.first), field(what.second));
        y += 6.5;
    }
    if (Object* t = find(data, QStringLiteral("txtTitolo")))
        t->font.italic = true;

    Band& provenance = page.addBand(Band::Kind::Block, QStringLiteral("Provenienza"), 17);
    text(provenance, QStringLiteral("titProvenienza"), QRectF(0, 2, kWidth, 6), 11, QStringLiteral("Provenienza"), true)
        .color = kInk;
    const QString notes = field(Campo::Note);
    text(provenance, QStringLiteral("txtProvenienza"), QRectF(0, 9, kWidth, 5), 10.5,
         notes.isEmpty() ? QStringLiteral("Non indicata.") : notes);

    Band& statement = page.addBand(Band::Kind::Block, QStringLiteral("Dichiarazione"), 26);
    const QString who = trimmed(letterhead.name);
    const QString artist = field(Campo::Colore);
    QString declared = (who.isEmpty() ? QStringLiteral("Si dichiara") : who + QStringLiteral(" dichiara"))
        + QStringLiteral(" che l'opera sopra descritta e riprodotta nella fotografia è autentica");
    if (!artist.isEmpty())
        declared += QStringLiteral(", opera di ") + artist + u',';
    declared += QStringLiteral(" e che la sua provenienza è quella indicata.");
    text(statement, QStringLiteral("txtDichiarazione"), QRectF(0, 4, kWidth, 5), 10.5, declared);
    const QString city = trimmed(letterhead.city);
    text(statement, QStringLiteral("txtLuogo"), QRectF(0, 16, 90, 5), 10.5,
         QStringLiteral("Luogo: ") + (city.isEmpty() ? QStringLiteral("______________________") : city));
    text(statement, QStringLiteral("txtDataFirma"), QRectF(90, 16, 90, 5), 10.5, QStringLiteral("Data: [DATE]"), false,
         Qt::AlignRight)
        .expressions = true;

    Band& signatures = page.addBand(Band::Kind::Block, QStringLiteral("Firme"), 30);
    rule(signatures, QStringLiteral("shpFirmaVenditore"), QRectF(0, 21, 75, 0.3), Qt::black);
    rule(signatures, QStringLiteral("shpFirmaAcquirente"), QRectF(105, 21, 75, 0.3), Qt::black);
    text(signatures, QStringLiteral("txtFirmaVenditore"), QRectF(0, 22.5, 75, 5), 9,
         QStringLiteral("Firma del venditore"), false, Qt::AlignHCenter)
        .color = kGrey;
    text(signatures, QStringLiteral("txtFirmaAcquirente"), QRectF(105, 22.5, 75, 5), 9,
         QStringLiteral("Firma dell'acquirente"), false, Qt::AlignHCenter)
        .color = kGrey;
    return r;
}

std::unique_ptr<report::Report> makeObjectIdSheet(const Letterhead& letterhead,
                                                  const std::function<QString(Campo)>& textOf, const QImage& photo)
{
    const QString title = documentTitle(Document::ObjectId);
    auto r = std::make_unique<report::Report>(title);
    report::Page& page = a4(*r);
    auto field = [&](Campo c) { return trimmed(textOf(c)); };
    letterheadBand(page, letterhead, title,
                   QStringLiteral("Documentazione dell'opera secondo lo standard internazionale Object ID"));

    Band& picture = page.addBand(Band::Kind::Block, QStringLiteral("Foto"), 70);
    picture
        .add(Object::Kind::Picture, QStringLiteral("imgFoto"),
             QRectF(QPointF((kWidth - kObjectIdPhoto.width()) / 2, 1), kObjectIdPhoto))
        .picture = photo;

    const QString materials = joined({field(Campo::Peso), field(Campo::Servizio)}, QStringLiteral("; "));
    const std::pair<const char*, QString> entries[] = {
        {"Tipo di oggetto", QString()},
        {"Materiali e tecniche", materials},
        {"Misure", field(Campo::Difetti)},
        {"Iscrizioni e marchi", QString()},
        {"Caratteristiche distintive", field(Campo::Note)},
        {"Titolo", field(Campo::Capo)},
        {"Soggetto", field(Campo::Descrizione)},
        {"Data o periodo", field(Campo::Tessuto)},
        {"Autore", field(Campo::Colore)},
    };
    int n = 0;
    for (const auto& [heading, value] : entries) {
        const QString name = QString::number(++n);
        // What the sheet holds is filled in; the rest is left to be written by hand.
        Band& entry = page.addBand(Band::Kind::Block, QStringLiteral("Voce") + name, value.isEmpty() ? 17 : 13.5);
        text(entry, QStringLiteral("titVoce") + name, QRectF(0, 1, kWidth, 5), 10, QString::fromUtf8(heading), true)
            .color = kInk;
        if (value.isEmpty()) {
            rule(entry, QStringLiteral("shpRiga") + name + QStringLiteral("a"), QRectF(0, 10.5, kWidth, 0.25), kRule);
            rule(entry, QStringLiteral("shpRiga") + name + QStringLiteral("b"), QRectF(0, 16, kWidth, 0.25), kRule);
        } else {
            text(entry, QStringLiteral("txtVoce") + name, QRectF(3, 6.5, kWidth - 3, 5), 10.5, value);
            rule(entry, QStringLiteral("shpRiga") + name, QRectF(0, 13, kWidth, 0.25), kRule);
        }
    }
    return r;
}

// ---------------------------------------------------------------- the catalog

namespace {

struct Column
{
    const char* name;
    const char* caption;
    double x, width;
    bool right = false;
};

// The column heading band of a table.
void columnHeader(report::Page& page, const std::vector<Column>& columns)
{
    Band& head = page.addBand(Band::Kind::ColumnHeader, QStringLiteral("Colonne"), 8);
    rule(head, QStringLiteral("shpColonne"), QRectF(0, 0.5, kWidth, 6.5), kHeaderFill);
    for (const Column& c : columns)
        text(head, QStringLiteral("tit") + QString::fromLatin1(c.name), QRectF(c.x + 0.8, 1.8, c.width - 1.6, 4), 8.5,
             QString::fromUtf8(c.caption), true, c.right ? Qt::AlignRight : Qt::AlignLeft)
            .color = kInk;
}

// The row texts of a table, one for each column but the photo, set by `set`.
void rowTexts(Band& row, const std::vector<Column>& columns, double y, double height)
{
    for (const Column& c : columns) {
        if (QLatin1String(c.name) == QLatin1String("Foto"))
            continue;
        Object& o =
            text(row, QStringLiteral("txt") + QString::fromLatin1(c.name), QRectF(c.x + 0.8, y, c.width - 1.6, height),
                 9, QString(), false, c.right ? Qt::AlignRight : Qt::AlignLeft);
        if (QLatin1String(c.name) == QLatin1String("Titolo"))
            o.font.bold = true;
    }
}

void setRowTexts(Band& row, const CatalogWork& w)
{
    find(row, QStringLiteral("txtTitolo"))->setText(w.title);
    find(row, QStringLiteral("txtArtista"))->setText(w.artist);
    find(row, QStringLiteral("txtAnno"))->setText(w.year);
    find(row, QStringLiteral("txtDimensioni"))->setText(w.dimensions);
    find(row, QStringLiteral("txtValore"))->setText(formatEuro(workCents(w)));
}

// "Totale" and the sum at the end of a table.
void totalBand(report::Page& page, const std::vector<CatalogWork>& works, const QString& counted)
{
    Band& foot = page.addBand(Band::Kind::Footer, QStringLiteral("Totale"), 13);
    rule(foot, QStringLiteral("shpTotale"), QRectF(0, 1, kWidth, 0.5), kInk);
    text(foot, QStringLiteral("txtOpere"), QRectF(0, 4, 90, 5), 9,
         counted + QStringLiteral(": ") + QString::number(works.size()))
        .color = kGrey;
    text(foot, QStringLiteral("titTotale"), QRectF(90, 3.5, 30, 6), 11, QStringLiteral("Totale"), true, Qt::AlignRight)
        .color = kInk;
    text(foot, QStringLiteral("txtTotale"), QRectF(120, 3.5, 60, 6), 11, worksTotal(works), true, Qt::AlignRight)
        .color = kInk;
}

QString catalogLine(const QString& catalogName, const std::vector<CatalogWork>& works)
{
    const QString count = works.size() == 1 ? QStringLiteral("1 opera") : QStringLiteral("%1 opere").arg(works.size());
    return joined({QStringLiteral("Catalogo ") + trimmed(catalogName), count}, QStringLiteral(" · "));
}

} // namespace

std::unique_ptr<report::Report> makeInventory(const Letterhead& letterhead, const QString& catalogName, Works works,
                                              PhotoSource photos)
{
    const QString title = documentTitle(Document::Inventory);
    auto r = std::make_unique<report::Report>(title);
    report::Page& page = a4(*r);
    letterheadBand(page, letterhead, title, catalogLine(catalogName, *works));
    const std::vector<Column> columns = {
        {"Foto", "Foto", 0, 20},   {"Titolo", "Titolo", 20, 50},          {"Artista", "Artista", 70, 36},
        {"Anno", "Anno", 106, 14}, {"Dimensioni", "Dimensioni", 120, 30}, {"Valore", "Valore", 150, 30, true},
    };
    columnHeader(page, columns);

    // A row with a photo is as tall as its picture; one without is a line of text.
    constexpr double kPhotoRow = 17, kTextRow = 8.5;
    Band& row = page.addBand(Band::Kind::Records, QStringLiteral("Opere"), kPhotoRow);
    row.add(Object::Kind::Picture, QStringLiteral("imgFoto"), QRectF(QPointF(1, 1), kInventoryPhoto));
    Object& none = row.add(Object::Kind::Text, QStringLiteral("txtSenzaFoto"), QRectF(1, 1.8, 18, 4));
    none.font = {kFamily, 6.5, false};
    none.color = kGrey;
    none.alignment = Qt::AlignHCenter | Qt::AlignTop;
    rowTexts(row, columns, 1.8, 4);
    rule(row, QStringLiteral("shpRiga"), QRectF(0, kPhotoRow - 0.3, kWidth, 0.2), kRule);
    row.records = int(works->size());
    const QSize pixels = inventoryPhotoPixels();
    row.fill = [works, photos, pixels](Band& band, int record, bool pictures) {
        const CatalogWork& w = works->at(size_t(record));
        setRowTexts(band, w);
        Object* picture = find(band, QStringLiteral("imgFoto"));
        Object* none = find(band, QStringLiteral("txtSenzaFoto"));
        QImage image;
        if (w.photo && pictures && photos)
            image = photos(w, pixels);
        if (w.photo) {
            // The texts have the picture's height before they need to grow.
            for (const auto& o : band.objects)
                if (o->name.startsWith(QLatin1String("txt")) && o->name != QLatin1String("txtSenzaFoto"))
                    o->setHeight(kPhotoRow - 3);
        }
        if (w.photo && !(pictures && image.isNull())) {
            picture->picture = image;
            return;
        }
        // No photo, or one that cannot be read: said so, on a line of text.
        none->setText(QStringLiteral("nessuna foto"));
        if (!w.photo) {
            picture->setHeight(0);
            band.setHeight(kTextRow);
            find(band, QStringLiteral("shpRiga"))->rect.moveTop(kTextRow - 0.3);
        }
    };
    totalBand(page, *works, QStringLiteral("Opere inventariate"));
    pageFooter(page, letterhead, title);
    return r;
}

std::unique_ptr<report::Report> makePriceList(const Letterhead& letterhead, const QString& catalogName, Works works)
{
    const QString title = documentTitle(Document::PriceList);
    auto r = std::make_unique<report::Report>(title);
    report::Page& page = a4(*r);
    letterheadBand(page, letterhead, title, catalogLine(catalogName, *works));
    const std::vector<Column> columns = {
        {"Titolo", "Titolo", 0, 62},           {"Artista", "Artista", 62, 42},      {"Anno", "Anno", 104, 14},
        {"Dimensioni", "Dimensioni", 118, 32}, {"Valore", "Prezzo", 150, 30, true},
    };
    columnHeader(page, columns);
    constexpr double kRow = 8;
    Band& row = page.addBand(Band::Kind::Records, QStringLiteral("Opere"), kRow);
    rowTexts(row, columns, 1.8, 4);
    rule(row, QStringLiteral("shpRiga"), QRectF(0, kRow - 0.3, kWidth, 0.2), kRule);
    row.records = int(works->size());
    row.fill = [works](Band& band, int record, bool) { setRowTexts(band, works->at(size_t(record))); };
    totalBand(page, *works, QStringLiteral("Opere in listino"));
    pageFooter(page, letterhead, title);
    return r;
}

std::unique_ptr<report::Report> makeWallLabels(const Letterhead& letterhead, Works works, bool prices)
{
    const QString title = documentTitle(Document::Labels);
    auto r = std::make_unique<report::Report>(title);
    report::Page& page = a4(*r);
    letterheadBand(page, letterhead, title,
                   works->size() == 1 ? QStringLiteral("1 etichetta")
                                      : QStringLiteral("%1 etichette").arg(works->size()));

    // Two labels a row, four rows a page; marks at the corners of each show
    // where to cut.
    constexpr double kRowHeight = 56.5, kLabelWidth = 85, kLabelHeight = 52.5, kTop = 2;
    const double lefts[kLabelColumns] = {2.5, 92.5};
    Band& row = page.addBand(Band::Kind::Records, QStringLiteral("Etichette"), kRowHeight);
    for (int c = 0; c < kLabelColumns; ++c) {
        const QString n = QString::number(c + 1);
        const double x = lefts[c], in = x + 5, w = kLabelWidth - 10;
        text(row, QStringLiteral("txtArtista") + n, QRectF(in, kTop + 5, w, 6.5), 14, QString(), true, Qt::AlignLeft, 8)
            .color = kInk;
        text(row, QStringLiteral("txtTitolo") + n, QRectF(in, kTop + 13, w, 11), 12, QString(), false, Qt::AlignLeft, 7)
            .font.italic = true;
        text(row, QStringLiteral("txtAnno") + n, QRectF(in, kTop + 24.5, w, 4.5), 10, QString(), false, Qt::AlignLeft,
             7);
        text(row, QStringLiteral("txtTecnica") + n, QRectF(in, kTop + 29, w, 4.5), 10, QString(), false, Qt::AlignLeft,
             7);
        text(row, QStringLiteral("txtDimensioni") + n, QRectF(in, kTop + 33.5, w, 4.5), 10, QString(), false,
             Qt::AlignLeft, 7);
        text(row, QStringLiteral("txtValore") + n, QRectF(in, kTop + 40, w, 5.5), 12, QString(), true, Qt::AlignRight,
             8);
        text(row, QStringLiteral("txtGalleria") + n, QRectF(in, kTop + 46.5, w, 3.5), 7, QString(), false,
             Qt::AlignLeft, 6)
            .color = kGrey;
        // Marks 3 mm long, 0.5 mm off each corner, pointing away from the
        // label; those that reach into the next row meet its own.
        const double l = 3, off = 0.5, t = 0.2;
        const double xs[2] = {x, x + kLabelWidth}, ys[2] = {kTop, kTop + kLabelHeight};
        int m = 0;
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                const double cx = xs[i], cy = ys[j];
                const double hx = i == 0 ? cx - off - l : cx + off, vy = j == 0 ? cy - off - l : cy + off;
                rule(row, QStringLiteral("shpTaglio%1%2").arg(n).arg(++m), QRectF(hx, cy - t / 2, l, t), Qt::black);
                rule(row, QStringLiteral("shpTaglio%1%2").arg(n).arg(++m), QRectF(cx - t / 2, vy, t, l), Qt::black);
            }
    }
    row.records = int((works->size() + kLabelColumns - 1) / kLabelColumns);
    const QString gallery = trimmed(letterhead.name);
    row.fill = [works, prices, gallery](Band& band, int record, bool) {
        for (int c = 0; c < kLabelColumns; ++c) {
            const size_t index = size_t(record) * kLabelColumns + size_t(c);
            const QString n = QString::number(c + 1);
            if (index >= works->size()) {
                // The last row's empty place: no label, no marks.
                for (const auto& o : band.objects)
                    if ((o->name.startsWith(QLatin1String("txt")) && o->name.endsWith(n))
                        || o->name.startsWith(QStringLiteral("shpTaglio") + n))
                        o->setHeight(0);
                continue;
            }
            const CatalogWork& w = works->at(index);
            find(band, QStringLiteral("txtArtista") + n)->setText(w.artist);
            find(band, QStringLiteral("txtTitolo") + n)->setText(w.title);
            find(band, QStringLiteral("txtAnno") + n)->setText(w.year);
            find(band, QStringLiteral("txtTecnica") + n)->setText(w.technique);
            find(band, QStringLiteral("txtDimensioni") + n)->setText(w.dimensions);
            const qint64 cents = workCents(w);
            find(band, QStringLiteral("txtValore") + n)
                ->setText(!prices         ? QString()
                              : cents > 0 ? formatEuro(cents)
                                          : QStringLiteral("Prezzo su richiesta"));
            find(band, QStringLiteral("txtGalleria") + n)->setText(gallery);
        }
    };
    return r;
}

} // namespace pinakos
