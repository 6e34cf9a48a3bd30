#pragma once

#include "data/dbcontainer.h"
#include "shell/apppaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

// A fresh data folder with the installed blank database copied in and opened on the shared
// connection.
class DbFixture {
public:
    DbFixture() {
        TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR));
        access = std::make_unique<TdmAccess>(path());
        access->Open();
    }
    QString path() const { return dir.path() + QStringLiteral("/Quillon.qdb"); }

    QTemporaryDir dir;
    std::unique_ptr<TdmAccess> access;
};

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
