#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"
#include "output/Workbook.h"

#include <functional>

class QTableView;

namespace pinakos {
class CatalogModel;
class HoverHints;
class Sheet;
} // namespace pinakos

// The export window: the whole catalog in a grid, and the export of that
// grid to the spreadsheet file in the program folder.
class TfrmExpOpere : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmExpOpere(QWidget* parent = nullptr);

    // The sheet window it was opened from.
    void setSheet(pinakos::Sheet* sheet) { m_sheet = sheet; }

    // The grid's table: the records and the edits typed into the grid.
    pinakos::CatalogModel* model() const { return m_model; }
    // The spreadsheet file's full path.
    static QString exportPath();
    // The workbook file's full path.
    static QString exportPath(pinakos::WorkbookFormat format);

    pinakos::Shape* shpSfondo = nullptr;
    pinakos::Picture* imgLogo = nullptr;
    pinakos::Picture* icoHand = nullptr;
    pinakos::Picture* cmdEsporta = nullptr;
    pinakos::Picture* cmdEsportaOds = nullptr;
    pinakos::Picture* cmdEsportaXlsx = nullptr;
    pinakos::Picture* cmdGuida = nullptr;
    pinakos::Picture* cmdEsci = nullptr;
    QTableView* grdRecords = nullptr;
    pinakos::Shape* shpInfo = nullptr;
    QLabel* panInfo = nullptr;

public Q_SLOTS:
    void FormShow();
    void cmdEsportaClick();
    void cmdEsportaOdsClick();
    void cmdEsportaXlsxClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildGrid();
    // Asks, writes the file at path with write (which hears the rows
    // written and gives false when cancelled), then offers to open it.
    void exportGrid(const QString& path,
                    const std::function<bool(const std::function<bool(int rows)>& progress)>& write);
    // The export of the two workbook buttons, in their format.
    void exportWorkbook(pinakos::WorkbookFormat format);

    pinakos::Sheet* m_sheet = nullptr;
    pinakos::CatalogModel* m_model = nullptr;
    pinakos::HoverHints* m_hints = nullptr;
    bool m_filled = false;
};
