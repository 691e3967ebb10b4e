#include "access/Password.h"
#include "app/Format.h"
#include "app/Windows.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    // Plain software drawing: Qt Widgets needs no graphics acceleration.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pinakos"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/icona.svg")));
    // The program ends only when asked to (the start window or the login's exit).
    QApplication::setQuitOnLastWindowClosed(false);
    pinakos::applyFormatSettings();

    pinakos::createPersistentWindows();
    pinakos::moveTo(nullptr, pinakos::windows().frmPassword);
    const int rc = app.exec();
    pinakos::destroyPersistentWindows();
    return rc;
}
