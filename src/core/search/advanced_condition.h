#pragma once

#include "records/clientlist.h"

#include <QList>
#include <QString>
#include <QStringList>

// The criteria of the advanced client search: each a field, an operator and a value, joined to
// the next by a relation word. They are shown as readable lines and turned into a condition on
// the client table whose values are all bound parameters, so any text is looked for as typed.
class TAdvancedCriteria {
public:
    struct Field {
        QString caption; // default caption; positions 9 to 11 are the configurable Other fields
        QString column;
    };
    struct Operator {
        QString caption;
        QString sql;   // between the column and its parameter
        bool wildcard; // the value is looked for anywhere in the column
    };
    struct Criterion {
        int field = 0;
        int oper = 0;
        QString value;
        QString relation = QStringLiteral("And"); // joins this criterion to the next one
    };

    static const QList<Field>& Fields();
    static const QList<Operator>& Operators();
    // The operator whose caption is `text` (ignoring case and surrounding blanks), else -1.
    static int OperatorIndex(const QString& text);
    static bool IsRelation(const QString& word);

    // Captions of the three Other fields; empty names keep the default captions.
    void SetOtherNames(const QString& other1, const QString& other2, const QString& other3);
    QStringList FieldCaptions() const;

    // Appends a criterion; the relation word joins the current last criterion to it. Field and
    // operator must be valid positions and the relation "And" or "Or" (asserted by the caller).
    void Add(int field, int oper, const QString& value, const QString& relation);
    // Removes one criterion; the one before it is then joined to whatever follows, so the last
    // line never ends in a dangling relation word.
    void Remove(int index);
    void Clear() { m_items.clear(); }
    int Count() const { return int(m_items.size()); }
    const Criterion& Item(int i) const { return m_items[i]; }

    QString Line(int index) const;
    QStringList Lines() const;
    // The condition for the client list: empty with no criteria.
    TClientFilter Condition() const;

private:
    QList<Criterion> m_items;
    QStringList m_captions = defaultCaptions();
    static QStringList defaultCaptions();
};
