// svg_reference_compare SIZE OUT_DIR SVG REFERENCE_PNG [SVG REFERENCE_PNG ...]
//
// Draws each SVG with the engine at SIZE x SIZE, writes the drawing to
// OUT_DIR/<n>.png, compares it with the reference PNG and prints one line
// per file: "<within 0|1> <differing share> <mean difference> <svg>".
// Used by scripts/compare-svg-reference.sh.

#include "../tests/SVGReferenceCompare.h"
#include "graphics/Graphic.h"
#include "rtl/Encoding.h"

#include <cstdio>
#include <string>

// Fontconfig keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv) {
    if (argc < 5 || (argc - 3) % 2 != 0) {
        std::fprintf(stderr, "usage: %s SIZE OUT_DIR SVG REFERENCE_PNG [SVG REFERENCE_PNG ...]\n", argv[0]);
        return 2;
    }
    const Integer Size = std::atoi(argv[1]);
    const std::string OutDir = argv[2];
    for (int I = 3; I + 1 < argc; I += 2) {
        const String Svg = FromUtf8(argv[I]);
        svgreference::TComparison Result;
        try {
            const TDecodedImage Ours = svgreference::Render(Svg, Size);
            const TDecodedImage Reference = svgreference::LoadPNG(FromUtf8(argv[I + 1]));
            Result = svgreference::Compare(Ours, Reference);
            if (Ours.Width > 0) {
                TPngImage Png;
                Png.SetPixels(Ours);
                Png.SaveToFile(FromUtf8(OutDir + "/" + std::to_string((I - 3) / 2) + ".png"));
            }
        } catch (const Exception& E) {
            std::fprintf(stderr, "%s: %s\n", argv[I], Utf8(E.Message()).c_str());
        }
        std::printf("%d %.4f %.4f %s\n", Result.WithinTolerance() ? 1 : 0, Result.DifferingShare,
                    Result.MeanDifference, argv[I]);
    }
    return 0;
}
