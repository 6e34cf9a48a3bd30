#include "records/clientlist.h"

#include "data/query.h"

namespace TClientList {

int QuickSearchId(const QString& text) {
    bool ok = false;
    const int id = text.trimmed().toInt(&ok);
    return ok && id > 0 ? id : 0;
}

QString LikeLiteral(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            out.append(u'\\');
        out.append(c);
    }
    return out;
}

TClientFilter QuickSearchFilter(const QString& text) {
    const QString pattern = u'%' + LikeLiteral(text) + u'%';
    TClientFilter filter;
    const QLatin1String columns[] = {QLatin1String("ledtCompanyName"),
                                     QLatin1String("ledtPrimaryContact"),
                                     QLatin1String("memAddress"), QLatin1String("ledtOffice")};
    for (const QLatin1String column : columns) {
        if (!filter.condition.isEmpty())
            filter.condition += QLatin1String(" OR ");
        filter.condition += column + QLatin1String(" LIKE ? ESCAPE '\\'");
        filter.values.append(pattern);
    }
    return filter;
}

QString OneLine(const QString& text) {
    if (!text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String(" "));
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    return out;
}

std::vector<TClientListRow> Load(const TClientFilter& filter) {
    QString sql = QStringLiteral(
        "SELECT id, ledtCompanyName, memAddress, ledtPrimaryContact, ledtOffice FROM client");
    if (!filter.isEmpty())
        sql += QLatin1String(" WHERE ") + filter.condition;
    // Ids ascend with creation; ordering by the key costs nothing and keeps the list stable.
    sql += QLatin1String(" ORDER BY id");
    TQuery q(sql);
    for (const QVariant& value : filter.values)
        q.bind(value);
    q.exec();
    std::vector<TClientListRow> rows;
    while (q.next()) {
        TClientListRow row;
        row.id = q.value(0).toInt();
        row.companyName = q.value(1).toString();
        row.address = OneLine(q.value(2).toString());
        row.primaryContact = q.value(3).toString();
        row.office = q.value(4).toString();
        rows.push_back(std::move(row));
    }
    return rows;
}

bool Exists(int id) {
    TQuery q(QStringLiteral("SELECT 1 FROM client WHERE id = ?"));
    q.bind(id).exec();
    return q.next();
}

} // namespace TClientList
