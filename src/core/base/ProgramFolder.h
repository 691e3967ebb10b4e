#pragma once
#include <QString>

namespace pinakos {

// The folder of the program's executable, with its trailing separator, in the
// platform's own notation. Every file of the program is named from it.
QString programFolder();

// Points the program at another folder (tests use a temporary one).
// An empty text goes back to the executable's folder.
void setProgramFolder(const QString& folder);

// programFolder() followed by the given name.
QString inProgramFolder(const QString& name);

} // namespace pinakos
