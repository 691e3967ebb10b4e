#include "base/Log.h"

Q_LOGGING_CATEGORY(lcStore, "pinakos.store", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPhoto, "pinakos.photo", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSearch, "pinakos.search", QtWarningMsg)
Q_LOGGING_CATEGORY(lcOutput, "pinakos.output", QtWarningMsg)
Q_LOGGING_CATEGORY(lcAccess, "pinakos.access", QtWarningMsg)
Q_LOGGING_CATEGORY(lcBackup, "pinakos.backup", QtWarningMsg)
Q_LOGGING_CATEGORY(lcUi, "pinakos.ui", QtWarningMsg)
