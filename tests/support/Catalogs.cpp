#include "Catalogs.h"

#include "app/ProgramFolder.h"

#include <QFile>

namespace pinakos::test {

TSchedaOpera makeRecord(const QString& title, const QString& artist, const QString& price, bool sold)
{
    TSchedaOpera r;
    r.setText(Campo::Capo, title);
    r.setText(Campo::Colore, artist);
    r.setText(Campo::Prezzo, price);
    r.setVenduta(sold);
    return r;
}

QString makeCatalog(const QString& name, const QList<TSchedaOpera>& records)
{
    const QString path = programFolder() + name + QStringLiteral(".art");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning("cannot write the catalog %s", qPrintable(path));
        return path;
    }
    for (const TSchedaOpera& r : records)
        f.write(r.data(), TSchedaOpera::Size);
    return path;
}

} // namespace pinakos::test
