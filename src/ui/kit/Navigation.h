#pragma once
// How the persistent windows reach each other: by name, through the one
// navigation the program installs at start-up, never through each other's
// classes. Tests install a recording one.

class QWidget;

namespace pinakos {

class Sheet;

// The persistent windows: one each, from start-up to the end of the program.
enum class Screen { Password, Avvio, CambiaPassword, CreaCatalogo, ApriCatalogo, Opere };

class Navigation
{
public:
    virtual ~Navigation() = default;

    // Shows the window `to` first, then hides `from` (null: nothing is hidden).
    virtual void show(Screen to, QWidget* from) = 0;
    // The sheet window, which the opening window hands a catalog; null while
    // there is none.
    virtual Sheet* sheet() = 0;
    // Asks the program to end once the running handler has returned.
    virtual void endProgram() = 0;
};

// The installed navigation; while none is, one that does nothing.
Navigation& navigation();
// Installs n (null: back to the one that does nothing). The caller keeps it.
void setNavigation(Navigation* n);

} // namespace pinakos
