// Identify data as a drive may send it, decoded to the model the program classifies.

#include "drive/identify_decoding.h"
#include "drive/model_classification.h"
#include "drive/rotation_direction.h"
#include "fuzz/fuzz_require.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void RequireTrimmedModel(const std::string& strModel)
{
    FUZZ_REQUIRE(strModel.size() <= kModelBytes);
    FUZZ_REQUIRE(strModel.find('\0') == std::string::npos);
    FUZZ_REQUIRE(strModel.empty() || (strModel.front() != ' ' && strModel.back() != ' '));
}

// The model field in reading order: each word's high byte first.
std::string ModelFieldBytes(const IdentifyWords& words)
{
    std::string strField;
    for (std::size_t i = 27; i < 27 + kModelBytes / 2; ++i)
        strField += {static_cast<char>(words[i] >> 8), static_cast<char>(words[i] & 0xFF)};
    return strField;
}

// The parity of the signed bytes' sum is that of the unsigned bytes' sum.
int DirectionByUnsignedSum(std::string_view model)
{
    unsigned nSum = 0;
    for (char c : model)
        nSum += static_cast<unsigned char>(c);
    return nSum % 2 == 0 ? DIRECTION_RIGHT : DIRECTION_LEFT;
}

void CheckClassification(const std::string& strModel)
{
    const std::string strUpper = UpperCaseModel(strModel);
    FUZZ_REQUIRE(strUpper.size() == strModel.size());
    for (std::size_t i = 0; i < strModel.size(); ++i) {
        const char c = strModel[i];
        if (static_cast<unsigned char>(c) < 0x80)
            FUZZ_REQUIRE(strUpper[i] == (c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    }
    FUZZ_REQUIRE(UpperCaseModel(strUpper) == strUpper);
    // Support is found by substrings, so text around a supported model keeps it supported.
    if (IsSupportedModel(strUpper))
        FUZZ_REQUIRE(IsSupportedModel("A " + strUpper + " Z"));

    const int nDirection = ModelDirection(strUpper);
    FUZZ_REQUIRE(nDirection == DIRECTION_RIGHT || nDirection == DIRECTION_LEFT);
    FUZZ_REQUIRE(nDirection == ModelDirection(strModel));
    FUZZ_REQUIRE(nDirection == DirectionByUnsignedSum(strUpper));
}

} // namespace

// Inputs shorter than the 512 bytes of identify data are padded with zeros, longer ones skipped.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize > kIdentifyBytes)
        return 0;
    unsigned char abBlock[kIdentifyBytes] = {};
    std::copy(pData, pData + nSize, abBlock);

    const IdentifyWords words = IdentifyWordsFromBytes(abBlock);
    for (std::size_t i = 0; i < words.size(); ++i)
        FUZZ_REQUIRE(words[i] == (abBlock[2 * i] | abBlock[2 * i + 1] << 8));

    const std::string strModel = IdentifyModel(words);
    RequireTrimmedModel(strModel);
    // Both decoders cut at the first zero byte and trim the same way.
    FUZZ_REQUIRE(strModel == PlainModel(ModelFieldBytes(words)));
    CheckClassification(strModel);

    const std::string strPlain = PlainModel(std::string_view(reinterpret_cast<const char*>(pData), nSize));
    RequireTrimmedModel(strPlain);
    FUZZ_REQUIRE(PlainModel(strPlain) == strPlain);
    CheckClassification(strPlain);
    return 0;
}
