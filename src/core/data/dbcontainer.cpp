#include "data/dbcontainer.h"

#include "data/dberror.h"
#include "data/sqlfunctions.h"
#include "shell/apppaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {
TdmAccess* g_instance = nullptr;
const QString g_connectionName = QStringLiteral("quillon");
// A second program on the same file waits this long for a lock before reporting "busy".
constexpr int BusyTimeoutMs = 10000;

QString engineText(const QSqlError& e) {
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

sqlite3* rawHandle(const QSqlDatabase& db) {
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

// fsync a file or folder, so a rename that follows is durable.
bool syncPath(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
} // namespace

TdmAccess::TdmAccess(const QString& databasePath) : m_path(databasePath) {
    if (!QFileInfo::exists(m_path) &&
        QFileInfo::exists(TAppPaths::installedDir() + QStringLiteral("blank.qdb")))
        CopyBlankDatabase();
    if (!QFileInfo::exists(m_path))
        throw TStartupError(QStringLiteral("Unable to locate database \r\rPath:") + m_path);
    if (QSqlDatabase::contains(g_connectionName))
        QSqlDatabase::removeDatabase(g_connectionName);
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), g_connectionName);
    g_instance = this;
}

TdmAccess::~TdmAccess() {
    Close();
    if (g_instance == this)
        g_instance = nullptr;
    QSqlDatabase::removeDatabase(g_connectionName);
}

void TdmAccess::CopyBlankDatabase() {
    const QString blank = TAppPaths::installedDir() + QStringLiteral("blank.qdb");
    QFile source(blank);
    // Written beside the target under another name and renamed, so a failed copy never
    // leaves a half-written database at the path.
    QSaveFile target(m_path);
    QString error;
    if (!source.open(QIODevice::ReadOnly))
        error = source.errorString();
    else if (!target.open(QIODevice::WriteOnly))
        error = target.errorString();
    else {
        const QByteArray bytes = source.readAll();
        if (source.error() != QFileDevice::NoError)
            error = source.errorString();
        else if (target.write(bytes) != bytes.size() || !target.commit())
            error = target.errorString();
    }
    if (!error.isEmpty()) {
        target.cancelWriting();
        throw TStartupError(QStringLiteral("Unable to create the database from blank.qdb: ") +
                            error + QStringLiteral("\r\rPath:") + m_path);
    }
}

void TdmAccess::Open() {
    if (IsOpen())
        return;
    // SQLite would create an empty file; a database that vanished is an error instead.
    if (!QFileInfo(m_path).isFile())
        throw TDbError(QStringLiteral("unable to open database file: ") + m_path);
    QSqlDatabase db = QSqlDatabase::database(g_connectionName, false);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open()) {
        const QString text = engineText(db.lastError());
        db.close();
        throw TDbError(text);
    }
    sqlite3* handle = rawHandle(db);
    QString error;
    if (!handle)
        error = QStringLiteral("The SQLite driver gives no database handle");
    else if (!SqlFunctions::registerAll(handle, &error)) {
    } else {
        // Reading the schema is the first read of the file: a file that is not a database, or
        // whose header promises more pages than it holds, fails here without being written.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
            error = engineText(q.lastError());
    }
    if (!error.isEmpty()) {
        db.close();
        throw TDbError(error);
    }
}

bool TdmAccess::IsOpen() const {
    return QSqlDatabase::database(g_connectionName, false).isOpen();
}

void TdmAccess::Close() {
    if (!QSqlDatabase::contains(g_connectionName))
        return;
    QSqlDatabase db = QSqlDatabase::database(g_connectionName, false);
    db.close();
}

bool TdmAccess::CompactDatabase(const QString& path) {
    const QFileInfo info(path);
    const QString tempPath = info.absolutePath() + QStringLiteral("/TEMP") + info.fileName();
    Close();
    QString error;
    if (QFileInfo::exists(tempPath) && !QFile::remove(tempPath))
        error = QStringLiteral("Unable to remove the temporary file ") + tempPath;

    // Its own short-lived connection, holding an exclusive lock from before the copy until
    // after the rename, so no other program writes to the file in between.
    sqlite3* db = nullptr;
    if (error.isEmpty()) {
        int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE,
                                 nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_busy_timeout(db, BusyTimeoutMs);
            if (!SqlFunctions::registerAll(db, &error))
                rc = SQLITE_ERROR;
        }
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;",
                              nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_stmt* stmt = nullptr;
            rc = sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &stmt, nullptr);
            if (rc == SQLITE_OK) {
                const QByteArray target = QFile::encodeName(tempPath);
                sqlite3_bind_text(stmt, 1, target.constData(), int(target.size()),
                                  SQLITE_TRANSIENT);
                rc = sqlite3_step(stmt);
                if (rc == SQLITE_DONE)
                    rc = SQLITE_OK;
            }
            sqlite3_finalize(stmt);
        }
        if (rc != SQLITE_OK && error.isEmpty())
            error = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    }

    if (error.isEmpty()) {
        // The copy is made durable before it replaces the original, and the rename is atomic:
        // at every moment one complete database stands at the path.
        if (!syncPath(tempPath))
            error = QString::fromLocal8Bit(std::strerror(errno));
        else if (::rename(QFile::encodeName(tempPath).constData(),
                          QFile::encodeName(path).constData()) != 0)
            error = QString::fromLocal8Bit(std::strerror(errno));
        else
            syncPath(info.absolutePath());
    }
    sqlite3_close(db);
    if (!error.isEmpty())
        QFile::remove(tempPath);

    Open();
    if (!error.isEmpty())
        throw TDbError(error);
    return true;
}

QSqlDatabase TdmAccess::connection() {
    return QSqlDatabase::database(g_connectionName, false);
}

QString TdmAccess::connectionName() {
    return g_connectionName;
}

TdmAccess* TdmAccess::instance() {
    return g_instance;
}
