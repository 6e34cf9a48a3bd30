#pragma once

#include <QString>

// Where Quillon's files live on Linux.
//  - installed files (read-only): <bin>/../share/quillon/ (blank.qdb, default logos, help)
//  - data folder (writable): settings.ini, Quillon.qdb, images/, print_*.rtf;
//    ~/.local/share/Quillon/ unless --data-dir names another
//  - working folder: <tmp>/quillon/
// Every folder returned ends with a '/'.
class TAppPaths {
public:
    // Sets the data folder (empty: the default) and creates it when missing.
    static void init(const QString& dataDir = QString());

    static QString installedDir();
    static QString dataDir();
    static QString workDir();

    // A file the program looks up "beside the program": the data folder's copy when there is
    // one, else the installed one (the data folder path when neither exists).
    static QString programFile(const QString& name);

    // For tests and tools: override the installed folder (normally found from the executable).
    static void setInstalledDir(const QString& dir);
};
