#include "sampledata.h"

#include "data/query.h"

#include <QRandomGenerator>
#include <QStringList>

namespace {
const QStringList FirstNames = {
    QStringLiteral("James"),  QStringLiteral("Mary"),     QStringLiteral("Émile"),
    QStringLiteral("Zoë"),    QStringLiteral("Siobhán"),  QStringLiteral("Jürgen"),
    QStringLiteral("Ana"),    QStringLiteral("Mohammed"), QStringLiteral("Priya"),
    QStringLiteral("Wei"),    QStringLiteral("Олег"),     QStringLiteral("Σοφία"),
    QStringLiteral("Chloé"),  QStringLiteral("Łukasz"),   QStringLiteral("Oliver"),
    QStringLiteral("Amelia"), QStringLiteral("George"),   QStringLiteral("Isla"),
    QStringLiteral("Søren"),  QStringLiteral("Nuño"),     QStringLiteral("Yūki"),
    QStringLiteral("Fatima"), QStringLiteral("Thomas"),   QStringLiteral("Grace")};
const QStringList LastNames = {
    QStringLiteral("Smith"),     QStringLiteral("O'Brien"),    QStringLiteral("Müller"),
    QStringLiteral("García"),    QStringLiteral("Dubois"),     QStringLiteral("Nowak"),
    QStringLiteral("Jones"),     QStringLiteral("Kowalczyk"),  QStringLiteral("Patel"),
    QStringLiteral("Chen"),      QStringLiteral("Иванов"),     QStringLiteral("Παπαδόπουλος"),
    QStringLiteral("Taylor"),    QStringLiteral("Brown"),      QStringLiteral("van der Berg"),
    QStringLiteral("Ferreira"),  QStringLiteral("Nakamura"),   QStringLiteral("Wilson"),
    QStringLiteral("Øvergaard"), QStringLiteral("Ní Bhriain"), QStringLiteral("Evans"),
    QStringLiteral("Hughes"),    QStringLiteral("Łęcki"),      QStringLiteral("Roberts")};
const QStringList CompanyWords = {
    QStringLiteral("Acme"),       QStringLiteral("Northwind"), QStringLiteral("Bluebell"),
    QStringLiteral("Harbour"),    QStringLiteral("Café"),      QStringLiteral("Riverside"),
    QStringLiteral("Oakwood"),    QStringLiteral("Summit"),    QStringLiteral("Lindqvist"),
    QStringLiteral("Greenfield"), QStringLiteral("Crèche"),    QStringLiteral("Kingfisher"),
    QStringLiteral("Meridian"),   QStringLiteral("Thistle"),   QStringLiteral("Beacon"),
    QStringLiteral("Ōsaka")};
const QStringList CompanyKinds = {
    QStringLiteral("Ltd"),      QStringLiteral("& Sons"),          QStringLiteral("Partners LLP"),
    QStringLiteral("GmbH"),     QStringLiteral("Bakery"),          QStringLiteral("Consulting"),
    QStringLiteral("Trust"),    QStringLiteral("Dental Practice"), QStringLiteral("S.A.R.L."),
    QStringLiteral("Builders"), QStringLiteral("Accountants"),     QStringLiteral("Foundation")};
const QStringList Streets = {QStringLiteral("High Street"),     QStringLiteral("Church Lane"),
                             QStringLiteral("Station Road"),    QStringLiteral("Rue de la Paix"),
                             QStringLiteral("Königsallee"),     QStringLiteral("Mill Road"),
                             QStringLiteral("Victoria Avenue"), QStringLiteral("Calle Mayor"),
                             QStringLiteral("Park View")};
const QStringList Towns = {QStringLiteral("Little Wittering"),
                           QStringLiteral("Bristol"),
                           QStringLiteral("Lyon"),
                           QStringLiteral("Düsseldorf"),
                           QStringLiteral("Cork"),
                           QStringLiteral("Kraków"),
                           QStringLiteral("York"),
                           QStringLiteral("Sevilla"),
                           QStringLiteral("Aberystwyth")};
const QStringList Positions = {QStringLiteral("Director"),       QStringLiteral("Owner"),
                               QStringLiteral("Office manager"), QStringLiteral("Finance officer"),
                               QStringLiteral("Parent"),         QStringLiteral("Self-employed")};
const QStringList Sentences = {
    QStringLiteral("Prefers to be contacted by e-mail in the mornings."),
    QStringLiteral("Referred by a former client; first meeting went well."),
    QStringLiteral("Asked for a summary of the fees in writing."),
    QStringLiteral("Follow up after the holidays about the \"second phase\"."),
    QStringLiteral("Paid the last invoice late — send a friendly reminder next time."),
    QStringLiteral("Has two sites; post goes to the head office."),
    QStringLiteral("Wants copies of every letter sent to the accountant as well.")};
const QStringList LetterTitles = {
    QStringLiteral("Engagement letter"), QStringLiteral("Progress report"),
    QStringLiteral("Fee proposal"),      QStringLiteral("Meeting minutes"),
    QStringLiteral("Intake form"),       QStringLiteral("Follow-up letter")};
const QStringList Categories = {QStringLiteral("Correspondence"), QStringLiteral("Letter"),
                                QStringLiteral("Report"),         QStringLiteral("Minutes"),
                                QStringLiteral("Intake form"),    QStringLiteral("Other")};

class Generator {
public:
    explicit Generator(quint32 seed) : m_rng(seed) {}
    int below(int n) { return int(m_rng.bounded(quint32(n))); }
    bool chance(int percent) { return below(100) < percent; }
    const QString& pick(const QStringList& list) { return list.at(below(int(list.size()))); }

    QString person() { return pick(FirstNames) + QLatin1Char(' ') + pick(LastNames); }
    QString company() {
        QString name = pick(CompanyWords) + QLatin1Char(' ') + pick(CompanyKinds);
        if (chance(5))
            name = QStringLiteral("The \"") + pick(CompanyWords) + QStringLiteral("\" ") +
                   pick(CompanyKinds);
        return name;
    }
    QString phone() {
        return QStringLiteral("0%1 %2 %3")
            .arg(1000 + below(9000))
            .arg(100 + below(900))
            .arg(1000 + below(9000));
    }
    QString address() {
        QStringList lines{QString::number(1 + below(250)) + QLatin1Char(' ') + pick(Streets)};
        if (chance(30))
            lines << QStringLiteral("Unit %1").arg(1 + below(40));
        lines << pick(Towns)
              << QStringLiteral("%1%2 %3%4%5")
                     .arg(QChar(u'A' + below(26)))
                     .arg(QChar(u'A' + below(26)))
                     .arg(1 + below(9))
                     .arg(below(10))
                     .arg(QChar(u'A' + below(26)));
        return lines.join(QStringLiteral("\r\n"));
    }
    QString sentences(int n) {
        QStringList out;
        for (int i = 0; i < n; ++i)
            out << pick(Sentences);
        return out.join(QStringLiteral("\r\n"));
    }
    // Serial days between 2015 and 2025, with a time of day.
    double date() { return 42005 + below(3650) + below(96) / 96.0; }

private:
    QRandomGenerator m_rng;
};

QString asciiSlug(const QString& s) {
    QString out;
    for (const QChar c : s.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            out += c.toLower();
    }
    return out.isEmpty() ? QStringLiteral("client") : out;
}

// RTF escapes for the plain text of a sample body: non-ASCII as \uN? so any reader gets it.
QByteArray rtfBody(const QString& text) {
    QByteArray out("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}')
            out += '\\', out += char(u);
        else if (u == u'\n')
            out += "\\par ";
        else if (u == u'\r')
            continue;
        else if (u < 128)
            out += char(u);
        else
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
    }
    out += "\\par}";
    return out;
}
} // namespace

void AddSampleData(const SampleOptions& options) {
    Generator g(options.seed);
    TTransaction transaction;
    TQuery client(QStringLiteral(
        "INSERT INTO client (ledtCompanyName, memAddress, ledtPrimaryContact, ledtOffice, ledtFax, "
        "ledtEmail, ledtPosition, ledtWebsite, ledtOther1, ledtOther2, ledtOther3, ledtReference, "
        "memNotes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    TQuery letter(QStringLiteral(
        "INSERT INTO letters (clientid, \"desc\", \"type\", category, \"date\", source, letter, "
        "\"file\") VALUES (?, ?, ?, ?, ?, 0, ?, ?)"));
    TQuery note(QStringLiteral(
        "INSERT INTO notes (clientid, \"desc\", \"date\", notes) VALUES (?, ?, ?, ?)"));
    const QString empty = QStringLiteral("");

    for (int i = 0; i < options.clients; ++i) {
        const bool isCompany = g.chance(45);
        const QString contact = g.person();
        QString name = isCompany ? g.company() : contact;
        if (g.chance(2)) // names longer than any list column is wide
            name += QStringLiteral(" Holdings and Associated Enterprises of the Northern Region");
        const QString slug = asciiSlug(isCompany ? name.section(QLatin1Char(' '), 0, 0) : contact);
        const QString domain =
            slug + (g.chance(50) ? QStringLiteral(".example.com") : QStringLiteral(".example.org"));
        client.bind(name)
            .bind(g.address())
            .bind(isCompany ? contact : empty)
            .bind(g.phone())
            .bind(g.chance(20) ? g.phone() : empty)
            .bind(QStringLiteral("info@") + domain)
            .bind(g.pick(Positions))
            .bind(g.chance(60) ? QStringLiteral("https://www.") + domain : empty)
            .bind(g.chance(30) ? g.phone() : empty)
            .bind(empty)
            .bind(empty)
            .bind(QStringLiteral("C%1").arg(i + 1, 6, 10, QLatin1Char('0')))
            .bind(g.chance(70) ? g.sentences(1 + g.below(4)) : empty)
            .exec();
        if (!options.documents)
            continue;
        const qint64 id = client.lastInsertId().toLongLong();
        for (int d = 0, n = 1 + g.below(4); d < n; ++d) {
            const int type = g.below(6);
            const QString text = QStringLiteral("Dear ") + contact + QStringLiteral(",\r\n\r\n") +
                                 g.sentences(2 + g.below(3)) +
                                 QStringLiteral("\r\n\r\nYours sincerely");
            letter.bind(id)
                .bind(g.pick(LetterTitles))
                .bind(type)
                .bind(Categories.at(type))
                .bind(g.date())
                .bind(text)
                .bind(rtfBody(text))
                .exec();
        }
        for (int k = 0, n = g.below(4); k < n; ++k)
            note.bind(id).bind(QStringLiteral("Call")).bind(g.date()).bind(g.sentences(2)).exec();
    }
    transaction.commit();
}
