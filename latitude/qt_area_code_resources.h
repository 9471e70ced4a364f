#pragma once

#include "latitude/area_code_tables.h"

#include <QString>

#include <optional>

// The two tables as compiled in with the Qt resource system, viewed where they lie.
inline const QString AREA_CODE_LIST_RESOURCE = QStringLiteral(":/latitude/area_codes.txt");
inline const QString AREA_LATITUDE_RESOURCE = QStringLiteral(":/latitude/area_latitudes.bin");

// std::nullopt when a resource is missing, compressed or not in the tables' format.
std::optional<AreaCodeTables> LoadAreaCodeResources(const QString& strListPath = AREA_CODE_LIST_RESOURCE,
                                                    const QString& strLatitudePath = AREA_LATITUDE_RESOURCE);

// The process's tables: loaded at the first lookup that needs them, kept until the process ends.
AreaCodeTableCache& ProcessAreaCodeTables();
