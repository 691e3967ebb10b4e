#pragma once
// Helpers shared by the tests of the print window and the documents window.
#include "FakeSheet.h"
#include "Gui.h"

#include "app/Windows.h"
#include "base/Clock.h"
#include "base/ProgramFolder.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"

#include <QDateTime>
#include <memory>

namespace pinakos::test {

// The moment the printed pages name: the clock stands there while a test runs.
inline const QDateTime kPrintedAt(QDate(2027, 3, 5), QTime(14, 7, 9));

// Where the print dialog is to write the PDF file `name`.
inline QString pdfPath(const QString& name) { return programFolder() + name + QStringLiteral(".pdf"); }

// What a test of the output windows stands in: a fresh program folder and
// scripted dialogs, a sheet with nothing behind it for the windows to print
// from, and the clock at kPrintedAt. Leaving, it takes the sheet window back
// to the start window when the test showed it, and sets the clock going.
struct PrintBed : TestBed
{
    FakeSheet sheet;

    PrintBed()
    {
        setClock([] { return kPrintedAt; });
    }
    ~PrintBed()
    {
        if (windows().frmOpere->isVisible())
            moveTo(windows().frmOpere, windows().frmAvvio);
        setClock({});
    }
    PrintBed(const PrintBed&) = delete;
    PrintBed& operator=(const PrintBed&) = delete;

    // A window on the fake sheet, shown as its opener shows it.
    template <class Form>
    std::unique_ptr<Form> window()
    {
        auto w = std::make_unique<Form>();
        w->setSheet(&sheet);
        w->show();
        return w;
    }
};

} // namespace pinakos::test
