// Kept apart from the rest of the settings so that only callers of the version text need the
// database layer linked in.
#include "data/query.h"
#include "shell/settings.h"

QString TAppSettings::DataFileVersionText() const {
    TQuery q(QStringLiteral("SELECT value FROM settings WHERE variable = ?"));
    q.bind(QStringLiteral("datafile_version")).exec();
    const QString value = q.next() ? q.value(0).toString() : QString();
    return value.isEmpty() ? QStringLiteral("Unknown") : value;
}
