#include "testfolder.h"

#include <algorithm>
#include <cctype>

#include <gtest/gtest.h>

namespace {

std::string currentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "_" + info->name() : "test";
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

}  // namespace

TestFolder::TestFolder() : TemporaryFolder("pxa_" + currentTestName() + "_") {}
