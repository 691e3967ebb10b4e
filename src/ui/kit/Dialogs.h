#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;
class QPrinter;

namespace pinakos {

// What a file dialog is asked to look like.
struct FileDialogRequest
{
    QString title;
    QStringList filters; // "Immagine JPEG (*.jpg; *.jpeg)", the first one selected
    QString proposedName; // save dialogs: name offered to the user
    QString defaultSuffix; // save dialogs: added to a name typed without extension
    bool confirmOverwrite = true;
};

// Everything that waits for a person or leaves the process goes through here,
// so that tests can script the answers.
class Dialogs
{
public:
    enum class Kind { Message, Information, Warning, Error };

    virtual ~Dialogs() = default;

    // Message: a plain box with OK. Information, Warning, Error: OK and Cancel,
    // the answer not used.
    virtual void notify(QWidget* parent, Kind kind, const QString& text) = 0;
    // Yes and No; true only for Yes.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // The chosen file's full path, or empty when cancelled.
    virtual QString openFile(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual QString saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
    // The printer set-up dialog; true when the user confirms printing.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
    // The desktop shell's "open" of a document, web address or mailto link.
    virtual void shellOpen(const QString& command) = 0;

    // Long work under way: step(done) reports the steps done so far and
    // gives false once the user has pressed Cancel.
    class Progress
    {
    public:
        virtual ~Progress() = default;
        virtual bool step(int done) = 0;
    };
    // A progress dialog with a Cancel button, from 0 to `total` steps; it
    // appears only when the work is still going after half a second, and
    // goes when the object returned is destroyed. By default nothing shows
    // and the work is never cancelled.
    virtual std::unique_ptr<Progress> progress(QWidget* parent, const QString& text, int total);

    void message(QWidget* p, const QString& t) { notify(p, Kind::Message, t); }
    void information(QWidget* p, const QString& t) { notify(p, Kind::Information, t); }
    void warning(QWidget* p, const QString& t) { notify(p, Kind::Warning, t); }
    void error(QWidget* p, const QString& t) { notify(p, Kind::Error, t); }
};

// The installed implementation; the Qt one unless a test installed its own.
Dialogs& dialogs();
// Installs d (not owned); nullptr goes back to the Qt implementation.
void setDialogs(Dialogs* d);

// Where Qt's own Italian translation of its dialogs (qtbase_it.qm) is looked
// for, in order: Qt's translations folder, then the `translations` folder of
// the program folder (a portable program folder brings its own).
QStringList dialogTranslationFolders();
// Makes the message, file and print dialogs speak Italian ("Sì", "Annulla",
// "Cerca in:") with the first qtbase_it.qm found in `folders`, replacing one
// loaded before. Gives the file loaded, or an empty text when there is none:
// the dialogs then stay in English, and nothing is reported.
QString loadDialogTranslations(const QStringList& folders = dialogTranslationFolders());

} // namespace pinakos
