#include "app/Windows.h"

#include "base/Format.h"
#include "kit/Dialogs.h"
#include "kit/Layout.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "store/ApriCatalogo.h"
#include "store/CreaCatalogo.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

namespace pinakos {

static int s_endRequests = 0;

namespace {

// The navigation of the program: screens are the persistent windows.
class WindowNavigation final : public Navigation
{
public:
    void show(Screen to, QWidget* from) override { moveTo(from, windowOf(to)); }
    Sheet* sheet() override { return windows().frmOpere; }
    void endProgram() override { pinakos::endProgram(); }
};

WindowNavigation s_navigation;

} // namespace

Windows& windows()
{
    static Windows w;
    return w;
}

void createPersistentWindows()
{
    Windows& w = windows();
    w.frmPassword = new TfrmPassword;
    w.frmAvvio = new TfrmAvvio;
    w.frmCambiaPassword = new TfrmCambiaPassword;
    w.frmCreaCatalogo = new TfrmCreaCatalogo;
    w.frmApriCatalogo = new TfrmApriCatalogo;
    w.frmOpere = new TfrmOpere;
    setNavigation(&s_navigation);
}

void destroyPersistentWindows()
{
    setNavigation(nullptr);
    Windows& w = windows();
    // Reverse order of creation.
    delete w.frmOpere;
    delete w.frmApriCatalogo;
    delete w.frmCreaCatalogo;
    delete w.frmCambiaPassword;
    delete w.frmAvvio;
    delete w.frmPassword;
    w = Windows{};
}

void startProgram()
{
    applyFormatSettings();
    // Qt's own dialogs speak Italian when their translation is at hand, and
    // English without a word otherwise.
    loadDialogTranslations();
    // Every window carries the program's icon.
    QApplication::setWindowIcon(QIcon(art("pinakos")));
    createPersistentWindows();
    moveTo(nullptr, windows().frmPassword);
}

QWidget* windowOf(Screen s)
{
    const Windows& w = windows();
    switch (s) {
    case Screen::Password:
        return w.frmPassword;
    case Screen::Avvio:
        return w.frmAvvio;
    case Screen::CambiaPassword:
        return w.frmCambiaPassword;
    case Screen::CreaCatalogo:
        return w.frmCreaCatalogo;
    case Screen::ApriCatalogo:
        return w.frmApriCatalogo;
    case Screen::Opere:
        return w.frmOpere;
    }
    return nullptr;
}

void moveTo(QWidget* from, QWidget* to)
{
    if (to) {
        if (to->property("showMaximised").toBool())
            to->showMaximized();
        else
            to->show();
        to->activateWindow();
    }
    if (from && from != to)
        from->hide();
}

void endProgram()
{
    ++s_endRequests;
    // Quit once the running handler has returned.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
}

int endProgramRequests() { return s_endRequests; }

} // namespace pinakos
