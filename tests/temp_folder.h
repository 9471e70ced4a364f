#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

// A fresh folder under the system's temporary directory, removed with the object.
class TempFolder {
public:
    explicit TempFolder(const std::string& strPrefix)
    {
        std::string strTemplate = (std::filesystem::temp_directory_path() / (strPrefix + "-XXXXXX")).string();
        if (!mkdtemp(strTemplate.data()))
            throw std::runtime_error("mkdtemp failed");
        m_root = strTemplate;
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Root() const { return m_root; }

private:
    std::filesystem::path m_root;
};
