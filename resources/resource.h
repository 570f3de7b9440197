#pragma once
// Resource identifiers shared by the .rc files and the code.
#define IDI_TESSIVO 1
// String table: the styled-control library's version number.
#define IDS_CONTROLS_VERSION 100
// The About box's picture, a JPEG.
#define IDR_ABOUT_PICTURE 200
