#include "data/db_update.h"

#include "data/dbcontainer.h"
#include "data/query.h"

double Tdb_update::ReadVersion() {
    TQuery q(QStringLiteral("SELECT value FROM settings WHERE variable = 'datafile_version'"));
    q.exec();
    return q.next() ? q.value(0).toDouble() : 0.0;
}

QString Tdb_update::TemplatesTableSql() {
    return QStringLiteral(
        "CREATE TABLE letter_templates (id INTEGER PRIMARY KEY AUTOINCREMENT, clientid INTEGER "
        "DEFAULT 0, \"desc\" TEXT COLLATE QNOCASE DEFAULT '', \"type\" INTEGER DEFAULT 0, "
        "category TEXT COLLATE QNOCASE DEFAULT '', \"date\" REAL DEFAULT 0, source INTEGER "
        "DEFAULT 0, letter TEXT COLLATE QNOCASE DEFAULT '', \"file\" BLOB)");
}

void Tdb_update::CreateTemplatesTable() {
    TQuery::execute(TemplatesTableSql());
    TQuery::execute(
        QStringLiteral("CREATE INDEX letter_templates_clientid ON letter_templates (clientid)"));
}

void Tdb_update::WriteVersion(double version) {
    TQuery update(
        QStringLiteral("UPDATE settings SET value = ? WHERE variable = 'datafile_version'"));
    update.bind(version).exec();
    if (update.numRowsAffected() > 0)
        return;
    TQuery insert(
        QStringLiteral("INSERT INTO settings (variable, value) VALUES ('datafile_version', ?)"));
    insert.bind(version).exec();
}

bool Tdb_update::Upgrade() {
    const double version = ReadVersion();
    if (version == CurrentVersion)
        return true;
    if (version == UnsupportedVersion) {
        throw TStartupError(QStringLiteral("This file version is no longer supported and Quillon "
                                           "will close, please contact Brackwell support"));
    }
    // A failure part-way leaves the old version in place, so the next start tries again.
    TTransaction transaction;
    bool hasTemplates = false;
    {
        TQuery tables(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        tables.exec();
        while (tables.next()) {
            if (tables.value(0).toString().compare(QLatin1String("letter_templates"),
                                                   Qt::CaseInsensitive) == 0)
                hasTemplates = true;
        }
    }
    if (!hasTemplates)
        CreateTemplatesTable();
    WriteVersion(CurrentVersion);
    transaction.commit();
    return true;
}
