// The column grid's persistence: the column order in an INI section ("CP"
// keys) and the column items as a component stream.

#include "grid/VarErozidOvur.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/Filer.h"
#include "rtl/IniFile.h"

#include <vector>

const TClassInfo& TVarErozidOvurIO::StaticClassInfo() {
    using C = TVarErozidOvurIO;
    static const TClassInfo Info =
        TClassBuilder<C, TComponent>().Property(u"Items", &C::Items, &C::SetItems).Build();
    return Info;
}

TVarErozidOvurIO::TVarErozidOvurIO(TComponent* AOwner) : TComponent(AOwner) {
    auto* Grid = dynamic_cast<TVarErozidOvur*>(AOwner);
    if (!Grid) throw Exception(u"TVarErozidOvurIO needs a column grid as its owner");
    FItems = std::make_unique<TGridColumnCollection>(Grid);
}

TVarErozidOvurIO::~TVarErozidOvurIO() = default;

void TVarErozidOvur::SaveColumnPositions(const String& Key, const String& Section) {
    TMemIniFile Ini(Key);
    for (Integer i = 0; i < Columns()->Count(); ++i)
        Ini.WriteInteger(Section, u"CP" + IntToStr(i), Columns()->Items(i)->DefIdx());
    Ini.UpdateFile();
}

void TVarErozidOvur::LoadColumnPositions(const String& Key, const String& Section) {
    const Integer N = Columns()->Count();
    std::vector<Integer> Saved;
    {
        TMemIniFile Ini(Key);
        for (Integer i = 0; i < N; ++i) {
            const Integer V = Ini.ReadInteger(Section, u"CP" + IntToStr(i), -1);
            if (V == -1) return;
            Saved.push_back(V);
        }
    }
    // Nothing moves unless the values are a permutation of the items.
    std::vector<bool> Seen(size_t(N), false);
    for (Integer V : Saved) {
        if (V < 0 || V >= N || Seen[size_t(V)]) return;
        Seen[size_t(V)] = true;
    }
    ResetColumnOrder();
    for (Integer j = 0; j < N; ++j) Columns()->Items(Saved[size_t(j)])->SetDefIdx(j);
    Columns()->ResetOrganization();
    for (Integer i = 0; i < N; ++i) Columns()->Items(i)->SetDefIdx(Saved[size_t(i)]);
}

void TVarErozidOvur::SaveColPositions() {
    if (ColumnSize()->Location() != clIniFile) return TZirOvararIzaz::SaveColPositions();
    if (ColumnSize()->Key().empty() || ColumnSize()->Section().empty() || IsDesigning()) return;
    SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
}

void TVarErozidOvur::LoadColPositions() {
    if (ColumnSize()->Location() != clIniFile) return TZirOvararIzaz::LoadColPositions();
    if (ColumnSize()->Key().empty() || ColumnSize()->Section().empty() || IsDesigning()) return;
    LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
}

namespace {

// The stream component, freed on every path.
struct TColumnsIO {
    TVarErozidOvurIO* IO;
    explicit TColumnsIO(TVarErozidOvur* Grid) : IO(Create<TVarErozidOvurIO>(Grid)) {}
    ~TColumnsIO() { Free(IO); }
    TColumnsIO(const TColumnsIO&) = delete;
    TColumnsIO& operator=(const TColumnsIO&) = delete;
};

} // namespace

void TVarErozidOvur::SaveColumnsToStream(TStream& Stream) {
    TColumnsIO Holder(this);
    TNoRecursiveUpdate Guard(Holder.IO->Items());
    Holder.IO->Items()->Assign(Columns());
    WriteComponent(Stream, Holder.IO);
}

void TVarErozidOvur::LoadColumnsFromStream(TStream& Stream) {
    // The flag goes down again on every path; the reader checks the whole
    // stream before it sets anything, so a damaged stream leaves the
    // columns as they were.
    TNoRecursiveUpdate Guard(Columns());
    {
        TColumnsIO Holder(this);
        TNoRecursiveUpdate IOGuard(Holder.IO->Items());
        ReadComponent(Stream, Holder.IO);
        Columns()->Assign(Holder.IO->Items());
    }
    Invalidate();
}
