#pragma once
// The abstract picture kinds share this interface: size, emptiness, drawing
// into a rectangle of a canvas, and loading from a file.

#include <windows.h>

#include <string>

class TCanvas;

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    // Draws the whole graphic into dest (stretched when the sizes differ).
    virtual void Draw(TCanvas& canvas, const RECT& dest) = 0;
    virtual void LoadFromFile(const std::string& fileName) = 0;
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }

private:
    bool transparent_ = false;
};
