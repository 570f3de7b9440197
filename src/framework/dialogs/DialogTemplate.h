#pragma once
// An in-memory dialog template (DLGTEMPLATE and its items), built in code so
// the program needs no dialog resource. Positions are in dialog units of the
// template's font.

#include <string>
#include <vector>
#include <windows.h>

class TDialogTemplate {
public:
    TDialogTemplate(DWORD style, int x, int y, int width, int height, const std::wstring& fontName,
                    WORD pointSize);

    // Adds a control of a predefined class (0x0082 = static).
    void AddControl(WORD classAtom, WORD id, DWORD style, int x, int y, int width, int height,
                    const std::wstring& text);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Align();
    void AddString(const std::wstring& text);

    // The allocation starts suitably aligned for any type, so also on the
    // DWORD boundary that templates need; Align keeps items on one too.
    std::vector<WORD> words_;
};

inline constexpr WORD kStaticClassAtom = 0x0082;
