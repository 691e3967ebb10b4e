#include "kit/Navigation.h"

namespace pinakos {

namespace {

class NoNavigation final : public Navigation
{
public:
    void show(Screen, QWidget*) override {}
    Sheet* sheet() override { return nullptr; }
    void endProgram() override {}
};

Navigation* installed = nullptr;

} // namespace

Navigation& navigation()
{
    static NoNavigation none;
    return installed ? *installed : none;
}

void setNavigation(Navigation* n) { installed = n; }

} // namespace pinakos
