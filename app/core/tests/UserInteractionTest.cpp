#include "core/UserInteraction.h"

#include "coretesting/ScriptedUserInteraction.h"
#include "rtl/Exception.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using TCall = TScriptedUserInteraction::TCall;
using TCallKind = TScriptedUserInteraction::TCallKind;

TEST(UserInteraction, WithoutOneInstalledAQuestionIsNeverAnsweredSilently) {
    ASSERT_FALSE(HasUserInteraction());
    try {
        Confirm(u"Delete?");
        FAIL() << "no exception";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), u"No user interaction installed");
    }
}

TEST(UserInteraction, MessageRoutinesReachTheInstalledOneInOrder) {
    TScriptedUserInteraction ui;
    ui.AnswerConfirm(true);
    ui.AnswerConfirm(false);
    ShowWarning(u"careful");
    EXPECT_TRUE(Confirm(u"first?"));
    ShowError(u"failed");
    EXPECT_FALSE(Confirm(u"second?"));
    EXPECT_TRUE(ui.AllAnswersUsed());
    EXPECT_EQ(ui.Calls(), (std::vector<TCall>{{TCallKind::Warning, u"careful"},
                                              {TCallKind::Confirm, u"first?"},
                                              {TCallKind::Error, u"failed"},
                                              {TCallKind::Confirm, u"second?"}}));
    EXPECT_EQ(ui.Texts(TCallKind::Confirm), (std::vector<String>{u"first?", u"second?"}));
}

TEST(UserInteraction, ScriptedOpenFileAnswersAndCancels) {
    TScriptedUserInteraction ui;
    ui.AnswerOpenFile(u"/data/travo.fdb");
    ui.CancelOpenFile();
    const TOpenFileRequest request{u"Select the TRAVO database ", u"/travo/data", u"travo.fdb",
                                   u"Firebird files (*.fdb)|*.fdb|All files (*.*)|*.*"};
    String chosen = u"unchanged";
    EXPECT_TRUE(UserInteraction().OpenFile(request, chosen));
    EXPECT_EQ(chosen, u"/data/travo.fdb");
    chosen = u"unchanged";
    EXPECT_FALSE(UserInteraction().OpenFile(request, chosen));
    EXPECT_EQ(chosen, u"unchanged");
    ASSERT_EQ(ui.OpenFileRequests().size(), 2u);
    EXPECT_EQ(ui.OpenFileRequests()[0].Filter, request.Filter);
}

TEST(UserInteraction, AnInnerFakeGivesTheOuterOneBack) {
    TScriptedUserInteraction outer;
    {
        TScriptedUserInteraction inner;
        ShowWarning(u"inner");
        EXPECT_EQ(inner.Texts(TCallKind::Warning).size(), 1u);
    }
    ShowWarning(u"outer");
    EXPECT_EQ(outer.Texts(TCallKind::Warning), std::vector<String>{u"outer"});
}

TEST(UserInteraction, AnUnscriptedQuestionFailsTheTestAndAnswersNo) {
    TScriptedUserInteraction ui;
    static bool answer;
    answer = true;
    EXPECT_NONFATAL_FAILURE(answer = Confirm(u"Sure?"), "unexpected confirmation: Sure?");
    EXPECT_FALSE(answer);
}
