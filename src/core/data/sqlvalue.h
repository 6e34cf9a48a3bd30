#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// The SQLite driver binds a null QString or QByteArray as SQL NULL. Stored text and bodies are
// never NULL: an empty field is the empty text, an empty body the empty blob.
namespace SqlValue {
inline QVariant text(const QString& s) {
    return s.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(s);
}
inline QVariant blob(const QByteArray& b) {
    return b.isNull() ? QVariant(QByteArray("", 0)) : QVariant(b);
}
// Quotes a name as an SQL identifier; only for names the program has checked.
inline QString identifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
} // namespace SqlValue
