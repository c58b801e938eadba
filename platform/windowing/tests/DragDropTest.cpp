#include "windowing/DragDrop.h"

#include "WindowingTestSupport.h"

using namespace winapi;
using Strings = std::vector<std::string>;

namespace {

class TTextData : public IDataObject {
public:
    HRESULT GetData(const FORMATETC& format, STGMEDIUM& medium) override {
        if (format.cfFormat != CF_UNICODETEXT) return DV_E_FORMATETC;
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = GlobalAlloc(GHND, 4);
        return S_OK;
    }
    HRESULT GetDataHere(const FORMATETC&, STGMEDIUM&) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(const FORMATETC& format) override {
        return format.cfFormat == CF_UNICODETEXT ? S_OK : DV_E_FORMATETC;
    }
    HRESULT GetCanonicalFormatEtc(const FORMATETC&, FORMATETC&) override { return E_NOTIMPL; }
    HRESULT SetData(const FORMATETC&, STGMEDIUM&, bool) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, std::shared_ptr<IEnumFORMATETC>&) override { return E_NOTIMPL; }
};

// The drop source of the toolkit's rules: Escape cancels, releasing the left button drops.
class TSource : public IDropSource {
public:
    HRESULT QueryContinueDrag(bool escapePressed, DWORD keyState) override {
        if (escapePressed) return DRAGDROP_S_CANCEL;
        if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT GiveFeedback(DWORD effect) override {
        Feedback.push_back(effect);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    std::vector<DWORD> Feedback;
};

class TTarget : public IDropTarget {
public:
    explicit TTarget(Strings& log) : FLog(log) {}
    HRESULT DragEnter(IDataObject& data, DWORD keyState, TPoint, DWORD& effect) override {
        FLog.push_back("enter");
        FormatOffered = data.QueryGetData(FORMATETC{CF_UNICODETEXT}) == S_OK;
        effect = Choose(keyState, effect);
        return S_OK;
    }
    HRESULT DragOver(DWORD keyState, TPoint point, DWORD& effect) override {
        FLog.push_back("over " + std::to_string(point.X));
        effect = Choose(keyState, effect);
        return S_OK;
    }
    HRESULT DragLeave() override {
        FLog.push_back("leave");
        return S_OK;
    }
    HRESULT Drop(IDataObject&, DWORD keyState, TPoint point, DWORD& effect) override {
        FLog.push_back("drop " + std::to_string(point.X));
        effect = Choose(keyState, effect);
        return S_OK;
    }
    bool FormatOffered = false;

private:
    static DWORD Choose(DWORD keyState, DWORD allowed) {
        if (keyState & MK_CONTROL) return DROPEFFECT_COPY;
        return (allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    }
    Strings& FLog;
};

} // namespace

class DragDropTest : public WindowingTest {
protected:
    void SetUp() override {
        WindowingTest::SetUp();
        Form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 400, 200));
        Source = Create("source", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 100, 100), Form);
        Grid = Create("grid", WS_CHILD | WS_VISIBLE, Bounds(200, 0, 100, 100), Form);
        Cell = Create("cell", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 20, 20), Grid);
        Target = std::make_shared<TTarget>(Events);
        ASSERT_EQ(RegisterDragDrop(Grid, Target), S_OK);
        EXPECT_EQ(RegisterDragDrop(Grid, Target), DRAGDROP_E_ALREADYREGISTERED);
        // The press that starts the drag has been handled.
        Headless->MoveMouse(50, 50);
        Headless->PressButton();
        Pump();
    }
    HWND Form = nullptr, Source = nullptr, Grid = nullptr, Cell = nullptr;
    Strings Events;
    std::shared_ptr<TTarget> Target;
    TTextData Data;
    TSource DropSource;
};

TEST_F(DragDropTest, DropOnAChildOfTheRegisteredWindowWithTheKeysEffect) {
    Headless->MoveMouse(215, 15); // over the grid's child
    Headless->MoveMouse(250, 50);
    Headless->PressKey(VK_CONTROL);
    Headless->MoveMouse(251, 50);
    Headless->ReleaseButton();
    DWORD effect = 99;
    EXPECT_EQ(DoDragDrop(Data, DropSource, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(Events, Strings({"enter", "over 250", "over 250", "over 251", "drop 251"}));
    EXPECT_TRUE(Target->FormatOffered);
    EXPECT_EQ(DropSource.Feedback, std::vector<DWORD>({DROPEFFECT_NONE, DROPEFFECT_MOVE, DROPEFFECT_MOVE,
                                                       DROPEFFECT_COPY, DROPEFFECT_COPY}));
    EXPECT_FALSE(IsDragging());
}

TEST_F(DragDropTest, EscapeCancelsWithLeaveAndReleaseOutsideTargetsCancels) {
    Headless->MoveMouse(250, 50);
    Headless->PressKey(VK_ESCAPE);
    DWORD effect = 99;
    EXPECT_EQ(DoDragDrop(Data, DropSource, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(Events, Strings({"enter", "leave"}));
    Events.clear();
    Headless->MoveMouse(20, 20);
    Headless->ReleaseButton();
    EXPECT_EQ(DoDragDrop(Data, DropSource, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(Events, Strings({"enter", "leave"})) << "entered where the drag began, left before the release";
    EXPECT_EQ(RevokeDragDrop(Grid), S_OK);
    EXPECT_EQ(RevokeDragDrop(Grid), DRAGDROP_E_NOTREGISTERED);
}

TEST_F(DragDropTest, MessagesOtherThanInputAreDispatchedDuringTheDrag) {
    PostMessage(Form, WM_USER, 0, 0);
    Headless->SetIdleHandler([&] { Headless->ReleaseButton(); });
    ClearLog();
    DWORD effect = 0;
    DoDragDrop(Data, DropSource, DROPEFFECT_MOVE, effect);
    EXPECT_EQ(Log({WM_USER, WM_LBUTTONUP}), Strings({"form:WM_USER"})) << "the release belongs to the drag";
}
