#include "JpegTestData.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>

// libjpeg's default error handling (message and exit) is fine here: these
// helpers only ever see data they made themselves.

namespace codec_test {

std::vector<uint8_t> EncodeTestJpeg(int width, int height, const JpegEncoding& encoding)
{
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = static_cast<JDIMENSION>(width);
    compressor.image_height = static_cast<JDIMENSION>(height);
    compressor.input_components = 3;
    compressor.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, encoding.Quality, TRUE);
    compressor.comp_info[0].h_samp_factor = encoding.LumaSampling;
    compressor.comp_info[0].v_samp_factor = encoding.LumaSampling;
    if (encoding.Progressive)
        jpeg_simple_progression(&compressor);
    jpeg_start_compress(&compressor, TRUE);
    PixelImage picture = MakeTestPicture(width, height, 11);
    for (int y = 0; y < height; ++y) {
        JSAMPROW rows[1] = {picture.Row(y)};
        jpeg_write_scanlines(&compressor, rows, 1);
    }
    jpeg_finish_compress(&compressor);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&compressor);
    std::free(buffer);
    return bytes;
}

PixelImage DecodeWithPlainLibjpeg(const std::vector<uint8_t>& bytes, int scaleDenom)
{
    jpeg_decompress_struct decompressor{};
    jpeg_error_mgr errors{};
    decompressor.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decompressor);
    jpeg_mem_src(&decompressor, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&decompressor, TRUE);
    decompressor.out_color_space = JCS_EXT_BGR;
    decompressor.scale_num = 1;
    decompressor.scale_denom = static_cast<unsigned>(scaleDenom);
    jpeg_start_decompress(&decompressor);
    PixelImage picture(static_cast<int>(decompressor.output_width),
                       static_cast<int>(decompressor.output_height));
    while (decompressor.output_scanline < decompressor.output_height) {
        JSAMPROW rows[1] = {picture.Row(static_cast<int>(decompressor.output_scanline))};
        jpeg_read_scanlines(&decompressor, rows, 1);
    }
    jpeg_finish_decompress(&decompressor);
    jpeg_destroy_decompress(&decompressor);
    return picture;
}

std::vector<uint8_t> MakeCmykJpeg(int width, int height, bool adobeMarker)
{
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors); // errors here are test bugs: libjpeg exits
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = static_cast<JDIMENSION>(width);
    compressor.image_height = static_cast<JDIMENSION>(height);
    compressor.input_components = 4;
    compressor.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&compressor);
    jpeg_set_colorspace(&compressor, JCS_CMYK);
    compressor.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
    jpeg_start_compress(&compressor, TRUE);
    const PixelImage picture = MakeTestPicture(width, height, 7);
    std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        const uint8_t* pixel = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            row[4 * x + 0] = pixel[3 * x + 0];
            row[4 * x + 1] = pixel[3 * x + 1];
            row[4 * x + 2] = pixel[3 * x + 2];
            row[4 * x + 3] = static_cast<uint8_t>(255 - (x * 7 + y * 3) % 160);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&compressor, rows, 1);
    }
    jpeg_finish_compress(&compressor);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&compressor);
    std::free(buffer);
    return bytes;
}

std::vector<JpegSegment> JpegSegments(const std::vector<uint8_t>& bytes)
{
    std::vector<JpegSegment> segments;
    size_t at = 0;
    while (at + 1 < bytes.size()) {
        if (bytes[at] != 0xFF)
            throw std::runtime_error("not at a marker");
        JpegSegment segment{bytes[at + 1], at, at + 2};
        const bool standalone = segment.Marker == 0xD8 || segment.Marker == 0xD9;
        if (!standalone)
            segment.End = at + 2 + ((bytes.at(at + 2) << 8) | bytes.at(at + 3));
        if (segment.Marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is neither a
            // stuffed zero nor a restart marker.
            size_t end = segment.End;
            while (end + 1 < bytes.size() && !(bytes[end] == 0xFF && bytes[end + 1] != 0 &&
                                               (bytes[end + 1] < 0xD0 || bytes[end + 1] > 0xD7)))
                ++end;
            segment.End = end;
        }
        segments.push_back(segment);
        if (segment.Marker == 0xD9)
            break;
        at = segment.End;
    }
    return segments;
}

std::vector<uint8_t> WithBrokenScan(std::vector<uint8_t> bytes, int scan)
{
    int seen = 0;
    for (const JpegSegment& segment : JpegSegments(bytes))
        if (segment.Marker == 0xDA && ++seen == scan) {
            // FF DA, length, component count, two bytes per component, Ss, Se.
            const size_t ss = segment.Start + 5 + 2 * bytes[segment.Start + 4];
            bytes[ss] = 63;
            bytes[ss + 1] = 1;
            return bytes;
        }
    throw std::runtime_error("no such scan");
}

} // namespace codec_test
