#pragma once
// Icons and enhanced metafiles, the two picture kinds the program only ever
// loads and draws.

#include "framework/graphics/Graphic.h"

class TIcon : public TGraphic {
public:
    TIcon() = default;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;
    ~TIcon() override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(TCanvas& canvas, const RECT& dest) override;
    void LoadFromFile(const std::string& fileName) override;
    HICON Handle() const { return handle_; }

private:
    HICON handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

class TMetafile : public TGraphic {
public:
    TMetafile() = default;
    TMetafile(const TMetafile&) = delete;
    TMetafile& operator=(const TMetafile&) = delete;
    ~TMetafile() override;
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void Draw(TCanvas& canvas, const RECT& dest) override;
    void LoadFromFile(const std::string& fileName) override;

private:
    HENHMETAFILE handle_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
