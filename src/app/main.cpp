#include "app/Windows.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Everything is drawn in software, never by the graphics hardware; the
    // switch must be set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pinakos"));
    // The desktop entry that starts it, for the desktop's menu and task bar.
    QApplication::setDesktopFileName(QStringLiteral("pinakos"));
    // The program ends only when asked to (the start window or the login's exit).
    QApplication::setQuitOnLastWindowClosed(false);

    pinakos::startProgram();
    const int rc = app.exec();
    pinakos::destroyPersistentWindows();
    return rc;
}
