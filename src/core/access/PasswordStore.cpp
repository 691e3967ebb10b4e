#include "access/PasswordStore.h"

#include "access/Crypt.h"
#include "access/IniFile.h"
#include "base/Failure.h"
#include "base/ProgramFolder.h"
#include "base/Text.h"

namespace pinakos {

namespace {
const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");
} // namespace

QString passwordFile() { return programFolder() + QStringLiteral("unins000.dll"); }

QString normalPassword(const QString& typed) { return trimmed(upperAZ(typed)); }

bool isStorablePassword(const QString& typed)
{
    const QString p = normalPassword(typed);
    if (p.isEmpty() || p.size() > 255)
        return false;
    for (QChar c : p)
        if (c.unicode() == 0 || c.unicode() > 0xFF)
            return false;
    return true;
}

QString readStoredPassword() { return trimmed(UnscrambleText(readIniValue(passwordFile(), kSection, kKey))); }

bool passwordAccepted(const QString& typed)
{
    const QString p = normalPassword(typed);
    return !p.isEmpty() && p == readStoredPassword();
}

void storePassword(const QString& typed)
{
    if (!isStorablePassword(typed))
        throw Failure(QStringLiteral("La password non può essere memorizzata."));
    writeIniValue(passwordFile(), kSection, kKey, ScrambleText(normalPassword(typed)));
}

} // namespace pinakos
