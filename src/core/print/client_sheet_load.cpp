#include "data/query.h"
#include "print/client_sheet.h"

// Kept apart from the drawing so the sheet can be drawn without the database layer.
bool TClientSheet::load(int clientId, QHash<QString, QString>& values) {
    TQuery q(QStringLiteral("SELECT * FROM client WHERE id = ?"));
    q.bind(clientId).exec();
    if (!q.next())
        return false;
    values.clear();
    for (const QString& column : columns())
        values.insert(column, q.value(column).toString());
    return true;
}
