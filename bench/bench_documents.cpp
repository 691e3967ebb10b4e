// The insurance inventory of a generated catalog of 100,000 works, 1,000 of
// them with a photo (a 1600 x 1200 camera-like JPEG each), from the
// documents window's Stampa button to the PDF file: the works read from the
// archive, the report prepared, the photos decoded page by page as they are
// drawn. The reference is `enscript | ps2pdf` turning the inventory's lines
// (title, artist, year, dimensions, value of every work) into a PDF, in the
// same run. The memory is the process's peak resident size while printing,
// and how much printing added to what it held before.
#include "FakeSheet.h"
#include "Generated.h"

#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "output/Documenti.h"
#include "output/GalleryDocuments.h"
#include "search/Summary.h"
#include "sheet/Photo.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int kWorks = pinakos::bench::kLargeCatalog;
constexpr int kPhotos = 1000;
const QString kCatalog = QStringLiteral("Banco");

// The process's peak resident size since the last reset (VmHWM), and its
// present one (VmRSS), in megabytes.
double statusMegabytes(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(strlen(field))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Starts the peak afresh from the present size, so that what a command takes
// is not hidden by what was taken before it.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// Confirms every print dialog, sending the printing to one PDF file; any
// message is a failure of the run.
class PdfDialogs final : public pinakos::Dialogs
{
public:
    QString file;
    QString failure;

    void notify(QWidget*, Kind, const QString& text) override { failure = text; }
    bool confirm(QWidget*, const QString&) override { return false; }
    QString openFile(QWidget*, const pinakos::FileDialogRequest&) override { return {}; }
    QString saveFile(QWidget*, const pinakos::FileDialogRequest&) override { return {}; }
    bool print(QWidget*, QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }
    void shellOpen(const QString&) override {}
};

// A photo as a camera might give it, at two megapixels: a gradient with
// coloured squares, so that the JPEG holds detail to decode.
QByteArray cameraPhoto()
{
    const QImage image = pinakos::bench::samplePicture(1600, 1200, 120, 90, 100);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

struct Fixture
{
    QTemporaryDir dir;
    PdfDialogs dialogs;
    QString archive;
    QString linesFile;

    Fixture()
    {
        pinakos::setProgramFolder(dir.path());
        pinakos::setDialogs(&dialogs);
        dialogs.file = dir.filePath(QStringLiteral("inventario.pdf"));
        archive = pinakos::inProgramFolder(kCatalog + QStringLiteral(".art"));
        pinakos::bench::writeCatalog(archive, kWorks);
        QDir().mkpath(pinakos::photoFolder());
        const QByteArray photo = cameraPhoto();
        for (int k = 1; k <= kPhotos; ++k) {
            QFile f(pinakos::photoPath(kCatalog, k * (kWorks / kPhotos)));
            if (!f.open(QIODevice::WriteOnly) || f.write(photo) != photo.size())
                qFatal("cannot write the photos");
        }
        // The same lines for the reference, in the code page.
        QStringList lines;
        for (const pinakos::CatalogWork& w : pinakos::readCatalogWorks(archive, kCatalog, false))
            lines << QStringLiteral("%1  %2  %3  %4  EUR %5")
                         .arg(w.title, w.artist, w.year, w.dimensions,
                              pinakos::formatEuro(pinakos::workCents(w)).mid(2));
        linesFile = dir.filePath(QStringLiteral("righe.txt"));
        pinakos::bench::writeLineFile(linesFile, lines);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// From the Stampa button of the documents window, the inventory chosen, to
// the PDF file written.
void BM_Inventory100k(benchmark::State& state)
{
    Fixture& f = fixture();
    pinakos::test::FakeSheet sheet;
    sheet.path = f.archive;
    sheet.name = kCatalog;
    double before = 0, peak = 0;
    for (auto _ : state) {
        resetPeak();
        before = statusMegabytes("VmRSS:");
        TfrmDocumenti w;
        w.setSheet(&sheet);
        w.show();
        w.cboDocumento->setCurrentIndex(2);
        w.cmdStampa->click();
        if (!f.dialogs.failure.isEmpty()) {
            state.SkipWithError(qPrintable(f.dialogs.failure));
            break;
        }
        peak = std::max(peak, statusMegabytes("VmHWM:"));
    }
    state.counters["MB"] = double(QFileInfo(f.dialogs.file).size()) / 1e6;
    // The peak while printing, and how much of it the printing added.
    state.counters["peak_MB"] = peak;
    state.counters["added_MB"] = peak - before;
}

// The parts of it: the works read and the report prepared, without printing;
void BM_InventoryPrepare100k(benchmark::State& state)
{
    Fixture& f = fixture();
    int pages = 0;
    for (auto _ : state) {
        auto works = std::make_shared<const std::vector<pinakos::CatalogWork>>(
            pinakos::readCatalogWorks(f.archive, kCatalog, false));
        auto report = pinakos::makeInventory(pinakos::Letterhead(), kCatalog, works, pinakos::catalogPhotos(kCatalog));
        report->prepare();
        pages = report->pageCount();
    }
    state.counters["pages"] = pages;
}

// and the thousand photos decoded at the size of an inventory row.
void BM_InventoryPhotos1000(benchmark::State& state)
{
    Fixture& f = fixture();
    const pinakos::PhotoSource photos = pinakos::catalogPhotos(kCatalog);
    int decoded = 0;
    for (auto _ : state) {
        decoded = 0;
        pinakos::CatalogWork w;
        w.photo = true;
        for (int k = 1; k <= kPhotos; ++k) {
            w.number = k * (kWorks / kPhotos);
            decoded += photos(w, pinakos::inventoryPhotoPixels()).isNull() ? 0 : 1;
        }
    }
    if (decoded != kPhotos)
        state.SkipWithError("a photo was not read");
    (void)f;
}

// The same lines through enscript and ghostscript.
void BM_EnscriptPs2pdf100k(benchmark::State& state)
{
    Fixture& f = fixture();
    pinakos::bench::enscriptPs2pdf(state, f.linesFile, f.dir.filePath(QStringLiteral("enscript.pdf")),
                                   QStringLiteral("-q -f Courier8"));
}

} // namespace

BENCHMARK(BM_Inventory100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_InventoryPrepare100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_InventoryPhotos1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_EnscriptPs2pdf100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return pinakos::bench::runBenchmarks(argc, argv);
}
