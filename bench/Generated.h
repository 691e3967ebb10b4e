#pragma once
// Catalogs and photos generated for the benchmarks.
#include "store/SchedaOpera.h"

#include <QString>

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

// Writes a 6000 x 4000 (24-megapixel) JPEG at `path`, creating its folder.
void writeLargePhoto(const QString& path);

} // namespace pinakos::bench
