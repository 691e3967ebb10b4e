#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"
#include "store/ImportJob.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace pinakos {
class HoverHints;
class ImportPreviewModel;
} // namespace pinakos

// The import window: a spreadsheet file chosen and shown, the column that
// fills each field of the sheet, an optional folder of photos, and the
// import itself, done by core/store/ImportJob.
class TfrmImporta : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmImporta(QWidget* parent = nullptr);
    ~TfrmImporta() override;

    // The catalog the records go to; with `create`, a new catalog whose
    // archive the import makes (and nothing is made when it fails).
    void setTarget(const QString& archivePath, const QString& catalogName, bool create);
    // Reads the file and shows it, as choosing it with cmdFile does.
    void loadFile(const QString& path);
    // After a successful import: the first new record's number and how many there are.
    int importedFirst() const { return m_importedFirst; }
    int importedCount() const { return m_importedCount; }

    pinakos::Shape* shpSfondo = nullptr;
    QLabel* lblTitolo = nullptr;
    QLabel* lblCatalogo = nullptr;
    pinakos::Picture* imgGuida = nullptr;
    QLabel* lblFile = nullptr;
    QPushButton* cmdFile = nullptr;
    QTableView* grdAnteprima = nullptr;
    QCheckBox* chkIntestazione = nullptr;
    // One per import target, in the export's order, then cboFoto.
    std::array<QComboBox*, pinakos::kImportTargets> cboCampi{};
    QComboBox* cboFoto = nullptr;
    QLineEdit* txtCartellaFoto = nullptr;
    QPushButton* cmdCartellaFoto = nullptr;
    QPushButton* cmdImporta = nullptr;
    QPushButton* btnChiudi = nullptr;
    pinakos::Shape* shpInfo = nullptr;
    QLabel* panInfo = nullptr;

    // The object name of the combo filling target t: "cbo" and the record field's name.
    static QString comboName(int target);

public Q_SLOTS:
    void cmdFileClick();
    void chkIntestazioneClick();
    void cmdCartellaFotoClick();
    void cmdImportaClick();
    void btnChiudiClick();
    void imgGuidaClick();

private:
    void fillCombos(const pinakos::ImportMapping& mapping);
    pinakos::ImportMapping chosenMapping() const;

    QString m_archivePath;
    QString m_catalogName;
    bool m_create = false;
    pinakos::ImportSource m_source;
    const pinakos::CsvTable& m_table = m_source.table;
    pinakos::ImportPreviewModel* m_preview = nullptr;
    pinakos::HoverHints* m_hints = nullptr;
    int m_importedFirst = 0;
    int m_importedCount = 0;
};
