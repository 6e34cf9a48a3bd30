#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class TPageWriter;

// What the client sheet shows: one client's thirteen fields by column name, the label of each
// field (the three free fields carry the names the user gave them), the practice's name and
// the date printed.
struct TClientSheetData {
    int clientId = 0;
    QHash<QString, QString> values; // column name -> value
    QHash<QString, QString> labels; // column name -> label ending in ":"
    QString practiceName;
    QString printedOn;
};

// The client sheet: a one-page summary of a client's details that continues on further pages
// only when the notes need them.
class TClientSheet {
public:
    // The thirteen client columns, in the order the sheet shows them.
    static QStringList columns();
    // The labels of the thirteen fields, the free fields named otherNames[0..2]
    // (a name left empty falls back to "Other n").
    static QHash<QString, QString> labels(const QStringList& otherNames);
    // The client's values by column name; false when no client has this id.
    // Throws TDbError when the database fails.
    static bool load(int clientId, QHash<QString, QString>& values);
    // A title for the output ("Client sheet - <company name>").
    static QString title(const TClientSheetData& data);

    static void draw(TPageWriter& writer, const TClientSheetData& data);
};
