// bench-clientdb [N]: generates N clients (default 100000) with documents in a temporary data
// folder and times the queries the client list runs.
#include "data/client.h"
#include "data/dbcontainer.h"
#include "data/query.h"
#include "sampledata.h"
#include "shell/apppaths.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {
void timeIt(const char* what, int repeat, const std::function<int()>& run) {
    QElapsedTimer t;
    t.start();
    int rows = 0;
    for (int i = 0; i < repeat; ++i)
        rows = run();
    std::printf("%-40s %8.2f ms  (%d rows)\n", what, double(t.nsecsElapsed()) / 1e6 / repeat, rows);
}

int countRows(const QString& sql, const QString& term) {
    TQuery q(sql);
    const int marks = int(sql.count(QLatin1Char('?')));
    for (int i = 0; i < marks; ++i)
        q.bind(term);
    q.exec();
    int n = 0;
    while (q.next())
        ++n;
    return n;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    TAppPaths::init(dir.path());
    TdmAccess access(TAppPaths::dataDir() + QStringLiteral("Quillon.qdb"));
    access.Open();
    timeIt("generate clients with documents", 1, [&] {
        SampleOptions o;
        o.clients = n;
        AddSampleData(o);
        return n;
    });
    const QString search = QStringLiteral(
        "SELECT id, ledtCompanyName FROM client WHERE ledtCompanyName LIKE '%' || ? || '%' OR "
        "ledtPrimaryContact LIKE '%' || ? || '%' OR ledtReference LIKE '%' || ? || '%' OR "
        "ledtEmail LIKE '%' || ? || '%' ORDER BY ledtCompanyName");
    timeIt("quick search 'smith' (ASCII)", 5,
           [&] { return countRows(search, QStringLiteral("smith")); });
    timeIt("quick search 'émile' (accented)", 5,
           [&] { return countRows(search, QStringLiteral("émile")); });
    timeIt("whole list ordered by name", 5, [&] {
        return countRows(
            QStringLiteral("SELECT id, ledtCompanyName FROM client ORDER BY ledtCompanyName"),
            QString());
    });
    timeIt("name in use (indexed, any case)", 1000,
           [&] { return TClient::CompanyNameInUse(QStringLiteral("ACME LTD")) ? 1 : 0; });
    timeIt("documents of one client", 1000, [&] {
        return countRows(QStringLiteral("SELECT id, \"desc\" FROM letters WHERE clientid = 5000"),
                         QString());
    });
    timeIt("compact", 1, [&] {
        access.CompactDatabase(access.DatabasePath());
        return 0;
    });
    return 0;
}
