#include "cli/cancel_signal.h"

#include <gtest/gtest.h>

#include <csignal>

namespace Orvane::Cli {
namespace {

volatile std::sig_atomic_t earlierHandlerCalls = 0;
extern "C" void EarlierHandler(int) { earlierHandlerCalls = earlierHandlerCalls + 1; }

TEST(CancelSignal, TurnsCtrlCIntoOneRequestAndRestoresTheHandlerBefore) {
    auto before = std::signal(SIGINT, EarlierHandler);
    {
        CancelSignal cancel;
        EXPECT_FALSE(CancelSignal::TakeRequest());
        std::raise(SIGINT);
        EXPECT_TRUE(CancelSignal::TakeRequest());
        EXPECT_FALSE(CancelSignal::TakeRequest());
        std::raise(SIGINT);  // taken already: again only a request
        EXPECT_TRUE(CancelSignal::TakeRequest());
    }
    EXPECT_EQ(earlierHandlerCalls, 0);
    std::raise(SIGINT);
    EXPECT_EQ(earlierHandlerCalls, 1);
    std::signal(SIGINT, before);
}

// A closing terminal and a polite kill stop a run at its next checkpoint, as Ctrl-C does.
TEST(CancelSignal, TakesTerminationAndHangUpAsRequests) {
    CancelSignal cancel;
    for (int signal : {SIGTERM, SIGHUP}) {
        std::raise(signal);
        EXPECT_TRUE(CancelSignal::TakeRequest()) << signal;
    }
}

TEST(CancelSignalDeathTest, ASecondCtrlCBeforeTheFirstIsTakenStopsTheProcess) {
    EXPECT_EXIT(
        {
            CancelSignal cancel;
            std::raise(SIGINT);
            std::raise(SIGINT);
        },
        testing::KilledBySignal(SIGINT), "");
}

}  // namespace
}  // namespace Orvane::Cli
