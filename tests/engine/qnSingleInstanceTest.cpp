#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qnSingleInstance.h"

namespace {

struct Report {
    std::string expression;
    std::string module;
    int line;
};
std::vector<Report> g_akReports;

void Record(const char* expression, const char* module, int line)
{
    g_akReports.push_back({expression, module, line});
}

// A stand-in for the screen, the input manager and the sound player.
class qnSample {
public:
    static constexpr int kRegisterLine = __LINE__ + 1;
    qnSample() { qnSingleInstance<qnSample>::Register(m_pkSingleton, this, "qnSample"); }
    ~qnSample() { qnSingleInstance<qnSample>::Unregister(m_pkSingleton, "qnSample"); }
    static qnSample* GetSingleton()
    {
        return qnSingleInstance<qnSample>::Get(m_pkSingleton, "qnSample");
    }
    static inline qnSample* m_pkSingleton = nullptr;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_akReports.clear();
        m_pfnPrevious = crt::SetAssertHandler(Record);
    }
    void TearDown() override { crt::SetAssertHandler(m_pfnPrevious); }
    crt::AssertHandler m_pfnPrevious = nullptr;
};

TEST_F(SingleInstanceTest, AccessorServesBetweenConstructionAndDestruction)
{
    {
        qnSample kSample;
        EXPECT_EQ(qnSample::GetSingleton(), &kSample);
        EXPECT_EQ(qnSample::GetSingleton(), &kSample);
    }
    EXPECT_EQ(qnSample::m_pkSingleton, nullptr);
    EXPECT_TRUE(g_akReports.empty());
}

TEST_F(SingleInstanceTest, SecondInstanceReportsAndReplacesTheFirst)
{
    qnSample kFirst;
    auto* pkSecond = new qnSample;
    ASSERT_EQ(g_akReports.size(), 1u);
    EXPECT_EQ(g_akReports[0].expression, "!m_pkSingleton");
    EXPECT_EQ(g_akReports[0].module, "qnSample");
    // The line is the caller's: the constructor's, in this file.
    EXPECT_EQ(g_akReports[0].line, qnSample::kRegisterLine);
    EXPECT_EQ(qnSample::GetSingleton(), pkSecond);
    delete pkSecond;
    // The destructor clears whatever the pointer held; the first one's destructor then reports.
    EXPECT_EQ(qnSample::m_pkSingleton, nullptr);
    qnSample::m_pkSingleton = &kFirst;
}

TEST_F(SingleInstanceTest, UseBeforeCreationReportsAndGivesNull)
{
    EXPECT_EQ(qnSample::GetSingleton(), nullptr);
    ASSERT_EQ(g_akReports.size(), 1u);
    EXPECT_EQ(g_akReports[0].expression, "m_pkSingleton");
}

}  // namespace
