#pragma once
// The documents folder and the files the sheets attach to it. A slot names
// its document by the bare file name; the files of every sheet of every
// catalog lie side by side in the one folder.

#include <QString>

namespace pinakos {

// programFolder() + "Documenti_Allegati" and a separator.
QString documentsFolder();

// Whether a slot's file name, trimmed, names a file inside the documents
// folder: not empty, no folder separator ("/" or "\"), no drive or stream
// (":"), no control character, and not made of dots and blanks only ("..").
// Names read from an archive that fail this are neither opened nor copied to.
bool isSafeDocumentName(const QString& name);

// documentsFolder() + the name trimmed; empty for a name that is not safe.
QString documentPath(const QString& name);

// Where a chosen file goes in the documents folder.
struct DocumentTarget
{
    QString name; // the bare file name, trimmed: what the slot shows
    QString path; // documentsFolder() + name
    bool exists = false; // a file of that name is already in the folder
    bool sameFile = false; // ... and it is the chosen file itself
};

// Checks that `source` is a readable plain file whose name can be used (a
// safe name that the record keeps whole: Windows-1252, 250 bytes at most),
// creates the documents folder (with any missing parent) and tells where the
// file goes. Throws Failure with the message for the user when the name
// cannot be used, the file cannot be read or the folder cannot be created.
DocumentTarget prepareDocument(const QString& source);

// Copies `source` to `target`, replacing a file of that name, in blocks
// (documents of any size), through a temporary file beside the target that
// is renamed at the end: a copy that fails leaves the old target, if any,
// as it was and no shortened file. Throws Failure with the message for the
// user. Does nothing when source and target are the same file.
void copyDocument(const QString& source, const QString& target);

// The question asked before replacing a file of the same name.
QString overwriteDocumentQuestion();

} // namespace pinakos
