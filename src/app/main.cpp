#include "app/Windows.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    // Qt Widgets draws in software: no graphics acceleration is needed.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pinakos"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/icona.svg")));
    // The program ends only when asked to (the start window or the login's exit).
    QApplication::setQuitOnLastWindowClosed(false);

    pinakos::startProgram();
    const int rc = app.exec();
    pinakos::destroyPersistentWindows();
    return rc;
}
