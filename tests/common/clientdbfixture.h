#pragma once

// A real database in a temporary data folder, opened through the program's own container,
// with helpers to put clients into it. Header-only: any test folder can include it.

#include "data/db_update.h"
#include "data/dbcontainer.h"
#include "data/query.h"
#include "shell/apppaths.h"
#include "shell/settings.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TClientDbFixture {
public:
    TClientDbFixture() {
        QVERIFY2(m_dir.isValid(), "temporary folder");
        TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR));
        TAppPaths::init(m_dir.path());
        m_settings = std::make_unique<TAppSettings>(QStringLiteral("£"));
        TAppSettings::setInstance(m_settings.get());
        m_db = std::make_unique<TdmAccess>(m_dir.filePath(QStringLiteral("Quillon.qdb")));
        m_db->Open();
        Tdb_update().Upgrade();
    }
    ~TClientDbFixture() {
        m_db.reset();
        TAppSettings::setInstance(nullptr);
    }

    TAppSettings& settings() { return *m_settings; }

    // Inserts a client as the program would (empty text, never null); returns its id.
    static int addClient(const QString& name, const QString& address = QString(),
                         const QString& contact = QString(), const QString& office = QString(),
                         const QString& other1 = QString(), const QString& notes = QString()) {
        TQuery q(QStringLiteral("INSERT INTO client (ledtCompanyName, memAddress, "
                                "ledtPrimaryContact, ledtOffice, ledtOther1, memNotes) "
                                "VALUES (?, IFNULL(?, ''), IFNULL(?, ''), IFNULL(?, ''), "
                                "IFNULL(?, ''), IFNULL(?, ''))"));
        q.bind(name).bind(address).bind(contact).bind(office).bind(other1).bind(notes).exec();
        return q.lastInsertId().toInt();
    }

    static int count(const QString& sql) {
        TQuery q(sql);
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TAppSettings> m_settings;
    std::unique_ptr<TdmAccess> m_db;
};
