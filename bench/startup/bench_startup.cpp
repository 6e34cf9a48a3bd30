// bench-startup --data-dir DIR [--runs N]
// Starts quillon N times on DIR and prints the median time from process start to the main
// window on screen. The clock runs from just before the process is started until quillon
// reports the window exposed (QUILLON_EXIT_WHEN_SHOWN), so it includes loading the program.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder to start on."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Starts (default 7)."),
                                  QStringLiteral("N"), QStringLiteral("7"));
    parser.addOptions({dataDir, runs});
    parser.process(app);
    if (!parser.isSet(dataDir)) {
        std::fprintf(stderr, "%s", qPrintable(parser.helpText()));
        return 2;
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QUILLON_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    env.insert(QStringLiteral("QUILLON_TEST_NO_DIALOGS"), QStringLiteral("1"));

    std::vector<double> outside, inside;
    const int count = std::max(1, parser.value(runs).toInt());
    for (int i = 0; i <= count; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer clock;
        double shownAt = -1;
        QByteArray out;
        QObject::connect(&p, &QProcess::readyReadStandardOutput, [&] {
            out += p.readAllStandardOutput();
            if (shownAt < 0 && out.contains("shown "))
                shownAt = clock.nsecsElapsed() / 1e6;
        });
        clock.start();
        p.start(QStringLiteral(QUILLON_BIN_DIR "/quillon"),
                {QStringLiteral("--data-dir"), parser.value(dataDir)});
        if (!p.waitForFinished(60000) || p.exitCode() != 0 || shownAt < 0) {
            std::fprintf(stderr, "quillon did not show its window:\n%s\n",
                         p.readAllStandardError().constData());
            return 1;
        }
        if (i == 0)
            continue; // the first start warms the file cache
        outside.push_back(shownAt);
        const int at = out.indexOf("shown ");
        inside.push_back(out.mid(at + 6).split(' ').value(0).toDouble());
    }
    std::printf("start-up to main window shown, median of %d: %.1f ms "
                "(from main(): %.1f ms)\n",
                count, median(outside), median(inside));
    return 0;
}
