#pragma once
#include <QString>
#include <QStringList>

namespace pinakos {

// A help topic: the title line and its paragraphs. The body shown is the
// paragraphs joined by CR LF CR LF.
struct HelpTopic
{
    QString title;
    QStringList paragraphs;
    QString body() const { return paragraphs.join(QStringLiteral("\r\n\r\n")); }
};

HelpTopic startTopic(); // "Uno sguardo a Pinakos."
HelpTopic sheetTopic(); // "App Pinakos."
HelpTopic exportTopic(); // "Esportazione inventario opere d'arte in Microsoft Excel."
HelpTopic documentsTopic(); // "Documenti dell'opera e del catalogo."
HelpTopic backupTopic(); // "Copie di sicurezza dei cataloghi."
HelpTopic importTopic(); // "Importazione di schede da un foglio di calcolo."

} // namespace pinakos
