// Lays out the first password file (password PINAKOS) in the folder given as
// the argument. A password file already there is left alone, so that a
// password the user changed survives every rebuild.

#include "access/PasswordStore.h"
#include "base/Failure.h"
#include "base/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_password <program folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "make_password: cannot create %s\n", argv[1]);
        return 1;
    }
    pinakos::setProgramFolder(folder);
    const QString file = pinakos::passwordFile();
    if (QFileInfo::exists(file))
        return 0;
    try {
        pinakos::storePassword(QStringLiteral("PINAKOS"));
    } catch (const pinakos::Failure& e) {
        std::fprintf(stderr, "make_password: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("make_password: wrote %s\n", qPrintable(QDir::toNativeSeparators(file)));
    return 0;
}
