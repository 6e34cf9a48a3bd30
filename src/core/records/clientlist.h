#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <vector>

// The condition of the client list: SQL text with '?' placeholders and the values bound to
// them, in order. Empty means every client.
struct TClientFilter {
    QString condition;
    QVariantList values;
    bool isEmpty() const { return condition.trimmed().isEmpty(); }
};

// The rows of the client list: ids and the four display columns. The texts are kept as they
// come from the database, in one buffer, so a list of any length loads with a handful of
// allocations; a cell is decoded only when it is shown.
class TClientListRows {
public:
    enum Field { CompanyName, Address, PrimaryContact, Office, FieldCount };

    int count() const { return int(m_ids.size()); }
    int id(int row) const { return m_ids[size_t(row)]; }
    // The address comes back on one line.
    QString text(int row, Field field) const;
    bool sortedById() const;

    void append(int id, const char* const texts[FieldCount], const int sizes[FieldCount]);

private:
    std::vector<int> m_ids;
    std::vector<quint32> m_ends; // FieldCount per row: where each text ends in m_text
    QByteArray m_text;           // UTF-8
};

// The client list's queries: the id and display columns of the clients matching a filter.
namespace TClientList {

// The client number typed into the quick search, or 0 when the text is not one (ids are
// positive; "-1", "0" and other numbers are searched for as text).
int QuickSearchId(const QString& text);

// The four-column containment test of the quick search; the text is matched as typed, with
// no wildcard of its own.
TClientFilter QuickSearchFilter(const QString& text);

// A LIKE pattern that matches `text` literally, for use with ESCAPE '\' (needed only when
// NeedsEscape(text): otherwise the pattern is the text itself).
QString LikeLiteral(const QString& text);
bool NeedsEscape(const QString& text);

// Lines of an address joined with spaces, so it shows on one row.
QString OneLine(const QString& text);

TClientListRows Load(const TClientFilter& filter);
bool Exists(int id);

} // namespace TClientList
