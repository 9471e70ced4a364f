#pragma once

#include "app/settings_store.h"

#include <QSettings>

// The calibration value in QSettings: on Linux an INI file under the XDG config directory.
class QtSettingsStore : public ISettingsStore {
public:
    QtSettingsStore(const QString& strOrganization, const QString& strApplication);
    explicit QtSettingsStore(const QString& strIniFile);

    std::string ReadCalibration() override;
    void WriteCalibration(const std::string& strValue) override;

    QString FileName() const { return m_settings.fileName(); }

private:
    QSettings m_settings;
};
