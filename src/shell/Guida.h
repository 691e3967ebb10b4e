#pragma once
#include "app/Widgets.h"
#include "shell/HelpTopics.h"

class TfrmGuida : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);
};

namespace pinakos {
// Shows a topic in a fresh help window owned by `owner`, modally; the window
// is destroyed when it closes.
void showHelpTopic(QWidget* owner, const HelpTopic& topic);
}
