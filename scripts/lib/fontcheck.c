/* Checks that a Wine prefix gives the program the faces it asks for.
 *
 * Debian's Wine does not find its own fonts by itself: without the prefix
 * set-up every face falls back to one TrueType face and text metrics are off.
 * Run inside the prefix; prints what each face resolves to and exits 1 when
 *  - "MS Sans Serif" does not come back under its own name,
 *  - "Times New Roman" does not resolve to a serif (roman) family,
 *  - "Arial" does not resolve to a sans-serif (swiss) family,
 *  - "MS Shell Dlg", the face of file names, draws two Greek or two Japanese
 *    letters alike: both are the box of a character no font has.
 */
#include <windows.h>
#include <stdio.h>
#include <string.h>

struct expectation {
  const char *face;
  const char *own_name; /* the face must come back under this name, or NULL */
  BYTE family;          /* the FF_ family it must belong to */
};

static int check(HDC dc, const struct expectation *e) {
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, e->face);
  HGDIOBJ old = SelectObject(dc, font);
  char got[LF_FACESIZE] = "";
  TEXTMETRICA tm;
  memset(&tm, 0, sizeof tm);
  GetTextFaceA(dc, sizeof got, got);
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  DeleteObject(font);

  BYTE family = tm.tmPitchAndFamily & 0xF0;
  int ok = family == e->family && (!e->own_name || strcmp(got, e->own_name) == 0);
  printf("%-16s -> %-16s height %ld, family 0x%02X%s\n", e->face, got, tm.tmHeight, family,
         ok ? "" : "  (wrong)");
  return ok;
}

enum { CELL = 16 };

/* Draws one character in black on white into bits (CELL x CELL, 32 bit). */
static void draw(HDC dc, HFONT font, WCHAR c, DWORD *out) {
  BITMAPINFO info;
  void *bits = NULL;
  memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = CELL;
  info.bmiHeader.biHeight = -CELL;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  HGDIOBJ old_font = SelectObject(dc, font);
  RECT cell = {0, 0, CELL, CELL};
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, &c, 1, NULL);
  GdiFlush();
  memcpy(out, bits, sizeof(DWORD) * CELL * CELL);
  SelectObject(dc, old_font);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
}

static int draws_apart(HDC dc, const char *script, WCHAR first, WCHAR second) {
  static DWORD a[CELL * CELL], b[CELL * CELL];
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Shell Dlg");
  draw(dc, font, first, a);
  draw(dc, font, second, b);
  DeleteObject(font);
  int ok = memcmp(a, b, sizeof a) != 0;
  printf("MS Shell Dlg     draws %s letters%s\n", script, ok ? "" : " as boxes  (wrong)");
  return ok;
}

int main(void) {
  static const struct expectation wanted[] = {
      {"MS Sans Serif", "MS Sans Serif", FF_SWISS},
      {"Times New Roman", NULL, FF_ROMAN},
      {"Arial", NULL, FF_SWISS},
  };
  HDC dc = CreateCompatibleDC(NULL);
  int ok = 1;
  for (size_t i = 0; i < sizeof wanted / sizeof wanted[0]; i++) ok &= check(dc, &wanted[i]);
  ok &= draws_apart(dc, "Greek", 0x0398, 0x03BB);    /* theta, lambda */
  ok &= draws_apart(dc, "Japanese", 0x5BCC, 0x5C71); /* "rich", "mountain" */
  DeleteDC(dc);
  return ok ? 0 : 1;
}
