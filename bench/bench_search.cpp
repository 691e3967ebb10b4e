// Search and the unsold works list on a generated 100,000-record catalog
// (292.5 MB, in the page cache), beside `cat` and `grep -c -i` on the same
// file: the whole-archive pass with ten filters and with none, the unsold
// list, find in list over 100,000 lines, the windows from the click to the
// list drawn on screen, and the memory that 100,000 lines take.
#include "FakeSheet.h"
#include "Generated.h"
#include "SilentDialogs.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "kit/Sheet.h"
#include "search/Opere_Disponibili.h"
#include "search/Search.h"
#include "search/SummaryList.h"
#include "search/SummaryModel.h"
#include "search/TrovaOpere.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <sys/resource.h>

using namespace pinakos;

namespace {

constexpr int kRecords = bench::kLargeCatalog;

// Texts that recur across the catalog, so that short filters find many works.
const char* const kTitles[] = {"Paesaggio con mulino", "Ritratto di dama",    "Natura morta con frutta",
                               "Veduta del porto",     "Madonna col Bambino", "Battaglia navale",
                               "Interno con figure",   "Marina al tramonto"};
const char* const kSubjects[] = {"Figura femminile seduta con ventaglio", "Paesaggio collinare con alberi",
                                 "Scena di mercato con venditori", "Veduta urbana con canale e barche",
                                 "Composizione di frutta e fiori"};
const char* const kArtists[] = {"Rossi Mario",      "Bianchi Luisa",      "Canaletto",
                                "Hayez Francesco",  "Fattori Giovanni",   "Lega Silvestro",
                                "Boldini Giovanni", "Segantini Giovanni", "Rossi Anna"};
const char* const kSupports[] = {"tela", "tavola di pioppo", "carta", "tela applicata su tavola"};
const char* const kOwners[] = {"Collezione privata", "Galleria d'arte moderna", "Museo civico",
                               "Collezione privata Ferri", "Fondazione Cariplo"};
const char* const kPlaces[] = {"Milano, deposito di via Brera", "Roma, sala espositiva", "Firenze, caveau",
                               "Venezia, collezione privata"};

template <size_t N>
const char* pick(const char* const (&list)[N], int n)
{
    return list[size_t(n) % N];
}

// A record with all ten searchable fields filled; half of the works unsold.
TSchedaOpera searchRecord(int n)
{
    TSchedaOpera r = bench::sampleRecord(n);
    r.setText(Campo::Capo, QStringLiteral("%1 n. %2").arg(QLatin1String(pick(kTitles, n))).arg(n));
    r.setText(Campo::Descrizione, QLatin1String(pick(kSubjects, n / 3)));
    r.setText(Campo::Colore, QLatin1String(pick(kArtists, n / 7)));
    r.setText(Campo::Difetti, QStringLiteral("cm %1 x %2, con cornice dorata").arg(40 + n % 60).arg(30 + n % 45));
    r.setText(Campo::Servizio, QLatin1String(pick(kSupports, n / 5)));
    r.setText(Campo::Cliente, QLatin1String(pick(kOwners, n / 11)));
    r.setText(Campo::CodFisc, QStringLiteral("RSSMRA%1A01H501U").arg(n % 100, 2, 10, QLatin1Char('0')));
    r.setText(Campo::Specifiche, QLatin1String(pick(kPlaces, n / 13)));
    r.setText(Campo::Note,
              QStringLiteral("Provenienza: asta del %1; restauro conservativo eseguito nel 2004; "
                             "esposta alla mostra antologica del 2011. Scheda n. %2.")
                  .arg(1950 + n % 60)
                  .arg(n));
    r.setVenduta(n % 2 == 0);
    return r;
}

using pinakos::bench::SilentDialogs;

struct Fixture
{
    QTemporaryDir dir;
    SilentDialogs silent;
    pinakos::test::FakeSheet sheet;
    QString path;

    Fixture()
    {
        setProgramFolder(dir.path());
        setDialogs(&silent);
        path = inProgramFolder(QStringLiteral("Banco.art"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        QByteArray block;
        for (int n = 1; n <= kRecords; ++n) {
            block.append(searchRecord(n).data(), TSchedaOpera::Size);
            if (block.size() >= (1 << 22)) {
                f.write(block);
                block.clear();
            }
        }
        f.write(block);
        f.close();
        sheet.path = path;
        run(QStringLiteral("cat"), {path}, QProcess::nullDevice()); // into the page cache
    }

    // Runs a tool with its output to `output`. grep's output goes to a real
    // file: with /dev/null it stops at the first match.
    static void run(const QString& program, const QStringList& args, const QString& output)
    {
        QProcess p;
        p.setStandardOutputFile(output);
        p.start(program, args);
        if (!p.waitForFinished(-1))
            qFatal("%s did not run", qPrintable(program));
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Ten filters, each a short text found in many works; tens of thousands of
// works have all ten.
std::array<QString, kFilterCount> tenFilters()
{
    return {QStringLiteral("n. "), QStringLiteral("con"),     QStringLiteral("o"),   QStringLiteral("19"),
            QStringLiteral("cm"),  QStringLiteral("ta"),      QStringLiteral("ion"), QStringLiteral("rss"),
            QStringLiteral(", "),  QStringLiteral("restauro")};
}

// --- the reference tools, on the same file

// Processor time (user and system) of the finished child processes, in ms.
double childCpuMs()
{
    struct rusage u
    {};
    getrusage(RUSAGE_CHILDREN, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

// The machine is shared: besides the wall-clock time, each tool's own
// processor time is counted (`tool_cpu_ms`, per run), to set beside the CPU
// column of the benchmarks that run in this process.
void runTool(benchmark::State& state, const QString& program, const QStringList& args, const QString& output)
{
    const double before = childCpuMs();
    for (auto _ : state)
        Fixture::run(program, args, output);
    state.counters["tool_cpu_ms"] = (childCpuMs() - before) / double(state.iterations());
    state.SetBytesProcessed(state.iterations() * qint64(kRecords) * TSchedaOpera::Size);
}

void BM_Cat(benchmark::State& state)
{
    runTool(state, QStringLiteral("cat"), {fixture().path}, QProcess::nullDevice());
}
BENCHMARK(BM_Cat)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GrepCountIgnoringCase(benchmark::State& state)
{
    runTool(state, QStringLiteral("grep"),
            {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("rossi"), fixture().path},
            fixture().dir.filePath(QStringLiteral("grep.txt")));
}
BENCHMARK(BM_GrepCountIgnoringCase)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole-archive pass alone: every record read and looked at, none kept.
void BM_ReadOnly(benchmark::State& state)
{
    const QString& path = fixture().path;
    for (auto _ : state) {
        SummaryList lines;
        collectSummaries(
            path, [](const char* r) { return r[0] == '\x7F'; }, lines);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * qint64(kRecords) * TSchedaOpera::Size);
}
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- the search itself: open, read every record, test, build and sort the lines

void searchWith(benchmark::State& state, const std::array<QString, kFilterCount>& texts)
{
    const QString& path = fixture().path;
    const WorkFilter filter(texts);
    int found = 0;
    for (auto _ : state) {
        SummaryList lines;
        collectSummaries(
            path, [&](const char* r) { return filter.matches(r); }, lines);
        lines.sort();
        found = lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = found;
    state.SetBytesProcessed(state.iterations() * qint64(kRecords) * TSchedaOpera::Size);
}

void BM_SearchTenFilters(benchmark::State& state) { searchWith(state, tenFilters()); }
void BM_TenNoLines(benchmark::State& state)
{
    const WorkFilter filter(tenFilters());
    int found = 0;
    for (auto _ : state) {
        SummaryList lines;
        found = 0;
        collectSummaries(
            fixture().path,
            [&](const char* r) {
                found += filter.matches(r);
                return false;
            },
            lines);
    }
    state.counters["lines"] = found;
}
BENCHMARK(BM_TenNoLines)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_TenNoSort(benchmark::State& state)
{
    const WorkFilter filter(tenFilters());
    for (auto _ : state) {
        SummaryList lines;
        collectSummaries(
            fixture().path, [&](const char* r) { return filter.matches(r); }, lines);
    }
}
BENCHMARK(BM_TenNoSort)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchTenFilters)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SearchNoFilter(benchmark::State& state) { searchWith(state, {}); }
BENCHMARK(BM_SearchNoFilter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Unsold(benchmark::State& state)
{
    const QString& path = fixture().path;
    int found = 0;
    for (auto _ : state) {
        SummaryList lines;
        collectSummaries(path, isUnsold, lines);
        lines.sort();
        found = lines.size();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = found;
}
BENCHMARK(BM_Unsold)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- find in list over 100,000 lines

const SummaryList& allLines()
{
    static const SummaryList lines = [] {
        SummaryList l;
        collectSummaries(
            fixture().path, [](const char*) { return true; }, l);
        l.sort();
        return l;
    }();
    return lines;
}

// A key found nowhere: the whole circle of lines is tested.
void BM_FindNowhere(benchmark::State& state)
{
    const SummaryList& lines = allLines();
    QString last;
    for (auto _ : state) {
        last.clear();
        benchmark::DoNotOptimize(findInList(lines, 0, QStringLiteral("Tiziano Vecellio"), last));
    }
}
BENCHMARK(BM_FindNowhere)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same key again, its next line far down the list.
void BM_FindNextFarDown(benchmark::State& state)
{
    const SummaryList& lines = allLines();
    QString last = QStringLiteral("n. 99999 ");
    for (auto _ : state)
        benchmark::DoNotOptimize(findInList(lines, 0, QStringLiteral("n. 99999 "), last));
}
BENCHMARK(BM_FindNextFarDown)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- the windows, from the user's command to the list drawn on screen

// "Cerca" with no filter: 100,000 sorted lines on screen.
void BM_WindowSearchAll(benchmark::State& state)
{
    Fixture& f = fixture();
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto frm = std::make_unique<TfrmTrovaOpere>();
        frm->setSheet(&f.sheet);
        frm->lblMemory->setText(QStringLiteral("opere"));
        frm->show();
        QApplication::processEvents();
        state.ResumeTiming();

        frm->btnCercaMouseDown();
        frm->btnCercaClick();
        frm->lstRecords->viewport()->repaint();
        QApplication::processEvents();
        shown = frm->lines->rowCount();

        state.PauseTiming();
        frm.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = shown;
}
BENCHMARK(BM_WindowSearchAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// The unsold works window from its opening to its ~50,000 lines on screen.
void BM_WindowUnsold(benchmark::State& state)
{
    Fixture& f = fixture();
    int shown = 0;
    for (auto _ : state) {
        auto frm = std::make_unique<TfrmOpere_Disponibili>();
        frm->setSheet(&f.sheet);
        frm->show();
        frm->lstRecords->viewport()->repaint();
        QApplication::processEvents();
        shown = frm->lines->rowCount();

        state.PauseTiming();
        frm.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = shown;
}
BENCHMARK(BM_WindowUnsold)->Unit(benchmark::kMillisecond)->UseRealTime();

// Resident memory of the process now, in bytes.
qint64 residentBytes()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

// What a search window costs while it holds 100,000 lines, beyond the
// process before it opened: the lines' own bytes and the resident growth.
void BM_MemoryOf100000Lines(benchmark::State& state)
{
    Fixture& f = fixture();
    double held = 0, grown = 0;
    for (auto _ : state) {
        const qint64 before = residentBytes();
        auto frm = std::make_unique<TfrmTrovaOpere>();
        frm->setSheet(&f.sheet);
        frm->show();
        frm->btnCercaMouseDown();
        frm->btnCercaClick();
        frm->lstRecords->viewport()->repaint();
        QApplication::processEvents();
        grown = double(residentBytes() - before) / (1 << 20);
        held = double(frm->lines->list().memoryUsed()) / (1 << 20);
        frm.reset();
    }
    state.counters["lines_MB"] = held;
    state.counters["rss_growth_MB"] = grown;
    state.counters["rss_total_MB"] = double(residentBytes()) / (1 << 20);
}
BENCHMARK(BM_MemoryOf100000Lines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::runBenchmarks(argc, argv);
}
