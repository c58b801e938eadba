// One picture codec over any bytes: the codec is chosen at build time
// (VANDREL_FUZZ_CODEC), so each codec is its own target with its own corpus.
// Damaged data and oversized pictures are refused with the codec's error;
// a picture that decodes is encoded again where the format can be written.

#include "graphics/ImageCodecs.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const Byte> bytes(data, size);
    try {
#if VANDREL_FUZZ_CODEC == 1
        EncodeBmp(DecodeBmp(bytes), 32);
#elif VANDREL_FUZZ_CODEC == 2
        const auto images = DecodeIconImages(bytes);
        DecodeIcon(bytes);
        EncodeIcon(images);
#elif VANDREL_FUZZ_CODEC == 3
        EncodePng(DecodePng(bytes));
#elif VANDREL_FUZZ_CODEC == 4
        DecodeJpeg(bytes);
#elif VANDREL_FUZZ_CODEC == 5
        DecodeGif(bytes);
#else
#error "VANDREL_FUZZ_CODEC names no codec"
#endif
    } catch (const EInvalidGraphic&) {
        // Refused: the expected outcome for damaged data.
    }
    return 0;
}
