#pragma once

// Brings the database opened at start-up to the current schema version.
class Tdb_update {
public:
    double ReadVersion();
    void CreateTemplatesTable();
    void WriteVersion(double);
    bool Upgrade();
};
