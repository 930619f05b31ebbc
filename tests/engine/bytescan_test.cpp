#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/bytescan.h"

namespace {

using engine::detail::Needle;
using engine::detail::ScanKernel;

std::size_t naiveFindEither(const std::vector<std::uint8_t> &data, std::size_t from, std::size_t limit,
                            const std::vector<std::uint8_t> &be, const std::vector<std::uint8_t> &le)
{
    for (std::size_t x = from; x < limit; ++x) {
        if (std::equal(be.begin(), be.end(), data.begin() + std::ptrdiff_t(x))
            || std::equal(le.begin(), le.end(), data.begin() + std::ptrdiff_t(x)))
            return x;
    }
    return limit;
}

std::size_t naiveFindNullUnit(const std::vector<std::uint8_t> &data, std::size_t from)
{
    for (std::size_t j = from; j + 1 < data.size(); j += 2) {
        if (data[j] == 0 && data[j + 1] == 0)
            return j;
    }
    return engine::detail::kNotFound;
}

// Every kernel the processor runs, one after the other.
class ScanKernels : public testing::TestWithParam<ScanKernel> {
protected:
    void SetUp() override
    {
        m_previous = engine::detail::scanKernel();
        const auto supported = engine::detail::supportedScanKernels();
        if (std::find(supported.begin(), supported.end(), GetParam()) == supported.end())
            GTEST_SKIP() << "not supported by this processor";
        engine::detail::setScanKernel(GetParam());
    }
    void TearDown() override { engine::detail::setScanKernel(m_previous); }

private:
    ScanKernel m_previous = ScanKernel::Portable;
};

// Small alphabets make partial matches common, so that candidates which pass
// the vector filter but fail the full compare are frequent too; lengths and
// start offsets run across the vector block sizes.
TEST_P(ScanKernels, FindEitherAgreesWithByteByByteSearch)
{
    std::mt19937 rng(7);
    const auto byte = [&](int alphabet) { return std::uint8_t(std::uniform_int_distribution<int>(0, alphabet - 1)(rng)); };
    for (int round = 0; round < 4000; ++round) {
        const std::size_t units = 1 + std::size_t(round % 4);
        std::vector<std::uint8_t> be(2 * units), le(2 * units);
        for (std::size_t u = 0; u < units; ++u) {
            be[2 * u] = le[2 * u + 1] = byte(3);
            be[2 * u + 1] = le[2 * u] = byte(3);
        }
        std::vector<std::uint8_t> data(std::size_t(round % 150) + be.size());
        for (auto &b : data)
            b = byte(round % 2 == 0 ? 3 : 256);
        const Needle needle{be.data(), le.data(), be.size()};
        const std::size_t limit = data.size() - be.size();
        const std::size_t from = limit == 0 ? 0 : std::size_t(round % 37) % (limit + 1);
        ASSERT_EQ(engine::detail::findEither(data.data(), from, limit, needle),
                  naiveFindEither(data, from, limit, be, le))
            << "round " << round;
    }
}

TEST_P(ScanKernels, FindNullUnitKeepsToTheUnitGrid)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 4000; ++round) {
        std::vector<std::uint8_t> data(std::size_t(round % 140));
        // Zeros are frequent, but whole null units on one grid are not.
        for (auto &b : data)
            b = std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 0 : 0x41;
        const std::size_t from = std::size_t(round % 41);
        ASSERT_EQ(engine::detail::findNullUnit(data.data(), from, data.size()), naiveFindNullUnit(data, from))
            << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Kernels, ScanKernels,
                         testing::Values(ScanKernel::Portable, ScanKernel::Sse2, ScanKernel::Avx2),
                         [](const auto &kernel) { return std::string(engine::detail::scanKernelName(kernel.param)); });

} // namespace
