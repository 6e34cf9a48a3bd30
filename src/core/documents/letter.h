#pragma once

#include "data/orecord.h"

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <array>

// The six document types; a row's `type` is the index, and choice boxes list them in this order.
inline constexpr std::array<QLatin1String, 6> DocumentTypeNames{
    QLatin1String("General"),  QLatin1String("Letters"), QLatin1String("Reports"),
    QLatin1String("Projects"), QLatin1String("Forms"),   QLatin1String("Other")};

// The name of a stored type, empty for a value outside the table.
QString DocumentTypeName(int type);

// Owners (`clientid`): a client's id (> 0), or one of these.
namespace DocumentOwner {
inline constexpr int General = 0;
inline constexpr int ClientTemplate = -1;
inline constexpr int GeneralTemplate = -2;
} // namespace DocumentOwner

// Where a document's content comes from (`source`).
namespace DocumentSource {
inline constexpr int Editor = 0;       // body in `file`, plain text in `letter`
inline constexpr int AttachedFile = 1; // file bytes in `file`, file name in `letter`
} // namespace DocumentSource

// One row of `letters`. Only Load fills the fields; Add and Save write their arguments.
class TLetter : public TORecord {
public:
    explicit TLetter(int clientid);

    int clientid;
    QString letter;
    double date = 0;
    QString desc;
    int type = 0;
    QString category;
    int source = 0;
    QByteArray file;
    QString tablename;

    // Appends a row; the object's id is left as it was.
    void Add(const QString& desc, const QString& category, const QByteArray& body, double date,
             int source, int type, const QString& letter);
    // Writes the row with the object's id, or appends one when there is none; id then holds the
    // row's id.
    void Save(const QString& desc, const QString& category, const QByteArray& body, double date,
              int source, int type, const QString& letter);
    // A missing row gives id 0, empty texts, zeros and an empty file; clientid is kept.
    void Load(int id);
    void Delete(int id);

    // The type's category names, one per line ("\r\n"); empty when the type has no row.
    static QString GetCategories(int type);
};

// One row of `letter_templates`: the same operations on the templates' table.
class TLetterTemplate : public TLetter {
public:
    explicit TLetterTemplate(int clientid);
};
