#pragma once

#include <QSqlDatabase>
#include <QString>
#include <exception>

// The database container: finds or creates the database file, owns the one connection every
// record object uses, and compacts the file on request.
class TdmAccess {
public:
    // Locates the database at databasePath, copying the installed blank.qdb when no file is
    // there. Throws TStartupError with the message to show when neither can be had
    // ("Unable to locate database \r\rPath:" + path, or the copy's failure).
    explicit TdmAccess(const QString& databasePath);
    ~TdmAccess();
    TdmAccess(const TdmAccess&) = delete;
    TdmAccess& operator=(const TdmAccess&) = delete;

    // Opens the shared connection and checks that the file is a readable SQLite database
    // without writing to it; registers the collation and functions. Throws TDbError with the
    // engine's message when the file is not a database or is damaged (file left unchanged).
    void Open();
    bool IsOpen() const;
    void Close();

    void CopyBlankDatabase();

    // Compacts the file at path in place: VACUUM INTO a temporary file beside it, then an
    // atomic rename over the original. The connection is open again afterwards, also on
    // failure; a failure throws TDbError and leaves the database untouched.
    bool CompactDatabase(const QString& path);

    QString DatabasePath() const { return m_path; }

    // The one shared connection every record object and query uses.
    static QSqlDatabase connection();
    static QString connectionName();
    static TdmAccess* instance();

private:
    QString m_path;
};

// A start-up failure with the text to show the user before the program ends.
class TStartupError : public std::exception {
public:
    explicit TStartupError(const QString& message) : m_message(message) {}
    QString message() const { return m_message; }
    const char* what() const noexcept override { return "start-up failed"; }

private:
    QString m_message;
};
