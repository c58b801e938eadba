#pragma once
// The change notification that the fill, the stroke and the font of the
// drawing layer share: every change calls OnChanged with the object as the
// sender, unless a BeginUpdate is in force; the EndUpdate that ends the last
// one reports the batch once.

#include "kel/KelGraphicsTypes.h"
#include "rtl/Events.h"

template <class TBase>
class TKelChangeNotifying : public TBase {
public:
    using TBase::TBase;

    TNotifyEvent OnChanged;

    virtual void BeginUpdate() { ++FUpdateCount; }
    // An EndUpdate without its BeginUpdate only reports; the count never
    // drops below 0, so later changes are still reported.
    virtual void EndUpdate() {
        if (FUpdateCount > 0) --FUpdateCount;
        DoChanged();
    }
    Integer UpdateCount() const { return FUpdateCount; }

protected:
    void DoChanged() {
        if (OnChanged && FUpdateCount == 0) OnChanged(this);
    }

    // The setter scheme: a value equal to the stored one (floats compared
    // exactly) changes nothing; another is stored and reported.
    template <class T>
    void SetAndReport(T& AField, const T& AValue) {
        if (AValue == AField) return;
        AField = AValue;
        DoChanged();
    }
    // The same for the colours of fills and strokes: compared as given,
    // stored as GraphicsColorFromInput translates them.
    void SetColorAndReport(TColor& AField, TColor AValue) {
        if (AValue == AField) return;
        AField = GraphicsColorFromInput(AValue);
        DoChanged();
    }

    // Runs ACopy with reports held back, then reports once: the scheme of
    // the Assign operations, whose single copies must not report one by one.
    template <class F>
    void ChangeAsOne(F&& ACopy) {
        ++FUpdateCount;
        try {
            ACopy();
        } catch (...) {
            --FUpdateCount;
            throw;
        }
        --FUpdateCount;
        DoChanged();
    }

private:
    Integer FUpdateCount = 0;
};
