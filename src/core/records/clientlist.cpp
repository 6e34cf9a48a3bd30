#include "records/clientlist.h"

#include "data/dbcontainer.h"
#include "data/dberror.h"
#include "data/query.h"

#include <QSqlDriver>
#include <algorithm>
#include <sqlite3.h>

void TClientListRows::append(int id, const char* const texts[FieldCount],
                             const int sizes[FieldCount]) {
    m_ids.push_back(id);
    for (int f = 0; f < FieldCount; ++f) {
        if (texts[f])
            m_text.append(texts[f], sizes[f]);
        m_ends.push_back(quint32(m_text.size()));
    }
}

QString TClientListRows::text(int row, Field field) const {
    const size_t i = size_t(row) * FieldCount + size_t(field);
    const quint32 begin = i == 0 ? 0 : m_ends[i - 1];
    const QString text = QString::fromUtf8(m_text.constData() + begin, m_ends[i] - begin);
    return field == Address ? TClientList::OneLine(text) : text;
}

bool TClientListRows::sortedById() const {
    return std::is_sorted(m_ids.begin(), m_ids.end());
}

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

bool NeedsEscape(const QString& text) {
    return text.contains(u'%') || text.contains(u'_') || text.contains(u'\\');
}

TClientFilter QuickSearchFilter(const QString& text) {
    const QString pattern = u'%' + LikeLiteral(text) + u'%';
    // The ESCAPE clause only where the text needs it: it costs a little on every row.
    const QLatin1String test =
        NeedsEscape(text) ? QLatin1String(" LIKE ? ESCAPE '\\'") : QLatin1String(" LIKE ?");
    TClientFilter filter;
    const QLatin1String columns[] = {QLatin1String("ledtCompanyName"),
                                     QLatin1String("ledtPrimaryContact"),
                                     QLatin1String("memAddress"), QLatin1String("ledtOffice")};
    for (const QLatin1String column : columns) {
        if (!filter.condition.isEmpty())
            filter.condition += QLatin1String(" OR ");
        filter.condition += column + test;
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

namespace {
sqlite3* rawHandle() {
    const QVariant v = TdmAccess::connection().driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        throw TDbError(QStringLiteral("The database connection is not open"));
    return *static_cast<sqlite3* const*>(v.constData());
}

// A prepared statement finalized on every way out.
struct TStatement {
    sqlite3_stmt* stmt = nullptr;
    ~TStatement() { sqlite3_finalize(stmt); }
};

} // namespace

TClientListRows Load(const TClientFilter& filter) {
    QString sql = QStringLiteral(
        "SELECT id, ledtCompanyName, memAddress, ledtPrimaryContact, ledtOffice FROM client");
    if (!filter.isEmpty())
        sql += QLatin1String(" WHERE ") + filter.condition;
    // Ids ascend with creation; ordering by the key costs nothing and keeps the list stable.
    sql += QLatin1String(" ORDER BY id");

    // The list is the one query that reads every client at once, so it steps the engine's
    // statement directly instead of going through a QVariant per value.
    sqlite3* db = rawHandle();
    TStatement st;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st.stmt, nullptr) != SQLITE_OK)
        throw TDbError(QString::fromUtf8(sqlite3_errmsg(db)));
    for (int i = 0; i < filter.values.size(); ++i) {
        const QVariant& value = filter.values[i];
        int rc;
        if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            rc = sqlite3_bind_int64(st.stmt, i + 1, value.toLongLong());
        } else {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(st.stmt, i + 1, text.constData(), int(text.size()),
                                   SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            throw TDbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }

    TClientListRows rows;
    const char* texts[TClientListRows::FieldCount];
    int sizes[TClientListRows::FieldCount];
    int rc;
    while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW) {
        for (int f = 0; f < TClientListRows::FieldCount; ++f) {
            texts[f] = reinterpret_cast<const char*>(sqlite3_column_text(st.stmt, f + 1));
            sizes[f] = sqlite3_column_bytes(st.stmt, f + 1);
        }
        rows.append(sqlite3_column_int(st.stmt, 0), texts, sizes);
    }
    if (rc != SQLITE_DONE)
        throw TDbError(QString::fromUtf8(sqlite3_errmsg(db)));
    return rows;
}

bool Exists(int id) {
    TQuery q(QStringLiteral("SELECT 1 FROM client WHERE id = ?"));
    q.bind(id).exec();
    return q.next();
}

} // namespace TClientList
