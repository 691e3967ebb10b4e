#pragma once
#include "kit/GradientForm.h"
#include "sheet/Photo.h"

namespace pinakos {
class PhotoView;
}

// The sheet's picture enlarged to the screen; a click on it closes the window.
class TfrmZoom : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget* parent = nullptr);

    void setPhoto(const pinakos::SheetPhoto& photo);

    pinakos::PhotoView* imgFoto = nullptr;

public Q_SLOTS:
    void imgFotoClick();
    void panContainerClick();

protected:
    void showEvent(QShowEvent* e) override; // FormShow
    bool eventFilter(QObject* o, QEvent* e) override;
};
