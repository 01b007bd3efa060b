// The cancel handler's states: captures, suspensions, the confirmation (scripted) and the silent abort.
#include "Tessel/Rtl/Exception.h"
#include "Tessel/UKestLibrary/Cancel.h"
#include "Tessel/UKestLibrary/Debug.h"

#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"

#include <gtest/gtest.h>

using namespace Tessel;

namespace {

constexpr QChar Esc(27);

// Answers the confirmation from Answers in turn and records each question.
class CancelHandlerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ConfirmHook = [this](const QString& AText, int32_t, bool ADefaultYes) {
            EXPECT_FALSE(ADefaultYes);
            Questions.append(AText);
            return !Answers.isEmpty() && Answers.takeFirst();
        };
    }
    QList<bool> Answers;
    QStringList Questions;
    TInterfaceRef<IKestCancelHandler> Handler{new TKestCancelHandler};

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

} // namespace

TEST_F(CancelHandlerTest, EscOutsideACaptureDoesNothing) {
    EXPECT_FALSE(Handler->IsCancelKey(Esc));
    EXPECT_FALSE(Handler->IsCaptureEnabled());
    EXPECT_FALSE(Handler->Cancelled());
    EXPECT_TRUE(Questions.isEmpty());
}

TEST_F(CancelHandlerTest, EscAsksOnceAndRecordsAConfirmedRequest) {
    Handler->BeginCapture(true, false);
    EXPECT_FALSE(Handler->IsCancelKey(u'x'));
    Answers = {false, true};
    EXPECT_TRUE(Handler->IsCancelKey(Esc));
    EXPECT_FALSE(Handler->Cancelled());
    EXPECT_TRUE(Handler->IsCancelKey(Esc));
    EXPECT_TRUE(Handler->Cancelled());
    EXPECT_TRUE(Handler->IsCancelKey(Esc)); // not asked again
    EXPECT_EQ(QStringList(2, "Cancel the operation?"), Questions);
    Handler->EndCapture();
    EXPECT_FALSE(Handler->Cancelled());
}

TEST_F(CancelHandlerTest, WithoutThePromptEscCancelsAtOnce) {
    Handler->BeginCapture(false, false);
    Handler->SetCancelPrompt("Stop?");
    EXPECT_TRUE(Handler->IsCancelKey(Esc));
    EXPECT_TRUE(Handler->Cancelled());
    EXPECT_TRUE(Questions.isEmpty());
}

TEST_F(CancelHandlerTest, AConfirmedRequestRaisesTheSilentAbortWhenAsked) {
    Handler->BeginCapture(true, true);
    Handler->BeginCapture(true, false); // a nested capture leaves the raise flag set
    Handler->SetCancelPrompt("Stop the batch?");
    Answers = {false, true};
    EXPECT_TRUE(Handler->IsCancelKey(Esc));
    EXPECT_THROW(Handler->IsCancelKey(Esc), EAbort);
    EXPECT_TRUE(Handler->Cancelled());
    EXPECT_EQ(QStringList(2, "Stop the batch?"), Questions);
    // Once the last capture is closed, a new one without the flag does not raise.
    Handler->EndCapture();
    Handler->EndCapture();
    Handler->BeginCapture(false, false);
    EXPECT_NO_THROW(Handler->SetCancelled());
    EXPECT_TRUE(Handler->Cancelled());
}

TEST_F(CancelHandlerTest, NestedCapturesKeepTheRequestUntilTheOuterEnds) {
    Handler->BeginCapture(true, false);
    Handler->BeginCapture(true, false);
    Handler->SetCancelPrompt("Custom?");
    Answers = {true};
    Handler->IsCancelKey(Esc);
    Handler->EndCapture();
    EXPECT_TRUE(Handler->Cancelled());
    Handler->SetCancelled(); // already cancelled: nothing asked
    Handler->ClearCancelled();
    Answers = {true};
    Handler->SetCancelled(); // the inner EndCapture dropped the custom prompt
    EXPECT_EQ((QStringList{"Custom?", "Cancel the operation?"}), Questions);
    Handler->EndCapture();
    EXPECT_FALSE(Handler->IsCaptureEnabled());
    Handler->EndCapture(); // unbalanced: absorbed
    Handler->BeginCapture(false, false);
    EXPECT_FALSE(Handler->Cancelled());
}

TEST_F(CancelHandlerTest, AnEndCaptureWithNoCaptureOpenLeavesTheNextCaptureWhole) {
    Handler->EndCapture();
    Handler->BeginCapture(false, false);
    EXPECT_TRUE(Handler->IsCaptureEnabled());
    EXPECT_TRUE(Handler->IsCancelKey(Esc));
    EXPECT_TRUE(Handler->Cancelled());
    Handler->EndCapture();
    EXPECT_FALSE(Handler->IsCaptureEnabled());
}

TEST_F(CancelHandlerTest, SuspensionHidesTheRequestAndIgnoresEsc) {
    Handler->BeginCapture(false, false);
    Handler->SetCancelled();
    Handler->SuspendCapture();
    Handler->SuspendCapture();
    EXPECT_FALSE(Handler->Cancelled());
    EXPECT_FALSE(Handler->IsCancelKey(Esc));
    Handler->ResumeCapture();
    EXPECT_FALSE(Handler->IsCaptureEnabled());
    Handler->ResumeCapture();
    Handler->ResumeCapture(); // unbalanced: absorbed
    EXPECT_TRUE(Handler->IsCaptureEnabled());
    EXPECT_TRUE(Handler->Cancelled());
}

TEST_F(CancelHandlerTest, ARequestRecordedOutsideACaptureIsHiddenAndClearedByTheNextCapture) {
    Handler->BeginCapture(true, false);
    Handler->EndCapture();
    Answers = {true};
    Handler->SetCancelled(); // still asks: the latest capture enabled the prompt
    EXPECT_EQ(1, Questions.size());
    EXPECT_FALSE(Handler->Cancelled());
    Handler->BeginCapture(true, false);
    EXPECT_FALSE(Handler->Cancelled());
}
