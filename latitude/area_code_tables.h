#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>

// The area-code list ("l201l202…l9978l") and the latitude table parallel to it (one little-endian
// binary64 per code), viewed in place where they are stored.
class AreaCodeTables {
public:
    // std::nullopt unless the list is l-separated digits with its closing l and the table holds
    // exactly one latitude per code.
    static std::optional<AreaCodeTables> FromData(std::string_view list, std::span<const std::byte> latitudes);

    std::string_view List() const { return m_list; }
    std::size_t Count() const { return m_latitudes.size() / sizeof(double); }
    double Latitude(std::size_t nIndex) const;

private:
    AreaCodeTables(std::string_view list, std::span<const std::byte> latitudes) : m_list(list), m_latitudes(latitudes) {}

    std::string_view m_list;
    std::span<const std::byte> m_latitudes;
};

// The tables, loaded at the first lookup that needs them and kept from then on; a failed load is
// tried again at the next lookup.
class AreaCodeTableCache {
public:
    using Loader = std::function<std::optional<AreaCodeTables>()>;
    explicit AreaCodeTableCache(Loader load) : m_load(std::move(load)) {}

    // nullptr while the tables cannot be loaded.
    const AreaCodeTables* Get();

private:
    Loader m_load;
    std::mutex m_mutex;
    std::optional<AreaCodeTables> m_tables;
};
