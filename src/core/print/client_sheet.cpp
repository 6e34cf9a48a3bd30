#include "print/client_sheet.h"

#include "print/pagewriter.h"

namespace {
const QColor kAccent(0x1f, 0x3a, 0x5f);
const QColor kText(0x1a, 0x1a, 0x1a);
const QColor kMuted(0x5f, 0x66, 0x70);
const QColor kRule(0xb4, 0xbb, 0xc6);

constexpr double kSide = 0.75; // left and right margins
constexpr double kTop = 0.6;
constexpr double kBottom = 0.75; // leaves room for the page number
constexpr double kLabelWidth = 1.55;

struct Section {
    QString caption;
    QStringList columns;
};

// The sheet follows the client details page: its group boxes become the sections.
const QList<Section>& sections() {
    static const QList<Section> list = {
        {QStringLiteral("Client"),
         {QStringLiteral("ledtCompanyName"), QStringLiteral("memAddress")}},
        {QStringLiteral("Contact information"),
         {QStringLiteral("ledtPrimaryContact"), QStringLiteral("ledtPosition"),
          QStringLiteral("ledtOffice"), QStringLiteral("ledtEmail"), QStringLiteral("ledtFax")}},
        {QStringLiteral("Other"),
         {QStringLiteral("ledtWebsite"), QStringLiteral("ledtReference"),
          QStringLiteral("ledtOther1"), QStringLiteral("ledtOther2"),
          QStringLiteral("ledtOther3")}},
    };
    return list;
}

// A section caption with a hair-line under it, kept on the page with the lines after it.
void heading(TPageWriter& w, const QString& caption, double right) {
    w.setFont(10, true);
    w.ensureSpace(w.lineHeight() * 4);
    if (w.y() > w.margins().top() + 0.01)
        w.setY(w.y() + 0.16);
    w.setColor(kAccent);
    w.printAt(kSide, caption);
    w.newLine();
    w.setColor(kRule);
    w.drawLine(kSide, w.y(), right, w.y(), 0.5);
    w.setY(w.y() + 0.07);
}

void field(TPageWriter& w, const QString& label, const QString& value, double right) {
    w.setFont(10, true);
    w.setColor(kText);
    w.ensureSpace(w.lineHeight());
    w.printAt(kSide, label);
    w.setBold(false);
    w.wrapText(value, kSide + kLabelWidth, right);
    w.setY(w.y() + 0.03);
}
} // namespace

QStringList TClientSheet::columns() {
    QStringList list;
    for (const Section& s : sections())
        list += s.columns;
    list.append(QStringLiteral("memNotes"));
    return list;
}

QHash<QString, QString> TClientSheet::labels(const QStringList& otherNames) {
    QHash<QString, QString> l{
        {QStringLiteral("ledtCompanyName"), QStringLiteral("Company name:")},
        {QStringLiteral("memAddress"), QStringLiteral("Address:")},
        {QStringLiteral("ledtPrimaryContact"), QStringLiteral("Primary contact:")},
        {QStringLiteral("ledtPosition"), QStringLiteral("Position/other:")},
        {QStringLiteral("ledtOffice"), QStringLiteral("Office number:")},
        {QStringLiteral("ledtEmail"), QStringLiteral("Primary email:")},
        {QStringLiteral("ledtFax"), QStringLiteral("Fax:")},
        {QStringLiteral("ledtWebsite"), QStringLiteral("Website:")},
        {QStringLiteral("ledtReference"), QStringLiteral("Reference:")},
        {QStringLiteral("memNotes"), QStringLiteral("Notes")},
    };
    for (int i = 0; i < 3; ++i) {
        QString name = otherNames.value(i).trimmed();
        if (name.isEmpty())
            name = QStringLiteral("Other %1").arg(i + 1);
        l.insert(QStringLiteral("ledtOther%1").arg(i + 1), name + QLatin1Char(':'));
    }
    return l;
}

QString TClientSheet::title(const TClientSheetData& data) {
    const QString name = data.values.value(QStringLiteral("ledtCompanyName")).simplified();
    return name.isEmpty() ? QStringLiteral("Client sheet")
                          : QStringLiteral("Client sheet - %1").arg(name);
}

void TClientSheet::draw(TPageWriter& w, const TClientSheetData& data) {
    const double right = w.pageWidth() - kSide;
    const QString company = data.values.value(QStringLiteral("ledtCompanyName")).simplified();
    w.setMargins(QMarginsF(kSide, kTop, kSide, kBottom));
    w.setPageNumbers(true);

    // The practice's letterhead line: its name, and when the sheet was printed.
    w.gotoXY(kSide, kTop);
    w.setFont(12, true);
    const double baseline = w.y() + w.ascent();
    w.setColor(kAccent);
    w.printAt(kSide, data.practiceName);
    w.setFont(9);
    w.setColor(kMuted);
    w.setY(baseline - w.ascent());
    w.printAt(right, QStringLiteral("Printed: %1").arg(data.printedOn), TPageWriter::Align::Right);
    w.setY(baseline + 0.12);
    w.setColor(kAccent);
    w.drawLine(kSide, w.y(), right, w.y(), 1.5);

    // The client's name as the sheet's title.
    w.setY(w.y() + 0.3);
    w.setFont(14, true);
    w.setColor(kText);
    w.wrapText(company, kSide, right);
    w.setFont(9);
    w.setColor(kMuted);
    w.printAt(kSide, data.clientId > 0
                         ? QStringLiteral("Client sheet  \u00b7  Client ID %1").arg(data.clientId)
                         : QStringLiteral("Client sheet"));
    w.newLine();

    // Pages the notes continue on say whose sheet they belong to.
    w.setPageHeader([&data, company, right](TPageWriter& p) {
        p.setFont(9);
        p.setColor(kMuted);
        p.printAt(kSide, QStringLiteral("%1 - client sheet (continued)").arg(company));
        p.printAt(right, data.practiceName, TPageWriter::Align::Right);
        p.newLine();
        p.setColor(kRule);
        p.drawLine(kSide, p.y() + 0.02, right, p.y() + 0.02, 0.5);
        p.setY(p.y() + 0.2);
    });

    for (const Section& s : sections()) {
        heading(w, s.caption, right);
        for (const QString& column : s.columns)
            field(w, data.labels.value(column), data.values.value(column), right);
    }

    heading(w, data.labels.value(QStringLiteral("memNotes"), QStringLiteral("Notes")), right);
    w.setFont(10);
    w.setColor(kText);
    w.wrapText(data.values.value(QStringLiteral("memNotes")), kSide, right);
}
