// Speed of the object model: property access through reflection and the
// life of owned components.

#include "rtl/ClassBuilder.h"
#include "rtl/Component.h"

#include <benchmark/benchmark.h>

namespace {

class TBenchItem : public TComponent {
    RTL_CLASS(TBenchItem)
public:
    using TComponent::TComponent;
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }

private:
    Integer FWidth = 0;
};

} // namespace

const TClassInfo& TBenchItem::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TBenchItem, TComponent>()
                                       .Property(u"Width", &TBenchItem::Width, &TBenchItem::SetWidth)
                                       .Build();
    return Info;
}

namespace {

void BM_SetOrdPropByDescriptor(benchmark::State& State) {
    TBenchItem Item(nullptr);
    const TPropInfo& Prop = FindPropInfo(&Item, u"Width");
    Integer Value = 0;
    for (auto _ : State) {
        SetOrdProp(&Item, Prop, ++Value & 0xFFFF);
        benchmark::DoNotOptimize(GetOrdProp(&Item, Prop));
    }
}
BENCHMARK(BM_SetOrdPropByDescriptor);

void BM_SetOrdPropByName(benchmark::State& State) {
    TBenchItem Item(nullptr);
    Integer Value = 0;
    for (auto _ : State)
        SetOrdProp(&Item, u"Width", ++Value & 0xFFFF);
}
BENCHMARK(BM_SetOrdPropByName);

// Creating N owned components and freeing them with their owner.
void BM_OwnedComponentLife(benchmark::State& State) {
    for (auto _ : State) {
        auto* Owner = Create<TComponent>(nullptr);
        for (int64_t I = 0; I < State.range(0); ++I)
            Create<TBenchItem>(Owner);
        Free(Owner);
    }
    State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_OwnedComponentLife)->Arg(100)->Arg(1000);

} // namespace

BENCHMARK_MAIN();
