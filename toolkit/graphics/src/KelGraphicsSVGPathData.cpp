// Path data of the SVG engine: tokens, implicit command repetition, the
// command interpreter and elliptical arcs as cubic curves.

#include "kel/KelGraphicsSVGEngine.h"
#include "kel/RarEvads.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr std::u16string_view CommandLetters = u"MmLlHhVvCcSsQqTtAaZz";

bool IsCommand(Char ch) {
    return CommandLetters.find(ch) != std::u16string_view::npos;
}

bool IsCommandToken(const String& AToken) {
    return !AToken.empty() && IsCommand(AToken.front());
}

Char UpCase(Char ch) {
    return ch >= u'a' && ch <= u'z' ? static_cast<Char>(ch - 32) : ch;
}

// The number of operands of a command; 0 for "Z" and for what is no command.
size_t OperandCount(Char ACommand) {
    switch (UpCase(ACommand)) {
    case u'A':
        return 7;
    case u'C':
        return 6;
    case u'Q':
    case u'S':
        return 4;
    case u'L':
    case u'M':
    case u'T':
        return 2;
    case u'H':
    case u'V':
        return 1;
    default:
        return 0;
    }
}

// The number of tokens after AIndex up to the next command letter.
size_t NumberCountAfter(const TKelGraphicsSVGTokens& ATokens, size_t AIndex) {
    size_t Count = 0;
    while (AIndex + 1 + Count < ATokens.size() && !IsCommandToken(ATokens[AIndex + 1 + Count]))
        ++Count;
    return Count;
}

// Reads the commands of the token list into the element's sub-paths.
class TPathInterpreter {
public:
    explicit TPathInterpreter(TKelGraphicsSVGElement* AElement) : FElement(AElement) {}

    void Run(const TKelGraphicsSVGTokens& ATokens) {
        size_t Index = 0;
        while (Index < ATokens.size()) {
            const Char Command = ATokens[Index].empty() ? Char(0) : ATokens[Index].front();
            const size_t Count = OperandCount(Command);
            const bool Complete = IsCommand(Command) && NumberCountAfter(ATokens, Index) >= Count;
            if (!Complete) {
                // A stray number, or a command lacking operands: passed over.
                FPrevious = Command;
                ++Index;
                continue;
            }
            std::array<Double, 7>& Slots = FSlots[UpCase(Command) - u'A'];
            for (size_t Operand = 0; Operand < Count; ++Operand) {
                Double Value = 0;
                // A number that does not parse keeps the value of the last use.
                if (TRarEvads::TryStrToFloatDot(ATokens[Index + 1 + Operand], Value)) Slots[Operand] = Value;
            }
            // A segment with a value beyond the range of a coordinate ends
            // the path data here, as SVG's error rules say.
            if (!SegmentFinite(Command, Slots)) break;
            Execute(Command, Slots);
            FPrevious = Command;
            Index += 1 + Count;
        }
    }

private:
    static bool Fits(Double AValue) { return std::abs(AValue) <= std::numeric_limits<Single>::max(); }

    // True when every value and every point of the segment is a finite
    // coordinate (NaN is not).
    bool SegmentFinite(Char ACommand, const std::array<Double, 7>& S) const {
        const bool Rel = ACommand >= u'a';
        auto X = [&](Double AX) { return Fits(Rel ? AX + FCurrent.X : AX); };
        auto Y = [&](Double AY) { return Fits(Rel ? AY + FCurrent.Y : AY); };
        switch (UpCase(ACommand)) {
        case u'H':
            return X(S[0]);
        case u'V':
            return Y(S[0]);
        case u'A':
            return Fits(S[0]) && Fits(S[1]) && Fits(S[2]) && Fits(S[3]) && Fits(S[4]) && X(S[5]) && Y(S[6]);
        case u'S':
        case u'T':
            if (!Fits(2.0 * FCurrent.X - FLastControl.X) || !Fits(2.0 * FCurrent.Y - FLastControl.Y))
                return false;
            break;
        }
        for (size_t Operand = 0; Operand + 1 < OperandCount(ACommand); Operand += 2)
            if (!X(S[Operand]) || !Y(S[Operand + 1])) return false;
        return true;
    }

    TPointF Point(Double AX, Double AY, bool ARelative) const {
        const Double X = ARelative ? AX + FCurrent.X : AX;
        const Double Y = ARelative ? AY + FCurrent.Y : AY;
        return {static_cast<Single>(X), static_cast<Single>(Y)};
    }

    // The control point mirrored about the current point when the previous
    // command was one of APrevious, else the current point.
    TPointF Reflection(std::u16string_view APrevious) const {
        if (APrevious.find(FPrevious) == std::u16string_view::npos || FPrevious == 0) return FCurrent;
        return {2 * FCurrent.X - FLastControl.X, 2 * FCurrent.Y - FLastControl.Y};
    }

    void Execute(Char ACommand, const std::array<Double, 7>& S) {
        const bool Rel = ACommand >= u'a';
        TKelGraphicsPath* Path = FElement->ActivePath();
        switch (UpCase(ACommand)) {
        case u'M': {
            Path = Create<TKelGraphicsPath>();
            FElement->Paths()->Add(Path);
            FCurrent = Point(S[0], S[1], Rel);
            Path->MoveTo(FCurrent);
            break;
        }
        case u'L':
            LineTo(Path, Point(S[0], S[1], Rel));
            break;
        case u'H':
            LineTo(Path, {Point(S[0], 0, Rel).X, FCurrent.Y});
            break;
        case u'V':
            LineTo(Path, {FCurrent.X, Point(0, S[0], Rel).Y});
            break;
        case u'C':
            CurveTo(Path, Point(S[0], S[1], Rel), Point(S[2], S[3], Rel), Point(S[4], S[5], Rel));
            break;
        case u'S':
            CurveTo(Path, Reflection(u"CcSs"), Point(S[0], S[1], Rel), Point(S[2], S[3], Rel));
            break;
        case u'Q':
            QuadTo(Path, Point(S[0], S[1], Rel), Point(S[2], S[3], Rel));
            break;
        case u'T':
            QuadTo(Path, Reflection(u"QqTt"), Point(S[0], S[1], Rel));
            break;
        case u'A': {
            const TPointF End = Point(S[5], S[6], Rel);
            if (Path != nullptr)
                TKelGraphicsSVGImport::AddEllipticalArc(
                    Path, FCurrent, End, static_cast<Single>(std::abs(S[0])),
                    static_cast<Single>(std::abs(S[1])), static_cast<Single>(S[2]), std::trunc(S[3]) != 0,
                    std::trunc(S[4]) != 0);
            FCurrent = End;
            break;
        }
        case u'Z':
            if (Path != nullptr) {
                Path->ClosePath();
                FCurrent = Path->LastPoint();
            }
            break;
        }
    }

    void LineTo(TKelGraphicsPath* APath, const TPointF& AEnd) {
        if (APath != nullptr) APath->LineTo(AEnd);
        FCurrent = AEnd;
    }

    void CurveTo(TKelGraphicsPath* APath, const TPointF& AControl1, const TPointF& AControl2,
                 const TPointF& AEnd) {
        if (APath != nullptr) APath->CurveTo(AControl1, AControl2, AEnd);
        FLastControl = AControl2;
        FCurrent = AEnd;
    }

    // A quadratic curve, raised to the cubic curve of the same shape.
    void QuadTo(TKelGraphicsPath* APath, const TPointF& AControl, const TPointF& AEnd) {
        if (APath != nullptr) APath->QuadCurveTo(AControl, AEnd);
        FLastControl = AControl;
        FCurrent = AEnd;
    }

    TKelGraphicsSVGElement* FElement;
    TPointF FCurrent;
    TPointF FLastControl;
    Char FPrevious = 0;
    // One set of operand values per command letter, upper case, A to Z.
    std::array<std::array<Double, 7>, 26> FSlots{};
};

} // namespace

void TKelGraphicsSVGImport::ParsePathData(TKelGraphicsSVGElement* AElement, const String& AData) {
    String Data = AData;
    std::replace(Data.begin(), Data.end(), u',', u' ');
    TPathInterpreter(AElement).Run(InsertImplicitCommands(SplitPathData(Data)));
}

TKelGraphicsSVGTokens TKelGraphicsSVGImport::SplitPathData(const String& AData) {
    TKelGraphicsSVGTokens Result;
    const String Data = Trim(AData);
    size_t Start = 0;
    while (Start < Data.size()) {
        // The first character is taken as a command whatever it is; each
        // following command letter starts a new segment.
        size_t End = Start + 1;
        while (End < Data.size() && !IsCommand(Data[End]))
            ++End;
        const String Rest = Trim(std::u16string_view(Data).substr(Start + 1, End - Start - 1));
        const TKelGraphicsSVGTokens Segment = TokenizePathSegment(Data[Start], Rest);
        Result.insert(Result.end(), Segment.begin(), Segment.end());
        Start = End;
    }
    return Result;
}

TKelGraphicsSVGTokens TKelGraphicsSVGImport::TokenizePathSegment(Char ACommand, const String& AText) {
    TKelGraphicsSVGTokens Result{String(1, ACommand)};
    if (ACommand == u'Z' || ACommand == u'z') return Result;
    String Token;
    bool ExponentSeen = false;
    bool PointSeen = false;
    auto Emit = [&] {
        if (!Token.empty()) Result.push_back(Token);
        Token.clear();
    };
    // The two flags of an arc (operands 4 and 5 of each group of 7) are one
    // character each and may be written without a separator: "0014" after
    // the rotation is the flags 0 and 0 and the coordinate 14.
    const bool Arc = ACommand == u'A' || ACommand == u'a';
    auto AtFlag = [&] {
        const size_t Operand = (Result.size() - 1) % 7;
        return Arc && Token.empty() && (Operand == 3 || Operand == 4);
    };
    for (const Char ch : AText) {
        if ((ch == u'0' || ch == u'1') && AtFlag()) {
            Result.push_back(String(1, ch));
            ExponentSeen = PointSeen = false;
            continue;
        }
        if (ch == u'\t' || ch == u'\n' || ch == u'\r' || ch == u' ') {
            Emit();
            ExponentSeen = PointSeen = false;
        } else if (ch == u'+' || ch == u'-') {
            // A sign right after the exponent letter belongs to the exponent;
            // any other sign starts a number.
            if (ExponentSeen && !Token.empty() && (Token.back() == u'e' || Token.back() == u'E')) {
                Token += ch;
            } else {
                Emit();
                ExponentSeen = PointSeen = false;
                Token = ch;
            }
        } else if (ch == u'.') {
            if (PointSeen) Emit();
            Token += ch;
            PointSeen = true;
        } else if (ch >= u'0' && ch <= u'9') {
            Token += ch;
        } else if (ch == u'e' || ch == u'E') {
            if (ExponentSeen) Emit();
            Token += ch;
            ExponentSeen = true;
        }
        // Any other character neither ends nor joins a token.
    }
    Emit();
    return Result;
}

TKelGraphicsSVGTokens TKelGraphicsSVGImport::InsertImplicitCommands(const TKelGraphicsSVGTokens& ATokens) {
    TKelGraphicsSVGTokens Result;
    size_t Index = 0;
    while (Index < ATokens.size()) {
        const String& Token = ATokens[Index];
        Result.push_back(Token);
        if (!IsCommandToken(Token)) {
            ++Index;
            continue;
        }
        const size_t n = OperandCount(Token.front());
        const size_t k = NumberCountAfter(ATokens, Index);
        // A count with a remainder of 1 keeps only the first group.
        const bool Repeat = n > 0 && k != n && k % n != 1 && k >= 2 * n;
        String Letter = Token.substr(0, 1);
        if (Letter == u"M") Letter = u"L";
        if (Letter == u"m") Letter = u"l";
        for (size_t Position = 1; Position <= k; ++Position) {
            // Positions n + 1, 2n + 1, ... up to k - n + 1 start a complete group.
            if (Repeat && Position > n && (Position - 1) % n == 0 && Position <= k - n + 1)
                Result.push_back(Letter);
            Result.push_back(ATokens[Index + Position]);
        }
        Index += 1 + k;
    }
    return Result;
}

void TKelGraphicsSVGImport::AddEllipticalArc(TKelGraphicsPath* APath, const TPointF& AStart,
                                             const TPointF& AEnd, Single ARx, Single ARy, Single ARotation,
                                             bool ALargeArc, bool ASweep) {
    constexpr Double Pi = std::numbers::pi;
    if (AStart == AEnd) return;
    for (const Single Value : {AStart.X, AStart.Y, AEnd.X, AEnd.Y, ARx, ARy, ARotation})
        if (!std::isfinite(Value)) return; // no arc through a point beyond the plane
    if (ARx == 0 || ARy == 0) {
        APath->AddLine(AStart, AEnd);
        return;
    }
    const Double X1 = AStart.X, Y1 = AStart.Y, X2 = AEnd.X, Y2 = AEnd.Y;
    Double Rx = ARx, Ry = ARy;
    const Double Phi = ARotation * Pi / 180;
    const Double CosPhi = std::cos(Phi), SinPhi = std::sin(Phi);

    // The start point in the ellipse's own axes, relative to the chord's middle.
    const Double X1p = CosPhi * (X1 - X2) / 2 + SinPhi * (Y1 - Y2) / 2;
    const Double Y1p = -SinPhi * (X1 - X2) / 2 + CosPhi * (Y1 - Y2) / 2;

    const Double C = Rx * Rx * Ry * Ry - Rx * Rx * Y1p * Y1p - Ry * Ry * X1p * X1p;
    Double Factor = 0;
    if (C < 0) {
        // Radii too small to reach the end point grow until they just do.
        const Double Lambda = std::sqrt(X1p * X1p / (Rx * Rx) + Y1p * Y1p / (Ry * Ry));
        Rx *= Lambda;
        Ry *= Lambda;
    } else {
        const Double Sign = ALargeArc == ASweep ? -1 : 1;
        Factor = Sign * std::sqrt(C / (Rx * Rx * Y1p * Y1p + Ry * Ry * X1p * X1p));
    }
    const Double Cxp = Factor * Rx * Y1p / Ry;
    const Double Cyp = -Factor * Ry * X1p / Rx;
    const Double Cx = CosPhi * Cxp - SinPhi * Cyp + (X1 + X2) / 2;
    const Double Cy = SinPhi * Cxp + CosPhi * Cyp + (Y1 + Y2) / 2;

    auto Angle = [&](Double AX, Double AY) {
        const Double A = std::atan2(AY, AX);
        return A < 0 ? A + 2 * Pi : A;
    };
    const Double Theta1 = Angle((X1p - Cxp) / Rx, (Y1p - Cyp) / Ry);
    Double Delta = Angle((-X1p - Cxp) / Rx, (-Y1p - Cyp) / Ry) - Theta1;
    if (Delta < 0) Delta += 2 * Pi;
    if (!ASweep && Delta > 0) Delta -= 2 * Pi;
    if (ASweep && Delta < 0) Delta += 2 * Pi;

    const Integer Segments = std::max(1, static_cast<Integer>(std::ceil(std::abs(Delta) / (Pi / 2))));
    const Double Step = Delta / Segments;
    // (4/3) tan(Step/4), written so that it stays exact for small steps.
    const Double K = 8.0 / 3.0 * std::pow(std::sin(Step / 4), 2) / std::sin(Step / 2);

    auto Ellipse = [&](Double T) {
        return TPointF{static_cast<Single>(Cx + Rx * CosPhi * std::cos(T) - Ry * SinPhi * std::sin(T)),
                       static_cast<Single>(Cy + Rx * SinPhi * std::cos(T) + Ry * CosPhi * std::sin(T))};
    };
    auto Derivative = [&](Double T) {
        return std::array<Double, 2>{-Rx * CosPhi * std::sin(T) - Ry * SinPhi * std::cos(T),
                                     -Rx * SinPhi * std::sin(T) + Ry * CosPhi * std::cos(T)};
    };

    if (APath->Count() == 0)
        APath->MoveTo(AStart);
    else
        APath->LineTo(AStart);
    Double Theta = Theta1;
    for (Integer Segment = 0; Segment < Segments; ++Segment) {
        const Double Next = Theta + Step;
        const TPointF P1 = Ellipse(Theta), P2 = Ellipse(Next);
        const auto D1 = Derivative(Theta), D2 = Derivative(Next);
        APath->CurveTo({static_cast<Single>(P1.X + K * D1[0]), static_cast<Single>(P1.Y + K * D1[1])},
                       {static_cast<Single>(P2.X - K * D2[0]), static_cast<Single>(P2.Y - K * D2[1])}, P2);
        Theta = Next;
    }
}
