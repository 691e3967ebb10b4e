// Loading and saving a 24-megapixel sheet photo: read from its JPEG file at
// full resolution and at the size the sheet shows it, written back with its
// original bytes, and written by encoding; and what the windows' clicks cost
// for it: the sheet moving onto its record, a slideshow step onto it, a line
// of the unsold list opened on it. The reference is djpeg decoding the same
// file at 1/8 scale, as the reduced decode does.
#include "Generated.h"
#include "SilentDialogs.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "kit/PhotoView.h"
#include "output/Slideshow.h"
#include "search/Opere_Disponibili.h"
#include "sheet/Opere.h"
#include "sheet/Photo.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QListView>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// A camera-like 24-megapixel JPEG (about 14 MB): sensor noise over a
// gradient, so that the entropy-coded data is as large as a camera's.
void writeCameraPhoto(const QString& path)
{
    QImage image(6000, 4000, QImage::Format_RGB32);
    QRandomGenerator random(24);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const quint32 n = random.generate();
            const int base = (x + y) * 200 / 10000;
            line[x] = qRgb(40 + base + int(n & 0x3F), 60 + base / 2 + int((n >> 8) & 0x3F), 90 + int((n >> 16) & 0x3F));
        }
    }
    QImageWriter w(path, "jpeg");
    w.setQuality(92);
    if (!w.write(image))
        qFatal("cannot write %s", qPrintable(path));
}

using pinakos::bench::SilentDialogs;

// The catalog the windows show: record 1 carries the shared generated photo,
// record 2 the camera-like one, records 3 and 4 none. All four are unsold.
constexpr int kCatalogRecords = 4;
const QString kCatalog = QStringLiteral("Fotografie");

struct Fixture
{
    QTemporaryDir dir;
    QString jpegPath; // the shared generated 24-megapixel photo
    QString cameraPath; // the camera-like one
    QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    pinakos::SheetPhoto loaded;
    SilentDialogs silent;
    QString archive;
    TfrmOpere* sheet = nullptr;

    Fixture()
    {
        jpegPath = dir.filePath(QStringLiteral("foto24mp.jpg"));
        pinakos::bench::writeLargePhoto(jpegPath);
        cameraPath = dir.filePath(QStringLiteral("fotocamera24mp.jpg"));
        writeCameraPhoto(cameraPath);
        loaded = pinakos::SheetPhoto::fromFile(jpegPath);

        pinakos::setProgramFolder(dir.path());
        pinakos::setDialogs(&silent);
        archive = pinakos::inProgramFolder(kCatalog + QStringLiteral(".art"));
        pinakos::bench::writeCatalog(archive, kCatalogRecords);
        QDir().mkpath(pinakos::photoFolder());
        QFile::copy(jpegPath, pinakos::photoPath(kCatalog, 1));
        QFile::copy(cameraPath, pinakos::photoPath(kCatalog, 2));
        sheet = new TfrmOpere;
        sheet->openCatalog(archive, kCatalog);
        sheet->show();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

const QString& photoPath(int which) { return which == 0 ? fixture().jpegPath : fixture().cameraPath; }

void label(benchmark::State& state, const QString& path)
{
    state.SetLabel(QStringLiteral("%1, %2 MB")
                       .arg(QFileInfo(path).fileName())
                       .arg(QFileInfo(path).size() / 1e6, 0, 'f', 1)
                       .toStdString());
}

void BM_LoadPhoto(benchmark::State& state)
{
    const QString path = photoPath(int(state.range(0)));
    for (auto _ : state) {
        pinakos::SheetPhoto photo = pinakos::SheetPhoto::fromFile(path);
        if (photo.image().size() != QSize(6000, 4000))
            state.SkipWithError("photo not loaded");
        benchmark::DoNotOptimize(photo);
    }
    label(state, path);
}

// What moving onto a sheet costs for its photo: read at the size the sheet shows.
void BM_LoadPhotoShown(benchmark::State& state)
{
    const QString path = photoPath(int(state.range(0)));
    for (auto _ : state) {
        pinakos::SheetPhoto photo = pinakos::SheetPhoto::fromFile(path, pinakos::kSheetPhotoArea);
        if (photo.image().size() != QSize(567, 378))
            state.SkipWithError("photo not loaded");
        benchmark::DoNotOptimize(photo);
    }
    label(state, path);
}

// The reference: djpeg decoding the same file at 1/8 scale, its output thrown
// away (process start included).
void BM_DjpegScale8(benchmark::State& state)
{
    const QString path = photoPath(int(state.range(0)));
    if (fixture().djpeg.isEmpty()) {
        state.SkipWithError("djpeg not installed (Debian package libjpeg-turbo-progs)");
        return;
    }
    const QByteArray program = fixture().djpeg.toLocal8Bit();
    const QByteArray file = path.toLocal8Bit();
    char* argv[] = {const_cast<char*>(program.constData()),
                    const_cast<char*>("-scale"),
                    const_cast<char*>("1/8"),
                    const_cast<char*>("-outfile"),
                    const_cast<char*>("/dev/null"),
                    const_cast<char*>(file.constData()),
                    nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) != pid
            || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("djpeg failed");
            break;
        }
    }
    label(state, path);
}

// Seconds a command takes, its painting included.
template <typename Command>
double timed(const Command& command)
{
    QElapsedTimer clock;
    clock.start();
    command();
    QApplication::processEvents();
    return clock.nsecsElapsed() / 1e9;
}

// The sheet window moving onto the record with the photo (Avanti from the
// record before it, or from a new sheet for record 1), less the same move
// between the two records without one: what the photo adds to the click.
void BM_SheetMoveOntoPhoto(benchmark::State& state)
{
    const int which = int(state.range(0));
    TfrmOpere* s = fixture().sheet;
    for (auto _ : state) {
        if (which == 0)
            s->cmdNuovoClick();
        else
            s->cmdPrimoClick();
        QApplication::processEvents();
        const double withPhoto = timed([&] { s->cmdAvantiClick(); });
        s->cmdUltimoClick();
        s->cmdIndietroClick();
        QApplication::processEvents();
        const double without = timed([&] { s->cmdAvantiClick(); });
        state.SetIterationTime(std::max(0.0, withPhoto - without));
    }
    s->cmdPrimoClick();
    if (s->imgFoto->photo().size() != QSize(6000, 4000) || s->imgFoto->photo().image().width() > 567)
        state.SkipWithError("photo not shown at the sheet's size");
    label(state, photoPath(which));
}

// One slideshow step onto the record with the camera-like photo, drawn.
void BM_SlideshowStep(benchmark::State& state)
{
    TfrmSlideshow show;
    show.setCatalog(fixture().archive, kCatalog);
    show.show();
    show.Timer->stop();
    show.cmdAvantiClick(); // record 1
    for (auto _ : state) {
        state.PauseTiming();
        show.lblPosizione->setText(QStringLiteral("1"));
        state.ResumeTiming();
        show.cmdAvantiClick(); // record 2
        show.Timer->stop();
        QApplication::processEvents();
    }
    if (show.lblPosizione->text() != QLatin1String("2") || show.imgFoto->image().isNull())
        state.SkipWithError("slideshow step failed");
    label(state, fixture().cameraPath);
}

// A line of the unsold list opened on the record with the camera-like
// photo: the double-click, the sheet shown with the photo drawn.
void BM_OpenFoundLine(benchmark::State& state)
{
    TfrmOpere* s = fixture().sheet;
    TfrmOpere_Disponibili list;
    list.setSheet(s);
    for (auto _ : state) {
        state.PauseTiming();
        s->cmdNuovoClick();
        list.show();
        QApplication::processEvents();
        list.lstRecords->setCurrentIndex(list.lstRecords->model()->index(1, 0));
        state.ResumeTiming();
        list.lstRecordsDblClick();
        QApplication::processEvents();
    }
    if (s->imgFoto->photo().size() != QSize(6000, 4000))
        state.SkipWithError("line not opened on its photo");
    label(state, fixture().cameraPath);
}

void BM_SaveOriginalBytes(benchmark::State& state)
{
    const pinakos::SheetPhoto& photo = fixture().loaded;
    const QString out = fixture().dir.filePath(QStringLiteral("copia_originale.jpg"));
    for (auto _ : state) {
        if (!photo.writeTo(out))
            state.SkipWithError("photo not written");
    }
}

void BM_SaveEncoded(benchmark::State& state)
{
    const pinakos::SheetPhoto photo(fixture().loaded.image()); // no original bytes: must be encoded
    const QString out = fixture().dir.filePath(QStringLiteral("copia_codificata.jpg"));
    for (auto _ : state) {
        if (!photo.writeTo(out))
            state.SkipWithError("photo not written");
    }
}

} // namespace

// Argument 0: the shared generated photo; 1: the camera-like one.
BENCHMARK(BM_LoadPhoto)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadPhotoShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DjpegScale8)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SheetMoveOntoPhoto)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_SlideshowStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenFoundLine)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveOriginalBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveEncoded)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return pinakos::bench::runBenchmarks(argc, argv);
}
