#include "helper_datafolder.h"

#include "data/db_update.h"
#include "data/dbcontainer.h"
#include "shell/apppaths.h"
#include "shell/settings.h"

TTestDataFolder::TTestDataFolder() {
    TAppPaths::setInstalledDir(QStringLiteral(QUILLON_SHARE_DIR));
    TAppPaths::init(m_dir.path());
    m_settings = std::make_unique<TAppSettings>(QStringLiteral("£"));
    TAppSettings::setInstance(m_settings.get());
    m_db = std::make_unique<TdmAccess>(m_settings->DatabasePath);
    m_db->Open();
    Tdb_update().Upgrade();
}

TTestDataFolder::~TTestDataFolder() {
    m_db.reset();
    TAppSettings::setInstance(nullptr);
}
