#include "latitude/area_code_lookup.h"
#include "latitude/latitude_location.h"
#include "latitude/qt_area_code_resources.h"

#include <benchmark/benchmark.h>

namespace {

struct FixedLocation : ILocationSource {
    LocationCodes codes;
    std::optional<LocationCodes> QueryLocation() override { return codes; }
};

// A city code straight in the list (089), one found after shortening (08999), and one that
// shortens down to the first entry through every digit (1234).
void BM_DetermineLatitudeBasis(benchmark::State& state, const char* pszCityCode)
{
    FixedLocation source;
    source.codes = {"49", pszCityCode};
    AreaCodeTableCache& tables = ProcessAreaCodeTables();
    LatitudeLocation location;
    for (auto _ : state) {
        location.Determine(source, tables, +1, +1);
        benchmark::DoNotOptimize(location.m_dLatitudeBase);
    }
}
BENCHMARK_CAPTURE(BM_DetermineLatitudeBasis, direct, "089");
BENCHMARK_CAPTURE(BM_DetermineLatitudeBasis, shortened, "08999");
BENCHMARK_CAPTURE(BM_DetermineLatitudeBasis, first_entry, "1234");

} // namespace
