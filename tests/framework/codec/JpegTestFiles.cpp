#include "JpegTestFiles.h"

#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

namespace codec_test {

std::string MakeJpeg(const std::string& name, int width, int height, const std::string& cjpegOptions)
{
    const auto source = ScratchDir() / (name + ".ppm");
    const auto jpeg = ScratchDir() / (name + ".jpg");
    WritePpm(source, MakeTestPicture(width, height, static_cast<uint32_t>(width * 31 + height)));
    Run("cjpeg " + cjpegOptions + " -outfile '" + jpeg.string() + "' '" + source.string() + "'");
    return jpeg.string();
}

PixelImage DjpegReference(const std::string& jpegPath, int scaleDenom)
{
    const auto out = ScratchDir() / "djpeg-reference.pnm";
    Run("djpeg -pnm -scale 1/" + std::to_string(scaleDenom) + " -outfile '" + out.string() + "' '" + jpegPath + "'",
        /*warningsOk=*/true);
    return ReadPnm(out);
}

PixelImage DecodeJpegImage(const std::vector<uint8_t>& bytes, const JpegDecodeOptions& options,
                           JpegDecodeResult* result)
{
    PixelImage picture;
    const JpegDecodeResult decoded = DecodeJpeg(bytes.data(), bytes.size(), options, picture.Allocator());
    if (result)
        *result = decoded;
    return picture;
}

std::vector<uint8_t> MakeCmykJpeg(int width, int height, bool adobeMarker)
{
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);  // errors here are test bugs: libjpeg exits
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
    free(buffer);
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
            while (end + 1 < bytes.size() &&
                   !(bytes[end] == 0xFF && bytes[end + 1] != 0 && (bytes[end + 1] < 0xD0 || bytes[end + 1] > 0xD7)))
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

}  // namespace codec_test
