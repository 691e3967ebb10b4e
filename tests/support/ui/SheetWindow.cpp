#include "SheetWindow.h"

#include "Catalogs.h"

#include "app/Windows.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"

#include <QTest>

namespace pinakos::test {

bool showSheetOn(const QString& path, const QString& name)
{
    TfrmOpere* sheet = windows().frmOpere;
    sheet->openCatalog(path, name);
    moveTo(windows().frmAvvio, sheet);
    return QTest::qWaitForWindowActive(sheet);
}

bool showSheetOn(const QString& name) { return showSheetOn(catalogFile(name), name); }

bool leaveSheet()
{
    TfrmOpere* sheet = windows().frmOpere;
    if (!sheet->isVisible())
        return true;
    moveTo(sheet, windows().frmAvvio);
    return QTest::qWaitForWindowActive(windows().frmAvvio);
}

void fillRequiredFields()
{
    windows().frmOpere->txtCapo->setText(QStringLiteral("Veduta"));
    windows().frmOpere->txtColore->setText(QStringLiteral("Canaletto"));
}

} // namespace pinakos::test
