#pragma once
// A scripted stand-in for the windows, for tests of the core and of anything
// built on it. While it lives it is the process's user interaction (the one
// it replaced comes back when it is destroyed). It records every call in
// order and answers questions from the answers a test queued beforehand; a
// question without a queued answer fails the running test and is answered
// No (or Cancel).

#include "core/UserInteraction.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class TScriptedUserInteraction : public IUserInteraction {
public:
    enum class TCallKind { Message, Warning, Error, Confirm, OpenFile, ViewTextFiles };
    struct TCall {
        TCallKind Kind;
        String Text; // the box's text, the dialog's title, or the first viewed file
        bool operator==(const TCall&) const = default;
    };

    TScriptedUserInteraction();
    ~TScriptedUserInteraction() override;
    TScriptedUserInteraction(const TScriptedUserInteraction&) = delete;
    TScriptedUserInteraction& operator=(const TScriptedUserInteraction&) = delete;

    // Answers for the next questions, used in the order queued.
    void AnswerConfirm(bool yes);
    void AnswerOpenFile(String fileName);
    void CancelOpenFile();
    // True when every queued answer has been asked for.
    bool AllAnswersUsed() const { return FConfirmAnswers.empty() && FOpenFileAnswers.empty(); }

    const std::vector<TCall>& Calls() const { return FCalls; }
    // The texts of the calls of one kind, in order.
    std::vector<String> Texts(TCallKind kind) const;
    const std::vector<TOpenFileRequest>& OpenFileRequests() const { return FOpenFileRequests; }
    const std::vector<std::vector<TTextFilePage>>& ViewedPages() const { return FViewedPages; }
    int ProcessMessagesCount() const { return FProcessMessagesCount; }

    // Runs inside every ProcessMessages, standing in for an event handler
    // that runs while the core waits.
    std::function<void()> OnProcessMessages;

    void ShowMessage(const String& text) override;
    void ShowWarning(const String& text) override;
    void ShowError(const String& text) override;
    bool Confirm(const String& text) override;
    bool OpenFile(const TOpenFileRequest& request, String& fileName) override;
    void ProcessMessages() override;
    void ViewTextFiles(const std::vector<TTextFilePage>& pages) override;

private:
    IUserInteraction* FPrevious;
    std::vector<TCall> FCalls;
    std::deque<bool> FConfirmAnswers;
    std::deque<std::optional<String>> FOpenFileAnswers;
    std::vector<TOpenFileRequest> FOpenFileRequests;
    std::vector<std::vector<TTextFilePage>> FViewedPages;
    int FProcessMessagesCount = 0;
};
