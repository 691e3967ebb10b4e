#pragma once
// Catalogs and photos generated for the benchmarks.
#include "store/SchedaOpera.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace benchmark {
class State;
}

namespace pinakos::bench {

constexpr int kLargeCatalog = 100000;

// A work record with values that vary with n.
TSchedaOpera sampleRecord(int n);

// Writes an archive of `records` varied work records at `path`.
void writeCatalog(const QString& path, int records);

// Runs the benchmarks named on the command line, inside the caller's
// application object.
int runBenchmarks(int argc, char** argv);

// The most memory the process has held so far, in megabytes.
double peakMegabytes();

// A picture with detail for a JPEG to hold: a gradient with `squares`
// coloured squares of `square` pixels, kept `margin` pixels from the right
// and bottom edges.
QImage samplePicture(int width, int height, int squares, int square, int margin);

// Writes a 6000 x 4000 (24-megapixel) JPEG at `path`, creating its folder.
void writeLargePhoto(const QString& path);

// Writes `lines` at `path` in the code page, one a line, for the reference
// tools to print.
void writeLineFile(const QString& path, const QStringList& lines);

// Runs a shell command line; its exit code, or -1 when it did not run to
// its end.
int runShell(const QString& command);

// The reference for printing: each iteration runs `enscript <options>` on
// the lines at `linesFile`, piped through `ps2pdf` into `pdf`; skipped when
// either tool is missing (`bash scripts/setup.sh --bench` installs them).
void enscriptPs2pdf(benchmark::State& state, const QString& linesFile, const QString& pdf,
                    const QString& enscriptOptions);

} // namespace pinakos::bench
