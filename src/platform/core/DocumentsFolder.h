#pragma once

#include <QString>
#include <optional>

// The application's Documents folder, where downloaded pictures and signature pictures are
// kept as files. The folder in force is a service: AppDataLocation/Documents unless another is
// installed through Services (tests point it at a folder of their own).
class DocumentsFolder {
public:
    // The folder at that path; the empty text stands for the default place.
    explicit DocumentsFolder(const QString& folderPath = QString());
    QString folderPath() const;

    // The path of the folder in force.
    static QString path();
    // The path of a file of that name in the folder; none unless the name is a plain file name
    // (no separators, not "." or "..", nothing hidden behind a leading dot).
    static std::optional<QString> pathForFileName(const QString& name);
    // Deletes the file of that name when it is a regular file; never a folder, never a link's
    // target. False when nothing was deleted.
    static bool removeFileNamed(const QString& name);

    // The last segment of an address's path, percent-decoded ("https://h/a/x%20y.png?v=2" gives
    // "x y.png"); empty when the path ends in "/".
    static QString lastPathComponentOfURL(const QString& address);
    // The name under which a downloaded picture of that address is kept: its last path component
    // when that is a plain file name and not one of the signature queue's names (a UUID text);
    // none otherwise ("", ".", "..", ".x", "a%2Fb"), and such a picture is not kept. The one rule
    // of the picture cache, its deletions included.
    static std::optional<QString> pictureFileNameForURL(const QString& address);
    // Deletes the kept picture of that address, if any. False when nothing was deleted.
    static bool removePictureForURL(const QString& address);

private:
    QString folderPath_;
};
