// The memo: a multi-line edit with its text as lines, word wrap and scroll bars.

#include "rtl/ClassBuilder.h"
#include "vcl/StdCtrls.h"
#include "windowing/ScrollBar.h"

using namespace winapi;

const TClassInfo& TCustomMemo::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TCustomMemo, TCustomEdit>()
            .Property(u"Text", &TCustomMemo::Text, &TCustomMemo::SetText)
            .Stored(false)
            .Property(u"Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
            .Property(u"WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
            .Default(true)
            .Property(u"ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
            .Default(ssNone)
            .Build();
    return Info;
}
const TClassInfo& TMemo::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TMemo, TCustomMemo>().Build();
    return Info;
}

namespace {

// The memo's text seen as lines: reading splits it at the line breaks,
// every change writes the whole text back (one change per update).
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo& Memo) : FMemo(Memo) {}

    Integer Count() const override { return Integer(Split().size()); }
    String Get(Integer Index) const override {
        auto Lines = Split();
        CheckIndex(Index, Integer(Lines.size()));
        return Lines[size_t(Index)];
    }
    void Put(Integer Index, const String& S) override {
        auto Lines = Split();
        CheckIndex(Index, Integer(Lines.size()));
        Lines[size_t(Index)] = S;
        Store(Lines);
    }
    void Clear() override { FMemo.SetText(String()); }
    void Delete(Integer Index) override {
        auto Lines = Split();
        CheckIndex(Index, Integer(Lines.size()));
        Lines.erase(Lines.begin() + Index);
        Store(Lines);
    }
    void Insert(Integer Index, const String& S) override {
        auto Lines = Split();
        CheckIndex(Index, Integer(Lines.size()) + 1);
        Lines.insert(Lines.begin() + Index, S);
        Store(Lines);
    }
    void SetAllLines(std::vector<String> Lines) override { Store(Lines); }
    String Text() const override { return FMemo.Text(); }

private:
    // The lines of the text; a text ending in a line break has no empty last line.
    std::vector<String> Split() const {
        std::vector<String> Lines;
        const String& Text = FMemo.Text();
        size_t Start = 0;
        while (Start < Text.size()) {
            size_t End = Text.find_first_of(u"\r\n", Start);
            if (End == String::npos) End = Text.size();
            Lines.push_back(Text.substr(Start, End - Start));
            Start = End;
            if (Start < Text.size() && Text[Start] == u'\r') ++Start;
            if (Start < Text.size() && Text[Start] == u'\n') ++Start;
        }
        return Lines;
    }
    void Store(const std::vector<String>& Lines) {
        String Joined;
        for (size_t I = 0; I < Lines.size(); ++I) {
            if (I > 0) Joined += u"\r\n";
            Joined += Lines[I];
        }
        FMemo.SetText(Joined);
    }
    void CheckIndex(Integer Index, Integer Limit) const {
        if (Index < 0 || Index >= Limit) IndexError(Index);
    }

    TCustomMemo& FMemo;
};

} // namespace

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(*this)) {
    SetBounds(0, 0, 185, 89);
    SetAutoSelect(false);
    SetControlStyle(ControlStyle() - TControlStyle{csFixedHeight});
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
    if (FWordWrap) Params.Style &= ~DWORD(ES_AUTOHSCROLL);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) Params.Style |= WS_HSCROLL;
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
    TextChanged();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

// Tab and Enter reach the memo only when it wants them.
void TCustomMemo::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        TCustomEdit::WndProc(Message);
        if (FWantTabs)
            Message.Result |= DLGC_WANTTAB;
        else
            Message.Result &= ~LRESULT(DLGC_WANTTAB);
        if (!FWantReturns) Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
        return;
    }
    if (Message.Msg == WM_CHAR &&
        ((Message.WParam == 9 && !FWantTabs) || (Message.WParam == 13 && !FWantReturns)))
        return;
    TCustomEdit::WndProc(Message);
}
