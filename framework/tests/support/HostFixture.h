#pragma once

// Every test starts with a fresh stand-in host and no gateway, and ends by checking that
// every record the host handed out came back through xlFree exactly once.

#include "standin/Host.h"
#include "xlf/XlfExcel.h"

#include <gtest/gtest.h>

#include <string>

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        xlf::XlfExcel::DeleteInstance();
        host().Reset();
        outstandingAtStart_ = host().OutstandingRecords();
    }
    void TearDown() override {
        xlf::XlfExcel::DeleteInstance();
        xlf::XlfExcel::SetInternationalCalls(false);
        EXPECT_EQ(host().OutstandingRecords(), outstandingAtStart_) << "host records not freed";
        EXPECT_EQ(host().ForeignFrees(), 0u) << "xlFree of storage the host does not own";
    }
    static standin::Host& host() { return standin::Host::Instance(); }

private:
    std::size_t outstandingAtStart_ = 0;
};

// The text of a counted host string.
inline std::u16string TextOf(const xlf::XLOPER12& record) {
    return std::u16string(record.val.str + 1, record.val.str[0]);
}

// The message of the exception a statement throws; empty when it throws none.
template <class F> std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "<no exception>";
}
