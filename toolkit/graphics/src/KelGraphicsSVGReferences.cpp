// Resolving the references between the elements of a loaded SVG document:
// style rules (with the clip paths and paint servers they name), paint
// servers named by url(#id), and gradients linked by href.

#include "kel/KelGraphicsSVGEngine.h"

namespace {

TKelGraphicsSVGElement* ElementAt(const TObjectList& AList, Integer AIndex) {
    return static_cast<TKelGraphicsSVGElement*>(AList.Items(AIndex));
}

TKelGraphicsSVGElement* LastChild(TKelGraphicsSVGElement* AElement) {
    if (!AElement->HasElements() || AElement->Elements()->Count() == 0) return nullptr;
    return AElement->Elements()->Items(AElement->Elements()->Count() - 1);
}

bool IsGradient(const TKelGraphicsSVGElement* AElement) {
    return AElement->Type() == etLinearGradient || AElement->Type() == etRadialGradient;
}

// E takes what the style rule R of its class names: a clip path, a paint
// server, or the rule itself.
void ApplyRule(TKelGraphicsSVGElement* E, const TKelGraphicsSVGElement* R,
               const TKelGraphicsSVGElementList& ADefs) {
    if (!R->ClipPathRefID().empty()) {
        for (Integer I = 0; I < ADefs.Count(); ++I) {
            TKelGraphicsSVGElement* K = ADefs.Items(I);
            TKelGraphicsSVGElement* Shape = K->ID() == R->ClipPathRefID() ? LastChild(K) : nullptr;
            if (Shape == nullptr) continue;
            E->SetClipPathRef(Shape);
            E->SetClassRef(Shape->ClassRef());
        }
    } else if (!R->URLRefID().empty()) {
        for (Integer I = 0; I < ADefs.Count(); ++I) {
            TKelGraphicsSVGElement* K = ADefs.Items(I);
            if (K->ID() != R->URLRefID()) continue;
            if (IsGradient(K))
                E->SetPaintServer(K);
            else if (TKelGraphicsSVGElement* Child = LastChild(K))
                E->SetClassRef(Child->ClassRef());
        }
    } else {
        E->SetClassRef(const_cast<TKelGraphicsSVGElement*>(R));
    }
}

} // namespace

void TKelGraphicsSVGImport::ResolveClassRefs(const TObjectList& AList,
                                             const TKelGraphicsSVGElementList& ADefs) {
    if (ADefs.Count() == 0) return;
    for (Integer L = 0; L < AList.Count(); ++L) {
        TKelGraphicsSVGElement* E = ElementAt(AList, L);
        for (Integer D = 0; D < ADefs.Count(); ++D) {
            const TKelGraphicsSVGElement* R = ADefs.Items(D);
            if (!E->ClassRefID().empty() && R->ClassRefID() == E->ClassRefID()) {
                ApplyRule(E, R, ADefs);
                break;
            }
            // A definition that names E (a clip path or paint server in
            // "defs"): E's children take their own classes' rules.
            const bool Named =
                !E->ID().empty() && (R->URLRefID() == E->ID() || R->ClipPathRefID() == E->ID());
            if (Named) {
                if (E->HasElements()) ResolveClassRefs(*E->Elements(), ADefs);
                break;
            }
        }
    }
}

void TKelGraphicsSVGImport::ResolvePatternRefs(const TKelGraphicsSVGElementList& AList) const {
    for (Integer L = 0; L < AList.Count(); ++L) {
        TKelGraphicsSVGElement* E = AList.Items(L);
        if (!E->URLRefID().empty())
            for (Integer P = 0; P < FElementPatternList.Count(); ++P)
                if (FElementPatternList.Items(P)->ID() == E->URLRefID())
                    E->SetPaintServer(FElementPatternList.Items(P));
        if (E->HasElements()) ResolvePatternRefs(*E->Elements());
    }
}

void TKelGraphicsSVGImport::ResolveHRefs() {
    for (Integer G = 0; G < FElementPatternList.Count(); ++G) {
        TKelGraphicsSVGElement* E = FElementPatternList.Items(G);
        if (E->HRefID().empty()) continue;
        for (Integer P = 0; P < FElementPatternList.Count(); ++P)
            if (FElementPatternList.Items(P)->ID() == E->HRefID())
                E->SetGradientLink(FElementPatternList.Items(P));
    }
}
