#pragma once
// What the other windows may ask of the sheet window: which catalog is open,
// the sheet it shows, and its attached documents. They call these instead of
// reaching into the sheet's controls.

#include "sheet/Photo.h"
#include "sheet/SheetRules.h"
#include "store/SchedaOpera.h"

#include <QLabel>
#include <QString>

namespace pinakos {

// The mark a window opened from the sheet finds in its hidden lblMemory:
// only then does it hand anything back to the sheet.
inline const QString kSheetOpenerMark = QStringLiteral("opere");

class Sheet;

// Sets the hidden label `memory` to the opener mark when the window is opened
// from `sheet`, and empties it otherwise.
void markOpener(QLabel* memory, const Sheet* sheet);
// Whether `memory` holds the opener mark (blanks around it do not count).
bool openedFromSheet(const QLabel* memory);

class Sheet
{
public:
    virtual ~Sheet() = default;

    // Makes `path` the open catalog, named `name`, and starts a new sheet.
    virtual void openCatalog(const QString& path, const QString& name) = 0;
    // The full path of the open archive, and the catalog's name, trimmed.
    virtual QString catalogPath() const = 0;
    virtual QString catalogName() const = 0;

    // Shows record n (1-based) just read from the archive: the fields, the
    // sold mark (left as it is when the record holds neither "Sì" nor "No"),
    // the attachments, the number and the photo by the photo rule. The same
    // display the sheet's own navigation uses.
    virtual void showRecord(int n, const TSchedaOpera& record) = 0;
    // The shown sheet as a record, saved or not, ready to be written.
    virtual TSchedaOpera shownRecord() const = 0;
    // The text of the box for `field` as it stands, before any encoding.
    virtual QString shownText(Campo field) const = 0;
    // The 1-based number of the shown record; 0 for a new sheet not yet saved.
    virtual int shownNumber() const = 0;
    // The picture the sheet shows now (the default picture when it has none).
    virtual SheetPhoto shownPhoto() const = 0;

    virtual Attachments attachments() const = 0;
    virtual void setAttachments(const Attachments& a) = 0;
};

} // namespace pinakos
