#pragma once
#include <QPointer>

class QWidget;

namespace pinakos {

// Uses an on-demand window: created owned by `owner`, filled in by `fill`,
// shown modally; once it has closed, `after` reads what it leaves (unless the
// window went with its owner), and it is destroyed.
template <class Form, class Fill, class After>
void runOnDemand(QWidget* owner, Fill&& fill, After&& after)
{
    QPointer<Form> frm = new Form(owner);
    fill(*frm);
    frm->exec();
    if (frm)
        after(*frm);
    delete frm.data();
}
template <class Form, class Fill>
void runOnDemand(QWidget* owner, Fill&& fill)
{
    runOnDemand<Form>(owner, fill, [](Form&) {});
}
template <class Form>
void runOnDemand(QWidget* owner)
{
    runOnDemand<Form>(owner, [](Form&) {});
}

} // namespace pinakos
