#pragma once
// What every fuzz target shares: a property check that stops the run with a
// message (libFuzzer keeps the input that broke it), the application object
// that image plug-ins need, and a private program folder.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace pinakos::fuzz {

// Blanks and control characters cut from both ends, written out apart from
// the program's own trimming so that the two can be compared.
inline QString referenceTrimmed(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

[[noreturn]] inline void fail(const char* what, const char* file, int line, const QString& detail = QString())
{
    std::fprintf(stderr, "\nPROPERTY BROKEN at %s:%d: %s\n%s\n", file, line, what, qPrintable(detail));
    std::abort();
}

// The application object, made once (image plug-ins are found through it).
inline void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// A temporary folder for the whole run, on memory when the machine has one.
inline const QString& scratchFolder()
{
    static const QString shm = QStringLiteral("/dev/shm");
    static QTemporaryDir dir(QFileInfo(shm).isDir() && QFileInfo(shm).isWritable()
                                 ? shm + QStringLiteral("/pinakos-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/pinakos-fuzz-XXXXXX"));
    if (!dir.isValid())
        fail("no temporary folder", __FILE__, __LINE__);
    static const QString path = dir.path() + u'/';
    return path;
}

} // namespace pinakos::fuzz

#define FUZZ_CHECK(cond) ((cond) ? void(0) : ::pinakos::fuzz::fail(#cond, __FILE__, __LINE__))
#define FUZZ_CHECK_MSG(cond, detail) ((cond) ? void(0) : ::pinakos::fuzz::fail(#cond, __FILE__, __LINE__, (detail)))
