#include "data/schema.h"

#include "data/sqlfunctions.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <sqlite3.h>

namespace {
bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}
} // namespace

bool TSchema::CreateDatabaseFile(const QString& schemaPath, const QString& outPath,
                                 QString* error) {
    QFile schema(schemaPath);
    if (!schema.open(QIODevice::ReadOnly))
        return fail(error, schema.errorString() + QStringLiteral(": ") + schemaPath);
    const QByteArray sql = schema.readAll();

    const QString tmpPath =
        outPath + QStringLiteral(".tmp-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(tmpPath).constData(), &db) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return fail(error, msg);
    }
    // The schema names the program's collation, so it has to be known while the tables are made.
    QString regError;
    if (!SqlFunctions::registerAll(db, &regError)) {
        sqlite3_close(db);
        QFile::remove(tmpPath);
        return fail(error, regError);
    }
    char* msg = nullptr;
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &msg);
    const QString text = msg ? QString::fromUtf8(msg) : QString();
    sqlite3_free(msg);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(tmpPath);
        return fail(error, text);
    }
    QFile::remove(outPath);
    if (!QFile::rename(tmpPath, outPath)) {
        QFile::remove(tmpPath);
        return fail(error, QStringLiteral("cannot write ") + outPath);
    }
    return true;
}
