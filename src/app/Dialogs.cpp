#include "app/Dialogs.h"

#include "shell/OpenURL.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>

#include <algorithm>
#include <memory>

namespace pinakos {

namespace {

// File types are written "Name (*.a; *.b)"; the file dialog wants the
// patterns separated by blanks only.
QStringList dialogFilters(const QStringList& filters)
{
    QStringList out;
    for (QString f : filters)
        out << f.replace(QLatin1String("; "), QLatin1String(" ")).replace(u';', u' ');
    return out;
}

class QtDialogs final : public Dialogs
{
public:
    void notify(QWidget* parent, Kind kind, const QString& text) override
    {
        const QString title = QStringLiteral("Pinakos");
        const auto buttons = kind == Kind::Message ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (kind) {
        case Kind::Message:
            break;
        case Kind::Information:
            icon = QMessageBox::Information;
            break;
        case Kind::Warning:
            icon = QMessageBox::Warning;
            break;
        case Kind::Error:
            icon = QMessageBox::Critical;
            break;
        }
        QMessageBox box(icon, title, text, buttons, parent);
        box.exec();
    }

    bool confirm(QWidget* parent, const QString& text) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Pinakos"), text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    QString openFile(QWidget* parent, const FileDialogSpec& request) override
    {
        QFileDialog dlg(parent, request.title);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setNameFilters(dialogFilters(request.filters));
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().first()
                                                                                 : QString();
    }

    QString saveFile(QWidget* parent, const FileDialogSpec& request) override
    {
        QFileDialog dlg(parent, request.title);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setNameFilters(dialogFilters(request.filters));
        dlg.setDefaultSuffix(request.defaultSuffix);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        dlg.setOption(QFileDialog::ReadOnly, false);
        dlg.setSizeGripEnabled(true);
        if (!request.proposedName.isEmpty())
            dlg.selectFile(request.proposedName);
        return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().first()
                                                                                 : QString();
    }

    bool print(QWidget* parent, QPrinter& printer) override
    {
        QPrintDialog dlg(&printer, parent);
        return dlg.exec() == QDialog::Accepted;
    }

    std::unique_ptr<Progress> progress(QWidget* parent, const QString& text, int total) override
    {
        class QtProgress final : public Progress
        {
        public:
            QtProgress(QWidget* parent, const QString& text, int total)
                : m_dialog(text, QStringLiteral("Annulla"), 0, std::max(total, 1), parent)
            {
                m_dialog.setWindowTitle(QStringLiteral("Pinakos"));
                m_dialog.setWindowModality(Qt::WindowModal);
                m_dialog.setAutoClose(false);
                m_dialog.setAutoReset(false);
                m_dialog.setMinimumDuration(500);
                m_dialog.setValue(0);
            }
            bool step(int done) override
            {
                m_dialog.setValue(std::min(done, m_dialog.maximum()));
                return !m_dialog.wasCanceled();
            }

        private:
            QProgressDialog m_dialog;
        };
        return std::make_unique<QtProgress>(parent, text, total);
    }

    void shellOpen(const QString& command) override
    {
        const QUrl url = urlForShellCommand(command);
        if (url.isValid())
            QDesktopServices::openUrl(url); // the outcome is not reported
    }
};

Dialogs* installed = nullptr;

} // namespace

std::unique_ptr<Dialogs::Progress> Dialogs::progress(QWidget*, const QString&, int)
{
    class Silent final : public Progress
    {
    public:
        bool step(int) override { return true; }
    };
    return std::make_unique<Silent>();
}

Dialogs& dialogs()
{
    static QtDialogs qt;
    return installed ? *installed : qt;
}

void setDialogs(Dialogs* d) { installed = d; }

} // namespace pinakos
