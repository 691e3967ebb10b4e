#pragma once
// Driving the sheet window in tests, as the other windows and the user do.
#include <QString>

namespace pinakos::test {

// What the sheet window says after its record commands.
inline const QString kSheetEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
inline const QString kSheetAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
inline const QString kSheetUpdated =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

// Opens the archive at `path`, named `name`, on the sheet window through its
// interface and moves there from the start window, as the opening window
// does; true once the sheet is the active window.
bool showSheetOn(const QString& path, const QString& name);
// The same for the catalog `name` of the program folder.
bool showSheetOn(const QString& name);

// Leaves the sheet for the start window, as its exit button does, so that the
// next showing is a real activation; true once the start window is active
// (or when the sheet was not shown).
bool leaveSheet();

// Fills the two boxes a save needs besides the value: title and artist.
void fillRequiredFields();

} // namespace pinakos::test
