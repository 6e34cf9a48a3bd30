#include "data/query.h"

#include "data/dbcontainer.h"
#include "data/dberror.h"

#include <QSqlError>

namespace {
QString errorText(const QSqlError& e) {
    QString text = e.databaseText();
    if (text.isEmpty())
        text = e.text();
    return text;
}
} // namespace

TQuery::TQuery(const QString& sql) : m_query(TdmAccess::connection()) {
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        throw TDbError(errorText(m_query.lastError()));
}

TQuery::~TQuery() {
    m_query.finish();
}

TQuery& TQuery::bind(const QVariant& value) {
    m_query.bindValue(m_bindIndex++, value);
    return *this;
}

TQuery& TQuery::bind(const QString& name, const QVariant& value) {
    m_query.bindValue(name, value);
    return *this;
}

TQuery& TQuery::exec() {
    // The next round of bind() calls fills the statement again from its first parameter, so
    // one prepared statement serves many rows.
    m_bindIndex = 0;
    if (!m_query.exec())
        throw TDbError(errorText(m_query.lastError()));
    return *this;
}

void TQuery::execute(const QString& sql) {
    QSqlQuery q(TdmAccess::connection());
    if (!q.exec(sql))
        throw TDbError(errorText(q.lastError()));
}

TTransaction::TTransaction() {
    QSqlDatabase db = TdmAccess::connection();
    if (!db.transaction())
        throw TDbError(errorText(db.lastError()));
}

TTransaction::~TTransaction() {
    if (!m_done)
        TdmAccess::connection().rollback();
}

void TTransaction::commit() {
    QSqlDatabase db = TdmAccess::connection();
    if (!db.commit())
        throw TDbError(errorText(db.lastError()));
    m_done = true;
}
