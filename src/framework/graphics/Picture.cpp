#include "framework/graphics/Picture.h"

#include "framework/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/IconAndMetafile.h"
#include "framework/graphics/JpegImage.h"

#include <algorithm>
#include <cctype>

std::string PictureExtension(const std::string& fileName)
{
    const size_t separator = fileName.find_last_of("\\/:");
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return "";
    return fileName.substr(dot + 1);
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    const std::string extension = PictureExtension(fileName);
    std::string lower = extension;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::unique_ptr<TGraphic> graphic;
    if (lower == "bmp")
        graphic = std::make_unique<TBitmap>();
    else if (lower == "jpg" || lower == "jpeg")
        graphic = std::make_unique<TJPEGImage>();
    else if (lower == "ico")
        graphic = std::make_unique<TIcon>();
    else if (lower == "emf" || lower == "wmf")
        graphic = std::make_unique<TMetafile>();
    else
        throw EInvalidGraphic::UnknownExtension(extension);
    graphic->LoadFromFile(fileName);
    graphic_ = std::move(graphic);
}
