// The list of a backup copy (copia.txt) and the note beside an archive in
// the bin, both read from folders anyone can edit. Any bytes: reading never
// crashes; every file the list names lies inside the copy (no absolute
// path, no "..", no drive letter or backslash), so that a restore can never
// write outside the program folder; a copy whose list names a file that is
// not there, or is not as listed, fails its check and restores nothing.
// The bin lists the archive with a name and a time whatever its note says.
#include "FuzzCheck.h"
#include "backup/Backup.h"
#include "backup/Bin.h"
#include "base/Failure.h"

#include <QDir>
#include <QFile>

using namespace pinakos;

namespace {

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        pinakos::fuzz::fail("cannot write a file", __FILE__, __LINE__);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pinakos::fuzz::startApplication();
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString root = pinakos::fuzz::scratchFolder();
    const QString backups = root + QStringLiteral("copie/");
    const QString copy = backups + QStringLiteral("Pinakos-copia-2026-01-01-000000");
    const QString program = root + QStringLiteral("programma/");
    QDir(backups).removeRecursively();
    QDir(program).removeRecursively();
    QDir().mkpath(copy);
    QDir().mkpath(program);

    // Two lists: the input as it stands, and behind the header a copy
    // would write.
    const QByteArray withHeader = QByteArray("Copia di sicurezza di Pinakos\r\n") + input;
    for (const QByteArray& list : {input, withHeader}) {
        put(copy + QStringLiteral("/copia.txt"), list);
        QList<backup::Entry> entries;
        try {
            entries = backup::readManifest(copy);
        } catch (const Failure&) {
            FUZZ_CHECK(!list.startsWith("Copia di sicurezza di Pinakos"));
            continue;
        }
        for (const backup::Entry& e : entries) {
            FUZZ_CHECK_MSG(!e.path.isEmpty() && !e.path.startsWith(u'/'), e.path);
            FUZZ_CHECK_MSG(!e.path.contains(u'\\') && !e.path.contains(u':'), e.path);
            FUZZ_CHECK_MSG(!e.path.split(u'/').contains(QStringLiteral("..")), e.path);
            FUZZ_CHECK(e.size >= 0 && e.sha256.size() == 64);
        }
        const QList<backup::Copy> copies = backup::listCopies(backups);
        FUZZ_CHECK(copies.size() == 1);
        backup::copyLine(copies.first());
        // None of the listed files is there: the check fails when the list
        // names any, and a restore leaves the program folder empty.
        bool checked = true;
        try {
            backup::checkCopy(copy);
        } catch (const Failure&) {
            checked = false;
        }
        FUZZ_CHECK(checked == entries.isEmpty());
        if (!entries.isEmpty()) {
            try {
                backup::restoreCopy(copy, program, backups, QDateTime(QDate(2026, 1, 2), QTime(0, 0)));
                pinakos::fuzz::fail("restored a copy that failed its check", __FILE__, __LINE__);
            } catch (const Failure&) {
            }
            FUZZ_CHECK(QDir(program).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        }
    }

    // The note beside an archive in the bin.
    const QString bin = bin::binFolder(program);
    QDir().mkpath(bin);
    put(bin + QStringLiteral("/Uno.art"), "archivio");
    put(bin + QStringLiteral("/Uno.art.eliminato"), input.left(4096));
    const QList<bin::Entry> entries = bin::listBin(program);
    FUZZ_CHECK(entries.size() == 1);
    FUZZ_CHECK(!entries.first().name.isEmpty() && entries.first().deleted.isValid());
    bin::binLine(entries.first());
    return 0;
}
