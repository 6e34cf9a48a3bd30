#include "data/client.h"

#include "data/dayserial.h"
#include "data/dberror.h"
#include "data/query.h"
#include "data/sqlvalue.h"

#include <QDateTime>
#include <QStringList>

namespace {
QVariant toColumn(const TOControl& item) {
    const QVariant v = item.GetValue();
    if (v.metaType().id() == QMetaType::QDateTime)
        return DaySerial::fromDateTime(v.toDateTime());
    if (v.metaType().id() == QMetaType::QDate)
        return DaySerial::fromDate(v.toDate());
    return SqlValue::text(v.toString());
}

QVariant fromColumn(const TOControl& item, const QVariant& v) {
    if (item.Control()->kind() == IBoundControl::Kind::DateTime) {
        if (v.isNull())
            return QVariant();
        return DaySerial::toDateTime(v.toDouble());
    }
    // Rows written by other means may hold NULL; the controls show it as empty text.
    return v.isNull() ? QString() : v.toString();
}

// The real column names of the client table for the bound controls, in list order. A name
// that is not a column fails here, before any SQL text holds it.
QStringList boundColumns(const TOControls& controls) {
    QStringList columns;
    TQuery info(QStringLiteral("PRAGMA table_info(client)"));
    info.exec();
    while (info.next())
        columns << info.value(1).toString();
    QStringList result;
    for (int i = 0; i < controls.Count(); ++i) {
        const QString name = controls.Items(i).Name();
        const auto it = std::find_if(columns.cbegin(), columns.cend(), [&](const QString& c) {
            return c.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it == columns.cend())
            throw TDbError(QStringLiteral("no such column: ") + name);
        result << *it;
    }
    return result;
}

int insertRow(const TOControls& controls) {
    const QStringList columns = boundColumns(controls);
    if (columns.isEmpty()) {
        TQuery q(QStringLiteral("INSERT INTO client DEFAULT VALUES"));
        q.exec();
        return q.lastInsertId().toInt();
    }
    QStringList names, marks;
    for (const QString& c : columns) {
        names << SqlValue::identifier(c);
        marks << QStringLiteral("?");
    }
    TQuery q(QStringLiteral("INSERT INTO client (") + names.join(QLatin1Char(',')) +
             QStringLiteral(") VALUES (") + marks.join(QLatin1Char(',')) + QLatin1Char(')'));
    for (int i = 0; i < controls.Count(); ++i)
        q.bind(toColumn(controls.Items(i)));
    q.exec();
    return q.lastInsertId().toInt();
}
} // namespace

void TClient::Clear() {
    id = -1;
    controls.ClearAll();
}

int TClient::Insert() {
    return insertRow(controls);
}

void TClient::Load(int clientId) {
    const QStringList columns = boundColumns(controls);
    QStringList names{QStringLiteral("id")};
    for (const QString& c : columns)
        names << SqlValue::identifier(c);
    TQuery q(QStringLiteral("SELECT ") + names.join(QLatin1Char(',')) +
             QStringLiteral(" FROM client WHERE id = ") + QString::number(clientId));
    q.exec();
    if (!q.next())
        return;
    for (int i = 0; i < controls.Count(); ++i)
        controls.Items(i).SetValue(fromColumn(controls.Items(i), q.value(i + 1)));
    id = q.value(0).toInt();
}

void TClient::Update() {
    const QStringList columns = boundColumns(controls);
    if (!columns.isEmpty()) {
        QStringList sets;
        for (const QString& c : columns)
            sets << SqlValue::identifier(c) + QStringLiteral(" = ?");
        TQuery q(QStringLiteral("UPDATE client SET ") + sets.join(QLatin1Char(',')) +
                 QStringLiteral(" WHERE id = ") + QString::number(id));
        for (int i = 0; i < controls.Count(); ++i)
            q.bind(toColumn(controls.Items(i)));
        q.exec();
        if (q.numRowsAffected() > 0)
            return;
    } else {
        TQuery exists(QStringLiteral("SELECT 1 FROM client WHERE id = ") + QString::number(id));
        exists.exec();
        if (exists.next())
            return;
    }
    insertRow(controls); // no row with this id: the save becomes an insert
}

void TClient::Delete() {
    const QString where = QString::number(id);
    TTransaction transaction;
    TQuery::execute(QStringLiteral("DELETE FROM client WHERE id = ") + where);
    for (const char* table : {"letters", "sessions", "notes"})
        TQuery::execute(QStringLiteral("DELETE FROM ") + QLatin1String(table) +
                        QStringLiteral(" WHERE clientid = ") + where);
    transaction.commit();
}

bool TClient::CompanyNameInUse(const QString& name) {
    TQuery q(
        QStringLiteral("SELECT 1 FROM client WHERE ledtCompanyName = ? COLLATE QNOCASE LIMIT 1"));
    q.bind(SqlValue::text(name)).exec();
    return q.next();
}
