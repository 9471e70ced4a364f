#include "app/qt_settings_store.h"

namespace {
const QString s_strCalibrationKey = QStringLiteral("Daten/Kalibrierung");
}

QtSettingsStore::QtSettingsStore(const QString& strOrganization, const QString& strApplication)
    : m_settings(strOrganization, strApplication)
{
}

QtSettingsStore::QtSettingsStore(const QString& strIniFile) : m_settings(strIniFile, QSettings::IniFormat) {}

std::string QtSettingsStore::ReadCalibration()
{
    if (m_settings.status() != QSettings::NoError)
        return {};
    const QVariant value = m_settings.value(s_strCalibrationKey);
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString().toStdString();
}

void QtSettingsStore::WriteCalibration(const std::string& strValue)
{
    m_settings.setValue(s_strCalibrationKey, QString::fromStdString(strValue));
    m_settings.sync();
}
