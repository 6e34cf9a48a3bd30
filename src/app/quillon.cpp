// The program's entry: command line, then the start-up sequence in its fixed order, then the
// event loop.
#include "data/db_update.h"
#include "data/dbcontainer.h"
#include "data/dberror.h"
#include "data/query.h"
#include "shell/application.h"
#include "shell/apppaths.h"
#include "shell/main.h"
#include "shell/messages.h"
#include "shell/settings.h"
#include "shell/splash.h"
#include "version.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <clocale>
#include <cstdio>
#include <memory>

namespace {
struct Options {
    QString dataDir;
};

// The program's options. The application object must exist first; Qt's own options
// (-platform, -style, ...) have been taken out of the arguments by then.
Options parseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Quillon keeps the records of a practice that works with clients."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the settings, the database and the pictures in <dir> instead of "
                       "the user's data folder."),
        QStringLiteral("dir"));
    parser.addOption(dataDir);
    parser.process(app); // --help, --version and unknown options end the program here
    return {parser.value(dataDir)};
}

// --help and --version are answered without a window system, so they also work over ssh or
// in a script without a display.
bool asksForInformationOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version")
            return true;
    }
    return false;
}

void setApplicationNames() {
    QCoreApplication::setApplicationName(QStringLiteral("Quillon"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION_STRING));
}

// Every number the program turns into text uses ".". Qt's own conversions (QString::number,
// QVariant) always do; the C library's follow LC_NUMERIC, which QCoreApplication sets from
// the environment, so it is put back to "C". QLocale stays the user's: dates and the
// currency symbol come from it, numbers are never formatted through it.
void useDotDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "C");
}

// Shows why start-up stops; the caller returns the exit code.
int startupFailed(const std::exception& e) {
    TQuillonApplication::ShowException(e);
    return 1;
}

// True when the users table holds a row: the program is protected by a login.
bool UsersDefined() {
    TQuery q(QStringLiteral("SELECT 1 FROM users LIMIT 1"));
    q.exec();
    return q.next();
}

// Asks for the login when one is required; false ends the program. The login dialog comes
// with the users' store; until then a defined user is let in without being asked.
bool LoginAccepted() {
    if (UsersDefined()) {
        // The login dialog is shown here; its cancel result returns false.
    }
    return true;
}

// For the start-up benchmark: prints the milliseconds from the start of main() to the first
// exposure of the main window, then quits.
class TExitWhenShown : public QObject {
public:
    TExitWhenShown(QWindow* window, const QElapsedTimer& clock) : m_clock(clock) {
        window->installEventFilter(this);
        if (window->isExposed())
            report();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            report();
        return false;
    }

private:
    void report() {
        if (m_done)
            return;
        m_done = true;
        std::printf("shown %lld ms\n", static_cast<long long>(m_clock.elapsed()));
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }

    const QElapsedTimer& m_clock;
    bool m_done = false;
};
} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    if (asksForInformationOnly(argc, argv)) {
        QCoreApplication app(argc, argv);
        setApplicationNames();
        parseCommandLine(app);
        return 0;
    }

    TQuillonApplication app(argc, argv);
    useDotDecimalSeparator();
    setApplicationNames();
    QApplication::setApplicationDisplayName(QStringLiteral("Quillon"));
    QApplication::setDesktopFileName(QStringLiteral("quillon"));
    const Options options = parseCommandLine(app);
    if (qEnvironmentVariableIntValue("QUILLON_TEST_NO_DIALOGS") == 1)
        TMessages::setConsole(true);

    TAppPaths::init(options.dataDir);
    auto settings = std::make_unique<TAppSettings>();
    TAppSettings::setInstance(settings.get());

    auto splash = std::make_unique<TfrmSplash>();
    std::unique_ptr<TdmAccess> dmAccess;
    try {
        dmAccess = std::make_unique<TdmAccess>(settings->DatabasePath);
        dmAccess->Open();
        if (!Tdb_update().Upgrade())
            return 1;
    } catch (const std::exception& e) {
        return startupFailed(e);
    }

    splash->show();
    QCoreApplication::processEvents();
    splash->repaint();

    try {
        if (!LoginAccepted())
            return 0;
    } catch (const std::exception& e) {
        return startupFailed(e);
    }
    QCoreApplication::processEvents();

    // The long-lived windows; the first is the application's main window. Their creation
    // runs queries, and nothing outside the event loop would catch what they throw.
    std::unique_ptr<TfrmMain> frmMain;
    try {
        frmMain = std::make_unique<TfrmMain>();
    } catch (const std::exception& e) {
        return startupFailed(e);
    }
    frmMain->show();

    std::unique_ptr<TExitWhenShown> exitWhenShown;
    if (qEnvironmentVariableIntValue("QUILLON_EXIT_WHEN_SHOWN") == 1) {
        exitWhenShown = std::make_unique<TExitWhenShown>(frmMain->windowHandle(), clock);
    }

    const int result = app.exec();
    frmMain.reset();
    splash.reset();
    dmAccess.reset();
    TAppSettings::setInstance(nullptr);
    return result;
}
