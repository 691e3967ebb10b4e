#pragma once
// The documents a gallery hands over, laid out on the report engine: for the
// work shown in the sheet, the certificate of authenticity and provenance and
// the Object ID sheet; for a catalog, the insurance inventory, the wall labels
// and the price list. Every one of them carries the letterhead at its head.

#include "output/Report.h"
#include "store/SchedaOpera.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace pinakos {

// ---- Amounts in euro ----

// "€ 1.234.567,89": thousands with a dot, two decimals with a comma.
QString formatEuro(qint64 cents);

// A sum of amounts in cents, exact however many are added (beyond what 64
// bits hold).
class EuroTotal
{
public:
    void add(qint64 cents);
    // The sum written as formatEuro writes an amount.
    QString text() const;

private:
    static constexpr qint64 kLimb = 1'000'000'000'000'000'000; // 10^18 cents
    qint64 m_high = 0; // in units of kLimb
    qint64 m_low = 0; // 0 <= m_low < kLimb
};

// ---- The letterhead ----

// Who hands the documents over: the gallery or the owner.
struct Letterhead
{
    QString name;
    QString address;
    QString city;
    QString taxCode; // VAT number or fiscal code
    QString phone;
    QString email;
    QString logo; // a picture file, by its path or its name in the program folder; empty for none

    bool operator==(const Letterhead&) const = default;
};

// Documenti.ini in the program folder.
QString letterheadFile();
// The letterhead kept in the file; blank where the file says nothing.
Letterhead readLetterhead(const QString& file = letterheadFile());
// Keeps the letterhead in the file. Throws Failure when it cannot be written.
void writeLetterhead(const Letterhead& letterhead, const QString& file = letterheadFile());
// What is wrong with a letterhead's VAT number or fiscal code: nothing (an
// empty text) when it is blank, an 11-character VAT number that passes the
// VAT check or a 16-character fiscal code that passes the fiscal-code
// check; otherwise the message of the check that fails.
QString taxCodeProblem(const QString& code);
// The logo's file as a path (a bare name is taken in the program folder);
// empty for none.
QString logoPath(const Letterhead& letterhead);

// ---- The documents ----

enum class Document { Certificate, ObjectId, Inventory, Labels, PriceList };

// The five in the order the documents window offers them.
const std::vector<Document>& allDocuments();
// "Certificato di autenticità e provenienza", "Scheda Object ID", ...
QString documentTitle(Document d);
// The inventory, the labels and the price list are of a catalog; the other
// two of the work shown.
bool isCatalogDocument(Document d);

// The photo frame of the certificate and of the Object ID sheet, and that of
// an inventory row, in pixels at the resolution pictures are printed at.
QSize certificatePhotoPixels();
QSize objectIdPhotoPixels();
QSize inventoryPhotoPixels();

// A work of a catalog as the catalog documents print it.
struct CatalogWork
{
    int number = 0; // of its record
    QString title, artist, year, technique, dimensions, value;
    bool photo = false; // whether it has a photo file
};

// The works of the archive in record order, only those not yet sold when
// `unsoldOnly`; `catalogName` tells where their photos are. Throws Failure
// when the archive cannot be read.
std::vector<CatalogWork> readCatalogWorks(const QString& archivePath, const QString& catalogName, bool unsoldOnly);

// The value of a work in cents: 0 for a value the price rule could not have written.
qint64 workCents(const CatalogWork& work);
// The sum of the works' values, as the inventory and the price list print it.
QString worksTotal(const std::vector<CatalogWork>& works);

// A work's photo decoded to fit `pixels`, or a null image.
using PhotoSource = std::function<QImage(const CatalogWork& work, const QSize& pixels)>;
// The photos of a catalog by the photo rule.
PhotoSource catalogPhotos(const QString& catalogName);

// The documents of the work shown, `textOf` giving its fields as they stand
// and `photo` its picture (decoded for the photo frame).
std::unique_ptr<report::Report> makeCertificate(const Letterhead& letterhead,
                                                const std::function<QString(Campo)>& textOf, const QImage& photo);
std::unique_ptr<report::Report> makeObjectIdSheet(const Letterhead& letterhead,
                                                  const std::function<QString(Campo)>& textOf, const QImage& photo);

// The documents of a catalog. The reports share the works and read them
// again as they print; the photos are decoded page by page as they print.
using Works = std::shared_ptr<const std::vector<CatalogWork>>;
std::unique_ptr<report::Report> makeInventory(const Letterhead& letterhead, const QString& catalogName, Works works,
                                              PhotoSource photos);
std::unique_ptr<report::Report> makeWallLabels(const Letterhead& letterhead, Works works, bool prices);
std::unique_ptr<report::Report> makePriceList(const Letterhead& letterhead, const QString& catalogName, Works works);

// Labels on one page, and how they stand on it.
constexpr int kLabelColumns = 2;
constexpr int kLabelRows = 4;

} // namespace pinakos
