#pragma once

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

// One row of the client list, the address already on one line.
struct TClientListRow {
    int id = 0;
    QString companyName;
    QString address;
    QString primaryContact;
    QString office;
};

// The client list's queries: the id and display columns of the clients matching a filter.
namespace TClientList {

// The client number typed into the quick search, or 0 when the text is not one (ids are
// positive; "-1", "0" and other numbers are searched for as text).
int QuickSearchId(const QString& text);

// The four-column containment test of the quick search; the text is matched as typed, with
// no wildcard of its own.
TClientFilter QuickSearchFilter(const QString& text);

// A LIKE pattern that matches `text` literally, for use with ESCAPE '\'.
QString LikeLiteral(const QString& text);

// Lines of an address joined with spaces, so it shows on one row.
QString OneLine(const QString& text);

std::vector<TClientListRow> Load(const TClientFilter& filter);
bool Exists(int id);

} // namespace TClientList
