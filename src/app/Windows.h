#pragma once
// The persistent windows: one instance each, created at start-up in a fixed
// order and kept until the program ends.

#include "kit/Navigation.h"

class QWidget;
class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmCreaCatalogo;
class TfrmApriCatalogo;
class TfrmOpere;

namespace pinakos {

struct Windows
{
    TfrmPassword* frmPassword = nullptr; // login, the main window
    TfrmAvvio* frmAvvio = nullptr; // start window
    TfrmCambiaPassword* frmCambiaPassword = nullptr;
    TfrmCreaCatalogo* frmCreaCatalogo = nullptr;
    TfrmApriCatalogo* frmApriCatalogo = nullptr;
    TfrmOpere* frmOpere = nullptr; // sheet window
};

Windows& windows();

// Creates the six persistent windows in their order, all hidden, and installs
// the navigation between them.
void createPersistentWindows();
void destroyPersistentWindows();

// Start-up: fixes the formats, creates the persistent windows and shows the
// login window.
void startProgram();

// The window of a screen; null before the windows exist.
QWidget* windowOf(Screen s);

// Goes from one persistent window to another: shows `to` first, then hides
// `from` (which may be null).
void moveTo(QWidget* from, QWidget* to);

// Asks the event loop to end once the current handler returns.
void endProgram();
// How many times the program was asked to end (tests read it).
int endProgramRequests();

} // namespace pinakos
