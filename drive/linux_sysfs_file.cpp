#include "drive/linux_sysfs_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

std::optional<std::string> ReadSmallFile(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad())
        return std::nullopt;
    return std::move(content).str();
}

bool IsFlagSet(const std::string& strPath)
{
    const std::optional<std::string> value = ReadSmallFile(strPath);
    return value && value->starts_with('1');
}

std::string ResolvedPath(const std::string& strPath)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::canonical(strPath, error);
    return error ? std::string() : resolved.string();
}

std::vector<std::string> SortedEntryNames(const std::string& strFolder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(strFolder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ComponentsBelow(const std::string& strRoot, const std::string& strPath)
{
    const std::string strResolvedRoot = ResolvedPath(strRoot);
    const std::string strResolvedPath = ResolvedPath(strPath);
    if (strResolvedRoot.empty() || strResolvedPath.empty())
        return {};
    const std::filesystem::path relative = std::filesystem::path(strResolvedPath).lexically_relative(strResolvedRoot);
    if (relative.empty() || *relative.begin() == "..")
        return {};
    std::vector<std::string> components;
    for (const std::filesystem::path& component : relative)
        if (component != ".")
            components.push_back(component.string());
    return components;
}
