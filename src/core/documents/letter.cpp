#include "documents/letter.h"

#include "data/query.h"
#include "data/sqlvalue.h"

QString DocumentTypeName(int type) {
    if (type < 0 || type >= int(DocumentTypeNames.size()))
        return QString();
    return DocumentTypeNames[type];
}

TLetter::TLetter(int clientid) : clientid(clientid), tablename(QStringLiteral("letters")) {}

TLetterTemplate::TLetterTemplate(int clientid) : TLetter(clientid) {
    tablename = QStringLiteral("letter_templates");
}

namespace {
// The columns in the order both statements name them: clientid, desc, type, category, date,
// letter, source, file.
void bindColumns(TQuery& q, int clientid, const QString& desc, const QString& category,
                 const QByteArray& body, double date, int source, int type, const QString& letter) {
    q.bind(clientid)
        .bind(SqlValue::text(desc))
        .bind(type)
        .bind(SqlValue::text(category))
        .bind(date)
        .bind(SqlValue::text(letter))
        .bind(source)
        .bind(SqlValue::blob(body))
        .exec();
}

int insertRow(const QString& table, int clientid, const QString& desc, const QString& category,
              const QByteArray& body, double date, int source, int type, const QString& letter) {
    TQuery q(QStringLiteral("INSERT INTO ") + table +
             QStringLiteral(" (clientid, \"desc\", \"type\", category, \"date\", letter, source, "
                            "\"file\") VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    bindColumns(q, clientid, desc, category, body, date, source, type, letter);
    return q.lastInsertId().toInt();
}
} // namespace

void TLetter::Add(const QString& desc, const QString& category, const QByteArray& body, double date,
                  int source, int type, const QString& letter) {
    insertRow(tablename, clientid, desc, category, body, date, source, type, letter);
}

void TLetter::Save(const QString& desc, const QString& category, const QByteArray& body,
                   double date, int source, int type, const QString& letter) {
    TQuery q(QStringLiteral("UPDATE ") + tablename +
             QStringLiteral(" SET clientid = ?, \"desc\" = ?, \"type\" = ?, category = ?, "
                            "\"date\" = ?, letter = ?, source = ?, \"file\" = ? WHERE id = ") +
             QString::number(id));
    bindColumns(q, clientid, desc, category, body, date, source, type, letter);
    if (q.numRowsAffected() == 0)
        id = insertRow(tablename, clientid, desc, category, body, date, source, type, letter);
}

void TLetter::Load(int rowId) {
    TQuery q(QStringLiteral("SELECT id, \"desc\", \"type\", category, letter, \"date\", source, "
                            "\"file\" FROM ") +
             tablename + QStringLiteral(" WHERE id = ") + QString::number(rowId));
    q.exec();
    if (!q.next()) {
        id = 0;
        desc.clear();
        type = 0;
        category.clear();
        letter.clear();
        date = 0;
        source = 0;
        file.clear();
        return;
    }
    id = q.value(0).toInt();
    desc = q.value(1).toString();
    type = q.value(2).toInt();
    category = q.value(3).toString();
    letter = q.value(4).toString();
    date = q.value(5).toDouble();
    source = q.value(6).toInt();
    file = q.value(7).toByteArray();
}

void TLetter::Delete(int rowId) {
    TQuery::execute(QStringLiteral("DELETE FROM ") + tablename + QStringLiteral(" WHERE id = ") +
                    QString::number(rowId));
}

QString TLetter::GetCategories(int type) {
    TQuery q(QStringLiteral("SELECT categories FROM letterTypes WHERE \"type\" = ") +
             QString::number(type));
    q.exec();
    return q.next() ? q.value(0).toString() : QString();
}
