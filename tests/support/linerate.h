#pragma once

#include "sim/simconfig.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace telvio::test {

// How the simulator paces its answers: all at once, as fast as the pty takes
// them, or one character at a time at the line's rate, as a real UART
// delivers them. Flows that pass only because a whole answer arrives in one
// read are caught at the real rate.
enum class LineRate { Full, Real };

inline const char *RateName(LineRate rate)
{
    return rate == LineRate::Real ? "RealRate" : "FullSpeed";
}

inline void PrintTo(LineRate rate, std::ostream *os)
{
    *os << RateName(rate);
}

inline std::string RateParamName(const ::testing::TestParamInfo<LineRate> &info)
{
    return RateName(info.param);
}

inline sim::SimConfig AtRate(sim::SimConfig config, LineRate rate)
{
    config.realRate = rate == LineRate::Real;
    return config;
}

// A fixture whose every test runs at both rates.
class AtBothRates : public ::testing::TestWithParam<LineRate> {
protected:
    LineRate Rate() const { return GetParam(); }
    sim::SimConfig Paced(sim::SimConfig config = sim::SimConfig()) const { return AtRate(config, GetParam()); }
};

} // namespace telvio::test

#define TELVIO_AT_BOTH_RATES(Fixture)                                                                                  \
    INSTANTIATE_TEST_SUITE_P(Rates, Fixture,                                                                           \
                             ::testing::Values(::telvio::test::LineRate::Full, ::telvio::test::LineRate::Real),      \
                             ::telvio::test::RateParamName)

namespace telvio::test {

// A case name as one test-name word: "verbose with echo" -> "VerboseWithEcho".
inline std::string WordName(const char *text)
{
    std::string word;
    bool upper = true;
    for (const char *c = text; *c; ++c) {
        const bool alnum = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9');
        if (!alnum) {
            upper = true;
            continue;
        }
        word += upper && *c >= 'a' && *c <= 'z' ? char(*c - 'a' + 'A') : *c;
        upper = false;
    }
    return word;
}

// A table of named cases, each run at both rates: the parameter is
// (case, rate) and the test's name "<CaseName>_<Rate>".
template <class Case>
using CaseAtRate = std::tuple<Case, LineRate>;

template <class Case>
auto EachAtBothRates(const std::vector<Case> &cases)
{
    return ::testing::Combine(::testing::ValuesIn(cases), ::testing::Values(LineRate::Full, LineRate::Real));
}

template <class Case>
std::string CaseAtRateName(const ::testing::TestParamInfo<CaseAtRate<Case>> &info)
{
    return WordName(std::get<0>(info.param).name) + "_" + RateName(std::get<1>(info.param));
}

} // namespace telvio::test
