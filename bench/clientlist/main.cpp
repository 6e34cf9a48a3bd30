// Client list timings on a generated practice: loading the whole list and running a quick
// search, each the median of several runs, beside the sqlite3 shell running the same SELECT
// on the same file (the floor no program on that file can beat).
//
//   bench_clientlist [--data-dir DIR] [--clients N] [--runs N] [--search TEXT]
//
// DIR is filled by quillon-sample when it holds no database yet.

#include "data/dbcontainer.h"
#include "records/clientlist.h"
#include "records/clientlistmodel.h"
#include "shell/apppaths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double timeMedian(int runs, const std::function<void()>& work) {
    QList<double> ms;
    work(); // warm the page cache and the statement cache
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms << t.nsecsElapsed() / 1e6;
    }
    return median(ms);
}

// The sqlite3 shell's own timer around the statement, output discarded: no process start-up
// in the figure.
double sqliteFloor(const QString& file, const QString& sql, int runs) {
    QString script = QStringLiteral(".output /dev/null\n") + sql + QStringLiteral(";\n");
    script += QStringLiteral(".timer on\n");
    for (int i = 0; i < runs; ++i)
        script += sql + QStringLiteral(";\n");
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("sqlite3"), {QStringLiteral("-readonly"), file});
    p.write(script.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(600000))
        return -1;
    const QString out = QString::fromUtf8(p.readAll());
    static const QRegularExpression re(QStringLiteral("Run Time: real ([0-9.]+)"));
    QList<double> ms;
    for (auto it = re.globalMatch(out); it.hasNext();)
        ms << it.next().captured(1).toDouble() * 1000;
    if (ms.isEmpty()) {
        std::fprintf(stderr, "sqlite3 gave no timing:\n%s\n", qPrintable(out.left(2000)));
        return -1;
    }
    return median(ms);
}

QString literalSql(const TClientFilter& filter) {
    // The same statement with its values written in, for the shell.
    const QString base = QStringLiteral(
        "SELECT id, ledtCompanyName, memAddress, ledtPrimaryContact, ledtOffice FROM client");
    if (filter.isEmpty())
        return base + QStringLiteral(" ORDER BY id");
    QString condition = filter.condition;
    for (const QVariant& v : filter.values) {
        QString text = v.toString();
        text.replace(u'\'', QStringLiteral("''"));
        condition.replace(condition.indexOf(u'?'), 1, u'\'' + text + u'\'');
    }
    return base + QStringLiteral(" WHERE ") + condition + QStringLiteral(" ORDER BY id");
}

void report(const char* what, double ms, double floor, double goal) {
    std::printf("%-28s %8.1f ms   sqlite3 %8.1f ms   ratio %5.2f   goal < %.0f ms and ratio < 1.5"
                "   %s\n",
                what, ms, floor, floor > 0 ? ms / floor : 0.0, goal,
                ms < goal && floor > 0 && ms / floor < 1.5 ? "met" : "NOT MET");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dirOpt(QStringLiteral("data-dir"), QStringLiteral("data folder"),
                                    QStringLiteral("DIR"));
    const QCommandLineOption clientsOpt(QStringLiteral("clients"),
                                        QStringLiteral("clients to generate"), QStringLiteral("N"),
                                        QStringLiteral("100000"));
    const QCommandLineOption runsOpt(QStringLiteral("runs"), QStringLiteral("runs per figure"),
                                     QStringLiteral("N"), QStringLiteral("7"));
    const QCommandLineOption searchOpt(QStringLiteral("search"), QStringLiteral("quick search"),
                                       QStringLiteral("TEXT"), QStringLiteral("son"));
    parser.addOptions({dirOpt, clientsOpt, runsOpt, searchOpt});
    parser.process(app);

    QTemporaryDir temp;
    const QString dir = parser.isSet(dirOpt) ? parser.value(dirOpt) : temp.path();
    const QString dbFile = QDir(dir).filePath(QStringLiteral("Quillon.qdb"));
    TAppPaths::setInstalledDir(QCoreApplication::applicationDirPath() +
                               QStringLiteral("/../share/quillon"));
    if (!QFileInfo::exists(dbFile)) {
        std::printf("generating %s clients in %s ...\n", qPrintable(parser.value(clientsOpt)),
                    qPrintable(dir));
        std::fflush(stdout);
        const int rc = QProcess::execute(
            QCoreApplication::applicationDirPath() + QStringLiteral("/quillon-sample"),
            {QStringLiteral("--data-dir"), dir, QStringLiteral("--clients"),
             parser.value(clientsOpt), QStringLiteral("--no-documents")});
        if (rc != 0) {
            std::fprintf(stderr, "quillon-sample failed (%d)\n", rc);
            return 1;
        }
    }
    TAppPaths::init(dir);
    TdmAccess db(dbFile);
    db.Open();
    const int runs = parser.value(runsOpt).toInt();

    TClientListModel model;
    size_t listed = 0;
    const double load = timeMedian(runs, [&] {
        model.setRows(TClientList::Load(TClientFilter{}));
        listed = size_t(model.rowCount());
    });
    const TClientFilter search = TClientList::QuickSearchFilter(parser.value(searchOpt));
    size_t found = 0;
    const double quick = timeMedian(runs, [&] {
        model.setRows(TClientList::Load(search));
        found = size_t(model.rowCount());
    });
    db.Close();

    const double loadFloor = sqliteFloor(dbFile, literalSql(TClientFilter{}), runs);
    const double quickFloor = sqliteFloor(dbFile, literalSql(search), runs);
    std::printf("%zu clients listed; quick search \"%s\" finds %zu; median of %d runs\n", listed,
                qPrintable(parser.value(searchOpt)), found, runs);
    report("client list load", load, loadFloor, 200);
    report("quick search", quick, quickFloor, 100);
    return 0;
}
