#pragma once

#include <gtest/gtest.h>
#include <string>

// Names table-driven cases by their row in the table, instead of by their bytes.
struct IndexNames {
    template <class Param> std::string operator()(const testing::TestParamInfo<Param>& info) const {
        return "row" + std::to_string(info.index);
    }
};
