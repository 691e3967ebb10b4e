#include "base/Format.h"

#include <QLocale>

namespace pinakos {

void applyFormatSettings()
{
    QLocale it(QLocale::Italian, QLocale::Italy);
    it.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(it);
}

QString formatDate(const QDate& d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

} // namespace pinakos
