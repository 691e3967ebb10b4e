#pragma once
#include "kit/Dialogs.h"

namespace pinakos::bench {

// Answers every dialog at once, so that commands run without a person: yes to
// the first `yes` questions and no to the rest, `file` for an open dialog (none by default), a cancelled
// save or print dialog, `folder` for a folder.
class SilentDialogs final : public Dialogs
{
public:
    QString folder;
    QString file;
    int yes = 0;
    void notify(QWidget*, Kind, const QString&) override {}
    bool confirm(QWidget*, const QString&) override
    {
        if (yes <= 0)
            return false;
        --yes;
        return true;
    }
    QString openFile(QWidget*, const FileDialogRequest&) override { return file; }
    QString saveFile(QWidget*, const FileDialogRequest&) override { return {}; }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return folder; }
    bool print(QWidget*, QPrinter&) override { return false; }
    void shellOpen(const QString&) override {}
};

} // namespace pinakos::bench
