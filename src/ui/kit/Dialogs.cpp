#include "kit/Dialogs.h"

#include "base/ProgramFolder.h"
#include "base/ShellCommand.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTextLayout>
#include <QTranslator>

#include <algorithm>
#include <memory>

namespace pinakos {

namespace {

// ---------------------------------------------------------------- message boxes

// How badly a text reads when wrapped at `width`: a paragraph whose last line
// is one word, or a sliver, counts heavily; then more lines, then more width.
double wrapCost(const QStringList& paragraphs, const QFont& font, int width)
{
    double cost = width / 100.0;
    for (const QString& p : paragraphs) {
        QTextLayout layout(p, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine last;
        int lines = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            last = line;
            ++lines;
        }
        layout.endLayout();
        cost += lines;
        if (lines < 2)
            continue;
        const QString tail = p.mid(last.textStart(), last.textLength()).trimmed();
        if (!tail.contains(u' '))
            cost += 1000;
        else if (last.naturalTextWidth() < width / 4.0)
            cost += 100;
    }
    return cost;
}

// The width at which a message reads comfortably: one line when it fits in
// about 85 characters, else the width between about 60 and 85 characters
// that wraps it best.
int comfortableWidth(const QString& text, const QFont& font)
{
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n]+"));
    const QStringList paragraphs = text.split(breaks, Qt::SkipEmptyParts);
    if (paragraphs.isEmpty())
        return 0;
    const QFontMetrics fm(font);
    int longest = 0;
    for (const QString& p : paragraphs)
        longest = std::max(longest, fm.horizontalAdvance(p));
    const int narrow = std::min(fm.averageCharWidth() * 60, longest + 2);
    const int wide = std::min(fm.averageCharWidth() * 85, longest + 2);
    int best = wide;
    double bestCost = wrapCost(paragraphs, font, wide);
    for (int w = narrow; w < wide; w += 4) {
        const double c = wrapCost(paragraphs, font, w);
        if (c < bestCost) {
            bestCost = c;
            best = w;
        }
    }
    return best;
}

// A message box whose long text wraps at a comfortable width, and whose
// buttons carry no icons.
class MessageBox final : public QMessageBox
{
public:
    MessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons, QWidget* parent)
        : QMessageBox(icon, title, text, buttons, parent)
    {
        for (QAbstractButton* b : this->buttons())
            b->setIcon(QIcon());
        m_label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (m_label)
            m_width = comfortableWidth(text, m_label->font());
    }

protected:
    // QMessageBox sizes itself on each layout request; the text's own width
    // is put back after it.
    bool event(QEvent* e) override
    {
        const bool done = QMessageBox::event(e);
        if (e->type() == QEvent::LayoutRequest)
            fit();
        return done;
    }
    void showEvent(QShowEvent* e) override
    {
        QMessageBox::showEvent(e);
        fit();
    }

private:
    void fit()
    {
        if (!m_width || !m_label || !layout())
            return;
        m_label->setWordWrap(true);
        m_label->setFixedWidth(m_width);
        layout()->activate();
        const int width = layout()->totalMinimumSize().width();
        const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width)
                                                         : layout()->totalMinimumSize().height();
        setFixedSize(width, height);
        QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    }

    QLabel* m_label = nullptr;
    int m_width = 0;
};

// ---------------------------------------------------------------- file dialogs

// The patterns a filter admits: "*.jpg *.jpeg" of "Immagine JPEG (*.jpg *.jpeg)".
QString patternsOf(const QStringList& filters)
{
    static const QRegularExpression inBrackets(QStringLiteral("\\(([^)]*)\\)"));
    QStringList out;
    for (const QString& f : filters) {
        const QRegularExpressionMatch m = inBrackets.match(f);
        out << (m.hasMatch() ? m.captured(1) : f).toLower();
    }
    return out.join(u'|');
}

bool isPhotoKind(const QString& patterns)
{
    return patterns.contains(QLatin1String("*.jpg")) || patterns.contains(QLatin1String("*.jpeg"))
        || patterns.contains(QLatin1String("*.bmp"));
}

// The folder last used for each kind of file (by the patterns its dialog
// admits), for this run of the program.
QHash<QString, QString>& lastFolders()
{
    static QHash<QString, QString> folders;
    return folders;
}

// Where a dialog for this kind of file opens: where the last one was left,
// else the user's Pictures folder for photos, else the home folder.
QString startFolder(const QString& patterns)
{
    const QString last = lastFolders().value(patterns);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    if (isPhotoKind(patterns)) {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
            return pictures;
    }
    return QDir::homePath();
}

// Qt's own file dialog, so that it speaks the program's language on every
// desktop, opened where files of its kind were last chosen.
QString runFileDialog(QFileDialog& dlg, const FileDialogRequest& request)
{
    const QString kind = patternsOf(request.filters);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    dlg.setDirectory(startFolder(kind));
    if (!request.proposedName.isEmpty())
        dlg.selectFile(request.proposedName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dlg.selectedFiles().first();
    lastFolders().insert(kind, QFileInfo(chosen).absolutePath());
    return chosen;
}

// File types are written "Name (*.a; *.b)"; the file dialog wants the
// patterns separated by blanks only. "*.*" stands for every file, as on
// Windows, where Qt's own dialog would admit only names with a dot: such a
// dialog gets, behind each type's own text, the patterns it really matches
// by ("*" for every file), and shows each type's own text only.
void setFilters(QFileDialog& dlg, const QStringList& filters)
{
    static const QRegularExpression inBrackets(QStringLiteral("\\(([^)]*)\\)\\s*$"));
    QStringList plain, matched;
    bool everyFile = false;
    for (QString f : filters) {
        f.replace(QLatin1String("; "), QLatin1String(" ")).replace(u';', u' ');
        plain << f;
        const QRegularExpressionMatch m = inBrackets.match(f);
        QStringList patterns = m.hasMatch() ? m.captured(1).split(u' ', Qt::SkipEmptyParts) : QStringList();
        if (patterns.removeAll(QStringLiteral("*.*")) > 0) {
            everyFile = true;
            patterns = {QStringLiteral("*")};
        }
        matched << f + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    dlg.setOption(QFileDialog::HideNameFilterDetails, everyFile);
    dlg.setNameFilters(everyFile ? matched : plain);
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
        MessageBox box(icon, title, text, buttons, parent);
        box.exec();
    }

    bool confirm(QWidget* parent, const QString& text) override
    {
        MessageBox box(QMessageBox::Question, QStringLiteral("Pinakos"), text, QMessageBox::Yes | QMessageBox::No,
                       parent);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    QString openFile(QWidget* parent, const FileDialogRequest& request) override
    {
        QFileDialog dlg(parent, request.title);
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        setFilters(dlg, request.filters);
        return runFileDialog(dlg, request);
    }

    QString saveFile(QWidget* parent, const FileDialogRequest& request) override
    {
        QFileDialog dlg(parent, request.title);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        setFilters(dlg, request.filters);
        dlg.setDefaultSuffix(request.defaultSuffix);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        dlg.setOption(QFileDialog::ReadOnly, false);
        dlg.setSizeGripEnabled(true);
        return runFileDialog(dlg, request);
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

QStringList dialogTranslationFolders()
{
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), inProgramFolder(QStringLiteral("translations"))};
}

QString loadDialogTranslations(const QStringList& folders)
{
    static std::unique_ptr<QTranslator> loaded;
    if (loaded) {
        QCoreApplication::removeTranslator(loaded.get());
        loaded.reset();
    }
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        auto t = std::make_unique<QTranslator>();
        if (t->load(QStringLiteral("qtbase_it"), folder) && QCoreApplication::installTranslator(t.get())) {
            const QString file = t->filePath();
            loaded = std::move(t);
            return file;
        }
    }
    return QString();
}

} // namespace pinakos
