#include "search/advanced_condition.h"

const QList<TAdvancedCriteria::Field>& TAdvancedCriteria::Fields() {
    static const QList<Field> fields = {
        {QStringLiteral("Company name"), QStringLiteral("ledtCompanyName")},
        {QStringLiteral("Address"), QStringLiteral("memAddress")},
        {QStringLiteral("Primary contact"), QStringLiteral("ledtPrimaryContact")},
        {QStringLiteral("Position/other"), QStringLiteral("ledtPosition")},
        {QStringLiteral("Office tel"), QStringLiteral("ledtOffice")},
        {QStringLiteral("Email"), QStringLiteral("ledtEmail")},
        {QStringLiteral("Fax"), QStringLiteral("ledtFax")},
        {QStringLiteral("Website"), QStringLiteral("ledtWebsite")},
        {QStringLiteral("Reference"), QStringLiteral("ledtReference")},
        {QStringLiteral("Other 1"), QStringLiteral("ledtOther1")},
        {QStringLiteral("Other 2"), QStringLiteral("ledtOther2")},
        {QStringLiteral("Other 3"), QStringLiteral("ledtOther3")},
        {QStringLiteral("Notes"), QStringLiteral("memNotes")},
    };
    return fields;
}

const QList<TAdvancedCriteria::Operator>& TAdvancedCriteria::Operators() {
    static const QList<Operator> operators = {
        {QStringLiteral("Equal to"), QStringLiteral("="), false},
        {QStringLiteral("Contains"), QStringLiteral("LIKE"), true},
        {QStringLiteral("Not equal to"), QStringLiteral("<>"), false},
        {QStringLiteral("Does not contain"), QStringLiteral("NOT LIKE"), true},
    };
    return operators;
}

int TAdvancedCriteria::OperatorIndex(const QString& text) {
    const QString wanted = text.trimmed();
    const auto& ops = Operators();
    for (int i = 0; i < ops.size(); ++i) {
        if (ops[i].caption.compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool TAdvancedCriteria::IsRelation(const QString& word) {
    return word == QLatin1String("And") || word == QLatin1String("Or");
}

QStringList TAdvancedCriteria::defaultCaptions() {
    QStringList captions;
    for (const Field& f : Fields())
        captions.append(f.caption);
    return captions;
}

void TAdvancedCriteria::SetOtherNames(const QString& other1, const QString& other2,
                                      const QString& other3) {
    const QString names[] = {other1, other2, other3};
    for (int i = 0; i < 3; ++i) {
        const QString name = names[i].trimmed();
        m_captions[9 + i] = name.isEmpty() ? Fields()[9 + i].caption : name;
    }
}

QStringList TAdvancedCriteria::FieldCaptions() const {
    return m_captions;
}

void TAdvancedCriteria::Add(int field, int oper, const QString& value, const QString& relation) {
    Q_ASSERT(field >= 0 && field < Fields().size());
    Q_ASSERT(oper >= 0 && oper < Operators().size());
    if (!m_items.isEmpty())
        m_items.last().relation = IsRelation(relation) ? relation : QStringLiteral("And");
    m_items.append(Criterion{field, oper, value, QStringLiteral("And")});
}

void TAdvancedCriteria::Remove(int index) {
    if (index < 0 || index >= m_items.size())
        return;
    m_items.removeAt(index);
}

QString TAdvancedCriteria::Line(int index) const {
    const Criterion& c = m_items[index];
    const Operator& op = Operators()[c.oper];
    const QString w = op.wildcard ? QStringLiteral("%") : QString();
    QString value = c.value;
    value.replace(u'"', QLatin1String("\"\""));
    QString line = u'"' + m_captions[c.field] + QLatin1String("\" ") + op.caption +
                   QLatin1String(" \"") + w + value + w + QLatin1String("\" ");
    if (index < m_items.size() - 1)
        line += u' ' + c.relation;
    return line;
}

QStringList TAdvancedCriteria::Lines() const {
    QStringList lines;
    for (int i = 0; i < m_items.size(); ++i)
        lines.append(Line(i));
    return lines;
}

TClientFilter TAdvancedCriteria::Condition() const {
    TClientFilter filter;
    for (int i = 0; i < m_items.size(); ++i) {
        const Criterion& c = m_items[i];
        const Operator& op = Operators()[c.oper];
        const QString& column = Fields()[c.field].column;
        // A null column (possible in rows written by other programs) counts as empty text,
        // so "Not equal to" and "Does not contain" still list it. The column stays bare so
        // its case-insensitive collation applies.
        const bool negated = c.oper == 2 || c.oper == 3;
        const QString test =
            column + u' ' + op.sql + QLatin1String(" ?") +
            (op.wildcard && TClientList::NeedsEscape(c.value) ? QLatin1String(" ESCAPE '\\'")
                                                              : QLatin1String());
        filter.condition += u' ' + (negated ? QLatin1String("(") + column +
                                                  QLatin1String(" IS NULL OR ") + test + u')'
                                            : test);
        if (op.wildcard) {
            filter.values.append(u'%' + TClientList::LikeLiteral(c.value) + u'%');
        } else {
            // An empty value is the empty text, never a null that equals nothing.
            filter.values.append(c.value.isNull() ? QStringLiteral("") : c.value);
        }
        if (i < m_items.size() - 1)
            filter.condition += u' ' + c.relation.toUpper();
    }
    return filter;
}
