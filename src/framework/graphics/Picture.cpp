#include "framework/graphics/Picture.h"

#include "core/AsciiCase.h"
#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "core/codec/PictureFormat.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/DecodedImage.h"
#include "framework/graphics/IconAndMetafile.h"
#include "framework/graphics/JpegImage.h"

#include <algorithm>

std::string PictureExtension(const std::string& fileName)
{
    const std::string extension = ExtractFileExt(fileName);
    return extension.empty() ? extension : extension.substr(1);
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    const std::string extension = PictureExtension(fileName);
    const std::string lower = LowerAscii(extension);
    const PictureFormat named = PictureFormatOfExtension(ExtractFileExt(fileName));
    const bool iconOrMetafile = lower == "ico" || lower == "emf" || lower == "wmf";
    // The data decides what the picture is; icons and metafiles are known
    // by their names alone. A name of no picture kind whose file cannot be
    // read is refused for its name, as before any data.
    TPictureBytes bytes;
    try {
        bytes = TPictureBytes::OfFile(fileName);
    } catch (const EFOpenError&) {
        if (named == PictureFormat::Unknown && !iconOrMetafile)
            throw EInvalidGraphic::UnknownExtension(extension);
        throw;
    }
    const PictureFormat format = DecidePictureFormat(bytes.Data, bytes.Size, named);
    std::unique_ptr<TGraphic> graphic;
    if (format == PictureFormat::Bmp) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromBytes(bytes.Data, bytes.Size);
        graphic = std::move(bitmap);
    } else if (format == PictureFormat::Jpeg) {
        auto jpeg = std::make_unique<TJPEGImage>();
        jpeg->LoadFromPictureBytes(std::move(bytes));
        graphic = std::move(jpeg);
    } else if (format != PictureFormat::Unknown) {
        auto decoded = std::make_unique<TDecodedImage>();
        decoded->LoadFromPictureBytes(std::move(bytes), named);
        graphic = std::move(decoded);
    } else if (lower == "ico") {
        graphic = std::make_unique<TIcon>();
        graphic->LoadFromFile(fileName);
    } else if (lower == "emf" || lower == "wmf") {
        graphic = std::make_unique<TMetafile>();
        graphic->LoadFromFile(fileName);
    } else {
        throw EInvalidGraphic::UnknownExtension(extension);
    }
    graphic_ = std::move(graphic);
}
