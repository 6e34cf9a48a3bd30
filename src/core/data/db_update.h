#pragma once

#include <QString>

// Brings the database opened at start-up to the current schema version (kept in the settings
// table as "datafile_version"). Run once, right after the database container opens the file.
class Tdb_update {
public:
    static constexpr double CurrentVersion = 1.3;
    static constexpr double UnsupportedVersion = 0.9;

    // The version row's value as a number; 0 when there is no version row. Throws TDbError
    // with the engine's message when the file has no settings table.
    double ReadVersion();
    void CreateTemplatesTable();
    // Sets the version row's value, inserting the row when there is none.
    void WriteVersion(double version);

    // 1.3: nothing. 0.9: throws TStartupError with the message to show, file unchanged.
    // Anything else: creates letter_templates when no table of that name (in any letter case)
    // exists, then writes 1.3, both in one transaction. Returns true.
    bool Upgrade();

    // The statement that creates letter_templates; blank.qdb holds the same definition.
    static QString TemplatesTableSql();
};
