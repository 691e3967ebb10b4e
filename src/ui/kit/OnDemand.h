#pragma once
#include <QPointer>

class QWidget;

namespace pinakos {

// Uses an on-demand window: created owned by `owner`, filled in by `fill`,
// shown modally and destroyed once it has closed.
template <class Form, class Fill>
void runOnDemand(QWidget* owner, Fill&& fill)
{
    QPointer<Form> frm = new Form(owner);
    fill(*frm);
    frm->exec();
    delete frm.data();
}
template <class Form>
void runOnDemand(QWidget* owner)
{
    runOnDemand<Form>(owner, [](Form&) {});
}

} // namespace pinakos
