// quillon-screenshot --data-dir DIR OUT.png
// Opens the data folder as the program does and saves a picture of the main window.
#include "data/db_update.h"
#include "data/dbcontainer.h"
#include "shell/apppaths.h"
#include "shell/main.h"
#include "shell/settings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTest>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder to open."),
                                     QStringLiteral("DIR"));
    parser.addOption(dataDir);
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("The PNG file to write."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }
    try {
        TAppPaths::init(parser.value(dataDir));
        TAppSettings settings;
        TAppSettings::setInstance(&settings);
        TdmAccess access(settings.DatabasePath);
        access.Open();
        Tdb_update().Upgrade();
        TfrmMain window;
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return 1;
        QTest::qWait(300);
        if (!window.grab().save(parser.positionalArguments().first()))
            return 1;
    } catch (const TStartupError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
