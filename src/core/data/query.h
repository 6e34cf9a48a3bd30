#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>

// A statement on the shared connection that throws TDbError with the engine's message when it
// fails, so callers never forget a check. User values are always bound, never pasted into SQL:
//   TQuery q("SELECT * FROM client WHERE ledtCompanyName = ?");
//   q.bind(name).exec();
//   while (q.next()) ...
// The statement is finished (its cursor released) when the object goes out of scope.
class TQuery {
public:
    explicit TQuery(const QString& sql);
    ~TQuery();
    TQuery(const TQuery&) = delete;
    TQuery& operator=(const TQuery&) = delete;

    TQuery& bind(const QVariant& value);                      // next positional '?'
    TQuery& bind(const QString& name, const QVariant& value); // ':name'
    TQuery& exec();

    bool next() { return m_query.next(); }
    QVariant value(int column) const { return m_query.value(column); }
    QVariant value(const QString& column) const { return m_query.value(column); }
    QVariant lastInsertId() const { return m_query.lastInsertId(); }
    int numRowsAffected() const { return m_query.numRowsAffected(); }
    QSqlQuery& raw() { return m_query; }

    // Runs one statement without parameters or rows (DDL, pragmas); throws on failure.
    static void execute(const QString& sql);

private:
    QSqlQuery m_query;
    int m_bindIndex = 0;
};

// Runs a multi-row write in one SQL transaction: commit() makes it stick; leaving the scope
// without commit() rolls everything back.
class TTransaction {
public:
    TTransaction();
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;
    void commit();

private:
    bool m_done = false;
};
