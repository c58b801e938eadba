#include "coretesting/ScriptedUserInteraction.h"

#include "rtl/Encoding.h"

#include <gtest/gtest.h>

TScriptedUserInteraction::TScriptedUserInteraction() : FPrevious(SetUserInteraction(this)) {}

TScriptedUserInteraction::~TScriptedUserInteraction() {
    SetUserInteraction(FPrevious);
}

void TScriptedUserInteraction::AnswerConfirm(bool yes) {
    FConfirmAnswers.push_back(yes);
}

void TScriptedUserInteraction::AnswerOpenFile(String fileName) {
    FOpenFileAnswers.emplace_back(std::move(fileName));
}

void TScriptedUserInteraction::CancelOpenFile() {
    FOpenFileAnswers.emplace_back(std::nullopt);
}

std::vector<String> TScriptedUserInteraction::Texts(TCallKind kind) const {
    std::vector<String> texts;
    for (const auto& call : FCalls)
        if (call.Kind == kind) texts.push_back(call.Text);
    return texts;
}

void TScriptedUserInteraction::ShowMessage(const String& text) {
    FCalls.push_back({TCallKind::Message, text});
}

void TScriptedUserInteraction::ShowWarning(const String& text) {
    FCalls.push_back({TCallKind::Warning, text});
}

void TScriptedUserInteraction::ShowError(const String& text) {
    FCalls.push_back({TCallKind::Error, text});
}

bool TScriptedUserInteraction::Confirm(const String& text) {
    FCalls.push_back({TCallKind::Confirm, text});
    if (FConfirmAnswers.empty()) {
        ADD_FAILURE() << "unexpected confirmation: " << Utf8(text);
        return false;
    }
    const bool yes = FConfirmAnswers.front();
    FConfirmAnswers.pop_front();
    return yes;
}

bool TScriptedUserInteraction::OpenFile(const TOpenFileRequest& request, String& fileName) {
    FCalls.push_back({TCallKind::OpenFile, request.Title});
    FOpenFileRequests.push_back(request);
    if (FOpenFileAnswers.empty()) {
        ADD_FAILURE() << "unexpected open-file dialog: " << Utf8(request.Title);
        return false;
    }
    const std::optional<String> answer = FOpenFileAnswers.front();
    FOpenFileAnswers.pop_front();
    if (!answer) return false;
    fileName = *answer;
    return true;
}

void TScriptedUserInteraction::ProcessMessages() {
    ++FProcessMessagesCount;
    if (OnProcessMessages) OnProcessMessages();
}

void TScriptedUserInteraction::ViewTextFiles(const std::vector<TTextFilePage>& pages) {
    FCalls.push_back({TCallKind::ViewTextFiles, pages.empty() ? String() : pages.front().FileName});
    FViewedPages.push_back(pages);
}
