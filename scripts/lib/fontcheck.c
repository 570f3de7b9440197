/* Checks that a Wine prefix gives the program the faces it asks for.
 *
 * Debian's Wine does not find its own fonts by itself: without the prefix
 * set-up every face falls back to one TrueType face and text metrics are off.
 * Run inside the prefix; prints what each face resolves to and exits 1 when
 *  - "MS Sans Serif" does not come back under its own name,
 *  - "Times New Roman" does not resolve to a serif (roman) family,
 *  - "Arial" does not resolve to a sans-serif (swiss) family.
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

int main(void) {
  static const struct expectation wanted[] = {
      {"MS Sans Serif", "MS Sans Serif", FF_SWISS},
      {"Times New Roman", NULL, FF_ROMAN},
      {"Arial", NULL, FF_SWISS},
  };
  HDC dc = CreateCompatibleDC(NULL);
  int ok = 1;
  for (size_t i = 0; i < sizeof wanted / sizeof wanted[0]; i++) ok &= check(dc, &wanted[i]);
  DeleteDC(dc);
  return ok ? 0 : 1;
}
