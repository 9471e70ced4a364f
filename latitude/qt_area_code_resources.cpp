#include "latitude/qt_area_code_resources.h"

#include <QResource>

namespace {

// Registered resources stay mapped for the life of the process, so their bytes can be viewed.
std::optional<std::span<const std::byte>> ResourceBytes(const QString& strPath)
{
    const QResource resource(strPath);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression || !resource.data())
        return std::nullopt;
    return std::span(reinterpret_cast<const std::byte*>(resource.data()), static_cast<std::size_t>(resource.size()));
}

} // namespace

std::optional<AreaCodeTables> LoadAreaCodeResources(const QString& strListPath, const QString& strLatitudePath)
{
    const auto list = ResourceBytes(strListPath);
    const auto latitudes = ResourceBytes(strLatitudePath);
    if (!list || !latitudes)
        return std::nullopt;
    return AreaCodeTables::FromData(std::string_view(reinterpret_cast<const char*>(list->data()), list->size()),
                                    *latitudes);
}

AreaCodeTableCache& ProcessAreaCodeTables()
{
    static AreaCodeTableCache s_tables([] { return LoadAreaCodeResources(); });
    return s_tables;
}
