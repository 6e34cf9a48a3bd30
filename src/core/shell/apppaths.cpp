#include "shell/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_dataDir;
QString g_installedDir;

QString withSlash(const QString& dir) {
    QString d = QDir::cleanPath(dir);
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}
} // namespace

void TAppPaths::init(const QString& dataDir) {
    QString dir = dataDir;
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
              QStringLiteral("/Quillon");
    }
    g_dataDir = withSlash(QDir(dir).absolutePath());
    QDir().mkpath(g_dataDir);
}

QString TAppPaths::installedDir() {
    if (g_installedDir.isEmpty()) {
        g_installedDir =
            withSlash(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quillon"));
    }
    return g_installedDir;
}

QString TAppPaths::dataDir() {
    if (g_dataDir.isEmpty())
        init();
    return g_dataDir;
}

QString TAppPaths::workDir() {
    return withSlash(QDir::tempPath() + QStringLiteral("/quillon"));
}

QString TAppPaths::programFile(const QString& name) {
    const QString data = dataDir() + name;
    if (QFileInfo::exists(data))
        return data;
    const QString installed = installedDir() + name;
    if (QFileInfo::exists(installed))
        return installed;
    return data;
}

void TAppPaths::setInstalledDir(const QString& dir) {
    g_installedDir = withSlash(dir);
}
