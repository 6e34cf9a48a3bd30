// quillon-sample --data-dir DIR --clients N [--seed S] [--no-documents]
#include "data/db_update.h"
#include "data/dbcontainer.h"
#include "data/dberror.h"
#include "sampledata.h"
#include "shell/apppaths.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Adds generated clients, documents and notes to a Quillon database."));
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder holding Quillon.qdb."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption clients(
        QStringLiteral("clients"), QStringLiteral("How many clients to add."), QStringLiteral("N"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the generator (default 1)."),
                                  QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption noDocuments(QStringLiteral("no-documents"),
                                         QStringLiteral("Add clients only."));
    parser.addOptions({dataDir, clients, seed, noDocuments});
    parser.process(app);

    bool okCount = false, okSeed = false;
    SampleOptions options;
    options.clients = parser.value(clients).toInt(&okCount);
    options.seed = parser.value(seed).toUInt(&okSeed);
    options.documents = !parser.isSet(noDocuments);
    if (!parser.isSet(dataDir) || !okCount || options.clients < 0 || !okSeed) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }

    try {
        TAppPaths::init(parser.value(dataDir));
        TdmAccess access(TAppPaths::dataDir() + QStringLiteral("Quillon.qdb"));
        access.Open();
        Tdb_update().Upgrade();
        QElapsedTimer timer;
        timer.start();
        AddSampleData(options);
        std::printf("Added %d clients to %s in %lld ms\n", options.clients,
                    qPrintable(access.DatabasePath()), timer.elapsed());
    } catch (const TStartupError& e) {
        std::fprintf(stderr, "quillon-sample: %s\n",
                     qPrintable(e.message().replace(QLatin1Char('\r'), QLatin1Char('\n'))));
        return 1;
    } catch (const TDbError& e) {
        std::fprintf(stderr, "quillon-sample: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
