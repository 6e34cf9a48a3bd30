#include "shell/pendingnote.h"

#include <QLabel>

QLabel* PendingNote(QWidget* parent, const QString& viewName) {
    auto* note =
        new QLabel(QStringLiteral("%1 is not ready yet.\nIt comes with a later version of Quillon.")
                       .arg(viewName),
                   parent);
    note->setObjectName(QStringLiteral("lblPending"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->setEnabled(false); // drawn in the muted text colour
    return note;
}
