#pragma once

#include <QString>

class TSchema {
public:
    // Writes a new database file at outPath holding the statements of the schema file
    // (tables, the version row, the letterTypes rows). Written to a temporary name first and
    // renamed, so a half-made file never stands at outPath. False with error on failure.
    static bool CreateDatabaseFile(const QString& schemaPath, const QString& outPath,
                                   QString* error);
};
