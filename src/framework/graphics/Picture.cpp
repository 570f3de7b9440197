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
    const PictureFormat format = PictureFormatOfExtension(ExtractFileExt(fileName));
    std::unique_ptr<TGraphic> graphic;
    if (format == PictureFormat::Bmp)
        graphic = std::make_unique<TBitmap>();
    else if (format == PictureFormat::Jpeg)
        graphic = std::make_unique<TJPEGImage>();
    else if (format != PictureFormat::Unknown)
        graphic = std::make_unique<TDecodedImage>();
    else if (lower == "ico")
        graphic = std::make_unique<TIcon>();
    else if (lower == "emf" || lower == "wmf")
        graphic = std::make_unique<TMetafile>();
    else
        throw EInvalidGraphic::UnknownExtension(extension);
    graphic->LoadFromFile(fileName);
    graphic_ = std::move(graphic);
}
