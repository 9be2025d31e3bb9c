#pragma once

#include <QString>
#include <optional>

// The application's Documents folder, where downloaded pictures and signature pictures are
// kept as files. Tests point it at a folder of their own.
class DocumentsFolder {
public:
    static QString path();
    // An empty text restores the default (AppDataLocation/Documents).
    static void setPath(const QString& path);
    // The path of a file of that name in the folder; none unless the name is a plain file name
    // (no separators, not "." or "..", nothing hidden behind a leading dot).
    static std::optional<QString> pathForFileName(const QString& name);
    // Deletes the file of that name when it is a regular file; never a folder, never a link's
    // target. False when nothing was deleted.
    static bool removeFileNamed(const QString& name);
};
