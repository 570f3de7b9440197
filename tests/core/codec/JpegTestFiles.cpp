#include "JpegTestFiles.h"

namespace codec_test {

std::string MakeJpeg(const std::string& name, int width, int height, const std::string& cjpegOptions)
{
    const auto source = ScratchDir() / (name + ".ppm");
    const auto jpeg = ScratchDir() / (name + ".jpg");
    WritePpm(source, MakeTestPicture(width, height, static_cast<uint32_t>(width * 31 + height)));
    RunTool("cjpeg " + cjpegOptions + " -outfile '" + jpeg.string() + "' '" + source.string() + "'");
    return jpeg.string();
}

PixelImage DjpegReference(const std::string& jpegPath, int scaleDenom)
{
    const auto out = ScratchDir() / "djpeg-reference.pnm";
    RunTool("djpeg -pnm -scale 1/" + std::to_string(scaleDenom) + " -outfile '" + out.string() + "' '" +
                jpegPath + "'",
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

} // namespace codec_test
