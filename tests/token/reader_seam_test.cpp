// The seam through which the loops' tests replace the PC/SC operations.
#include <gtest/gtest.h>

#include "tests/support/scripted_readers.h"

namespace {

TEST(ReaderSeamTest, ScriptedOperationsReplaceTheRealOnesUntilDestroyed) {
    ReaderAccess* real = &Readers();
    {
        ScriptedReaders scripted;
        EXPECT_EQ(&Readers(), &scripted);
        scripted.SetReaders({"A", "B"});
        scripted.QueueListing(-1, "");
        scripted.SetToken("B", true);

        QString text;
        EXPECT_EQ(Readers().List(text), -1);
        EXPECT_TRUE(text.isEmpty());
        EXPECT_EQ(Readers().List(text), 0);
        EXPECT_EQ(text, "A[E]B[E]");
        EXPECT_EQ(Readers().Connect("A"), -1);
        EXPECT_NE(Readers().Connect("B"), -1);
        Readers().Release();
        EXPECT_EQ(scripted.ListCalls(), 2);
        EXPECT_EQ(scripted.ConnectCalls(), 2);
        EXPECT_EQ(scripted.ReleaseCalls(), 1);
        EXPECT_EQ(scripted.LastConnected(), "B");
    }
    EXPECT_EQ(&Readers(), real) << "the real operations are back";
}

}  // namespace
