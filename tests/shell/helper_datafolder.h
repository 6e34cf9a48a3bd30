#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class TAppSettings;
class TdmAccess;

// A fresh data folder with the installed blank database opened and upgraded, and the
// program's settings object loaded from it: what the entry sequence has set up by the time
// the main window is created.
class TTestDataFolder {
public:
    TTestDataFolder();
    ~TTestDataFolder();

    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    TAppSettings& settings() { return *m_settings; }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TAppSettings> m_settings;
    std::unique_ptr<TdmAccess> m_db;
};
