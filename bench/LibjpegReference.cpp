#include "LibjpegReference.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <cstring>
#include <jpeglib.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct ErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ExitByJump(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

// Everything libjpeg does sits in this function, which holds nothing with a
// destructor, so its longjmp skips no C++ cleanup. Returns false with the
// message in `errors` on failure, having released what it took.
bool Decode(const uint8_t* data, size_t size, int denom, ReferencePicture& out, ErrorManager& errors)
{
    jpeg_decompress_struct d;
    uint8_t* volatile pixels = nullptr;
    d.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ExitByJump;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_decompress(&d);
        std::free(pixels);
        return false;
    }
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, data, static_cast<unsigned long>(size));
    jpeg_read_header(&d, TRUE);
    d.scale_num = 1;
    d.scale_denom = static_cast<unsigned>(denom);
    d.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&d);

    const size_t stride = (static_cast<size_t>(d.output_width) * 3 + 3) & ~size_t{3};
    pixels = static_cast<uint8_t*>(std::malloc(stride * d.output_height));
    if (pixels == nullptr) {
        std::strcpy(errors.Message, "out of memory");
        jpeg_destroy_decompress(&d);
        return false;
    }
    for (size_t y = 0; y < d.output_height; ++y) // the padding bytes of a BMP row are zero
        std::memset(pixels + y * stride + static_cast<size_t>(d.output_width) * 3, 0,
                    stride - static_cast<size_t>(d.output_width) * 3);
    while (d.output_scanline < d.output_height) {
        JSAMPROW rows[16];
        const unsigned count = std::min(16u, d.output_height - d.output_scanline);
        for (unsigned i = 0; i < count; ++i)
            rows[i] = pixels + (d.output_height - 1 - (d.output_scanline + i)) * stride;
        jpeg_read_scanlines(&d, rows, count);
    }
    jpeg_finish_decompress(&d);
    out.Width = static_cast<int>(d.output_width);
    out.Height = static_cast<int>(d.output_height);
    out.Stride = stride;
    out.Pixels.reset(pixels);
    jpeg_destroy_decompress(&d);
    return true;
}

// As Decode: libjpeg's calls alone, so its longjmp skips no destructor.
bool Encode(const uint8_t* pixels, int width, int height, size_t stride, int quality, unsigned char** out,
            unsigned long* outSize, ErrorManager& errors)
{
    jpeg_compress_struct c;
    c.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ExitByJump;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_compress(&c);
        return false;
    }
    jpeg_create_compress(&c);
    jpeg_mem_dest(&c, out, outSize);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = 3;
    c.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(pixels + c.next_scanline * stride);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return true;
}

void Store32(uint8_t* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

ReferencePicture ReferenceDecode(const uint8_t* data, size_t size, int denom)
{
    ReferencePicture picture;
    ErrorManager errors{};
    if (!Decode(data, size, denom, picture, errors))
        throw std::runtime_error(std::string("libjpeg: ") + errors.Message);
    return picture;
}

std::vector<uint8_t> ReferenceEncode(const uint8_t* pixels, int width, int height, size_t stride, int quality)
{
    ErrorManager errors{};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const bool encoded = Encode(pixels, width, height, stride, quality, &out, &outSize, errors);
    std::vector<uint8_t> bytes;
    if (encoded)
        bytes.assign(out, out + outSize);
    std::free(out);
    if (!encoded)
        throw std::runtime_error(std::string("libjpeg: ") + errors.Message);
    return bytes;
}

void MakeBmp24Header(int width, int height, uint8_t (&header)[54])
{
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = stride * static_cast<uint32_t>(height);
    std::memset(header, 0, sizeof header);
    header[0] = 'B';
    header[1] = 'M';
    Store32(header + 2, 54 + imageBytes);
    Store32(header + 10, 54);
    Store32(header + 14, 40);
    Store32(header + 18, static_cast<uint32_t>(width));
    Store32(header + 22, static_cast<uint32_t>(height));
    header[26] = 1;  // planes
    header[28] = 24; // bits per pixel
    Store32(header + 34, imageBytes);
}
