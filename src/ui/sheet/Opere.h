#pragma once
#include "kit/FieldKeys.h"
#include "kit/GradientForm.h"
#include "kit/HoverHints.h"
#include "kit/Picture.h"
#include "kit/Sheet.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace pinakos {
class Archive;
class PhotoView;
} // namespace pinakos

// The sheet window: one work record of the open catalog at a time, and the
// toolbar from which every operation on the catalog starts.
class TfrmOpere : public pinakos::GradientForm<QWidget>, public pinakos::Sheet
{
    Q_OBJECT
public:
    explicit TfrmOpere(QWidget* parent = nullptr);

    // What the other windows may ask of the sheet.
    void openCatalog(const QString& path, const QString& name) override;
    QString catalogPath() const override;
    QString catalogName() const override;
    void showRecord(int n, const pinakos::TSchedaOpera& record) override;
    pinakos::TSchedaOpera shownRecord() const override;
    QString shownText(pinakos::Campo field) const override;
    int shownNumber() const override;
    pinakos::SheetPhoto shownPhoto() const override;
    pinakos::Attachments attachments() const override;
    void setAttachments(const pinakos::Attachments& a) override;

    // The photo of the shown record by the photo rule, or the default picture.
    void loadPhoto();

    // The shown state mirrored where the program is driven and checked from
    // outside; the window itself keeps it in m_shown, and other windows go
    // through the interface above.
    QLabel* lblFile = nullptr; // full path of the open archive
    QLabel* lblNome = nullptr; // catalog name
    QLabel* lblPosizione = nullptr; // 1-based number of the record shown, empty for a new sheet

    // The fifteen fields, in tab order.
    QLineEdit* txtCapo = nullptr;
    QLineEdit* txtDescrizione = nullptr;
    QLineEdit* txtColore = nullptr;
    QLineEdit* txtTessuto = nullptr;
    QLineEdit* txtMisure = nullptr;
    QLineEdit* txtPeso = nullptr;
    QLineEdit* txtUsura = nullptr;
    QLineEdit* txtDifetti = nullptr;
    QLineEdit* txtServizio = nullptr;
    QLineEdit* txtSpecifiche = nullptr;
    QLineEdit* txtCliente = nullptr;
    QLineEdit* txtCodFisc = nullptr;
    QLineEdit* txtRecapito = nullptr;
    QLineEdit* txtNote = nullptr;
    QLineEdit* txtPrezzo = nullptr;
    QCheckBox* chkSegnala = nullptr;

    // The attachments of the sheet: file names and descriptions.
    QLabel* lblFile01 = nullptr;
    QLabel* lblFile02 = nullptr;
    QLabel* lblFile03 = nullptr;
    QLabel* lblDesc01 = nullptr;
    QLabel* lblDesc02 = nullptr;
    QLabel* lblDesc03 = nullptr;

    pinakos::PhotoView* imgFoto = nullptr; // the sheet's photo
    pinakos::Picture* imgBianco = nullptr; // the default picture, hidden
    QLabel* panInfo = nullptr; // the information line
    QPushButton* btnFocus = nullptr; // hidden focus sink used by the save

    pinakos::Picture* cmdNuovo = nullptr;
    pinakos::Picture* cmdDuplica = nullptr;
    pinakos::Picture* cmdSalva = nullptr;
    pinakos::Picture* cmdTrova = nullptr;
    pinakos::Picture* cmdFile = nullptr;
    pinakos::Picture* cmdStampa = nullptr;
    pinakos::Picture* cmdPrimo = nullptr;
    pinakos::Picture* cmdIndietro = nullptr;
    pinakos::Picture* cmdAvanti = nullptr;
    pinakos::Picture* cmdUltimo = nullptr;
    pinakos::Picture* cmdSlideShow = nullptr;
    pinakos::Picture* cmdEsporta = nullptr;
    pinakos::Picture* cmdSegnalati = nullptr;
    pinakos::Picture* cmdGuida = nullptr;
    pinakos::Picture* cmdEsci = nullptr;
    pinakos::Picture* btnCaricaFoto = nullptr;
    pinakos::Picture* btnSalvaFoto = nullptr;
    pinakos::Picture* btnCancFoto = nullptr;
    pinakos::Picture* btnZoomFoto = nullptr;
    pinakos::Picture* btnCodFisc = nullptr;

public Q_SLOTS:
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdEsciClick();
    void cmdGuidaClick();
    void cmdTrovaClick();
    void cmdSegnalatiClick();
    void cmdStampaClick();
    // Ctrl+Shift+P: the documents of the work shown and of its catalog.
    void keyDocumenti();
    void keyImporta();
    void cmdEsportaClick();
    void cmdSlideShowClick();
    void cmdFileClick();
    void btnCodFiscClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();
    void btnFocusClick();
    void txtCodFiscTyping(const QString& text);
    void txtPrezzoExit();

protected:
    void showEvent(QShowEvent* e) override; // FormShow
    void closeEvent(QCloseEvent* e) override; // FormClose
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // An image button of the panel whose click runs `click`.
    pinakos::Picture* addButton(const char* name, const char* picture, const QRect& place, void (TfrmOpere::*click)());
    void buildFrame();
    void buildToolbar();
    void buildPhotoArea();
    void buildFields();
    void buildHints();
    void buildKeys();
    void newSheet();
    // Shows m_shown in the hidden labels and the six attachment labels.
    void mirrorShown();
    // Runs one of the four moves through the archive.
    void go(pinakos::Move move);
    QList<QLineEdit*> fields() const;
    // The box of one of the fifteen fields; null for any other.
    QLineEdit* boxOf(pinakos::Campo field) const;
    QList<QLabel*> attachmentLabels() const;
    // Runs a record command on the open archive; any failure ends it with
    // the archive-failure message. True when it ran to its end.
    bool withArchive(const std::function<void(pinakos::Archive&)>& command);
    // When the archive holds no record: closes it, says so and gives true.
    bool reportEmpty(pinakos::Archive& a);
    // Reads record n, closes the archive and shows the record.
    void readAndShow(pinakos::Archive& a, int n);

    pinakos::ShownSheet m_shown; // the one source of what the sheet shows besides its boxes
    pinakos::FieldKeys* m_keys = nullptr;
    pinakos::HoverHints* m_hints = nullptr;
};
