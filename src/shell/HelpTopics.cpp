#include "shell/HelpTopics.h"

namespace pinakos {

HelpTopic sheetTopic() { return {QStringLiteral("App Pinakos."), {}}; }
HelpTopic startTopic() { return {QStringLiteral("Uno sguardo a Pinakos."), {}}; }
HelpTopic exportTopic() { return {QStringLiteral("Esportazione inventario opere d'arte in Microsoft Excel."), {}}; }

} // namespace pinakos
